// The game shell: start-up, the flow from screen to screen, the frame of play, the input snapshot
// and the control map, sound and music, and the asset files. The only code that knows devices.
#pragma once

#include <allegro.h>

#include <atomic>
#include <string>
#include <vector>

constexpr int scene_width = 800, scene_height = 600;

// ---- time ----------------------------------------------------------------------------------------

// Milliseconds counted by the library's timer; every wait and animation sets it to 0 and polls it.
extern std::atomic<int> tick_count;
// Waits until tick_count has reached `ticks`, sleeping a fraction of a tick between looks.
void wait_for_ticks(int ticks);

// ---- shared bitmaps and fonts (24-bit) -------------------------------------------------------------

extern BITMAP *back_buffer;    // the composition every screen is drawn in; the probes read it
extern BITMAP *board_snapshot; // the composed scene; the side-button area is restored from it
extern BITMAP *panel_buffer;   // scratch for the info panel and the saved-games screen
extern BITMAP *photo_buffer;   // the current background photograph or page
extern BITMAP *tile_scratch;   // tile_size x tile_size: the next tile being composed
extern BITMAP *clean_scene;    // the frame overlay, with the empty board in its board square
extern BITMAP *photo_thumb;    // 280x210: the closing gallery
extern BITMAP *sprite_sheet;   // grafika/ele.png

extern FONT *font_f16, *font_arial16, *font_arialbd14, *font_f20;

// ---- flags of play (0 or 1) ----------------------------------------------------------------------

extern int board_started;       // a tile is on this board, or it was resumed from a save
extern int active_tile_present; // the active slot holds a tile
extern int tile_taken;          // a tile was taken since the board was prepared; the banner is gone
extern int rotation_locked;     // the active tile may not be turned
extern int skip_slide_in;       // the next board preparation omits the split slide

// ---- start and end -------------------------------------------------------------------------------

// Starts the library, opens the window and loads the shared pictures and fonts. On failure it
// says on stderr what is wrong, shuts the library down again and returns false.
bool start_up();
// Creates the shared bitmaps and loads the sprite sheet, the title picture and the fonts (the
// screen's colour depth must be set). Also reads the pictures that are loaded later, so that a
// damaged file shows at once. Returns the files that could not be read.
std::vector<std::string> load_shared_resources();
// Esc is held, or the window's close button was pressed.
bool quit_requested();
// Paints the screen over with grey lines, even rows first, one millisecond apart.
void exit_wipe();
// Destroys the shared bitmaps, samples and fonts.
void free_resources();

// ---- input snapshot and control map --------------------------------------------------------------

extern int mouse_x_now, mouse_y_now, mouse_b_now; // the mouse at the last change of its state
extern int hover_control;                         // control id under the pointer; 0 none

constexpr int left_click = 1;  // mouse_b_now with the left button alone
constexpr int right_click = 2; // the right button alone

// Takes a new snapshot of the mouse if it has changed; then hover_control is 0 again.
void poll_input();
// Names the control under the pointer in hover_control and lights a side button under it.
void hit_test();
// Waits until every mouse button is up (the live state, not the snapshot), so that a held button
// does not repeat a move; gives up when the player asks to quit.
void wait_for_release();

// ---- the frame of play ---------------------------------------------------------------------------

// Before every board: no tile on it and none in the active slot. The reserve and the next and
// active tile codes keep their values; their pictures are what counts.
void reset_board();
enum frame_end { frame_goes_on, frame_board_full, frame_restart, frame_to_menu, frame_quit };
// One frame of play: snapshot, moves, show, restore the side buttons, the side buttons' actions,
// a short rest. Says how the frame ended.
frame_end play_frame();
// The moves a frame runs, in their order: rotate, take, reserve, place, info panel.
extern void (*frame_moves[5])();
// Copies back_buffer whole onto the screen; or only a rectangle of a bitmap, to the same place.
void show_scene();
void show_area(BITMAP *from, int x, int y, int w, int h);

// ---- sound and music -----------------------------------------------------------------------------

extern SAMPLE *sound_samples[8]; // samples 1..7 from muz/s1.wav .. muz/s7.wav; null if unloadable

// Every sound the game makes; the table in sound.cpp holds each event's sample and parameters.
enum sound_event {
  sound_tile_placed,
  sound_placement_refused,
  sound_tile_taken,
  sound_tile_turned,
  sound_tile_parked,
  sound_tile_taken_back,
  sound_empty_reserve_clicked,
  sound_panel_shown,
  sound_panel_closed,
  sound_board_full,
  sound_curtain_starts,
  sound_curtain_passes,
  sound_bar_arrives,
  sound_menu_choice,
  sound_saved_games_opens,
  sound_gallery_button,
  sound_split_slide,
};
// Starts the library's sample playback at full master volume; without a sound card, silence.
void install_sample_playback();
// Starts one more copy of the event's sample; nothing if the sample could not be loaded.
void play_sound(sound_event event);
// How often each event has been played since start-up, sound card or not (tests listen here).
extern int sounds_played[sound_split_slide + 1];
// Stops every playing copy of the event's sample.
void stop_sound(sound_event event);
// The level-complete music: fades in from silence to half volume over 1.5 s, going on from where
// it last stopped; fades out over 1.25 s and stops. Silent without an audio device.
void music_in();
void music_out();
// The music stream is playing (not stopped, not finished), and how far into the piece it is.
bool music_playing();
double music_position();

// ---- asset files ---------------------------------------------------------------------------------

// Every file the program reads, relative to its working folder (the run folder).
const std::vector<std::string> &asset_files();
// The asset files that cannot be opened for reading from the working folder.
std::vector<std::string> missing_assets();
// Prints which asset files are missing or unreadable and how to make them, to stderr.
void report_missing_assets(const std::vector<std::string> &files);
