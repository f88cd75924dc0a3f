// Sound and music. The seven samples are played by Allegro with the parameters of the event table
// below, the one place where they are written. The level-complete music is streamed by SDL2_mixer.
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <SDL_mixer.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <memory>

#include "shell/shell.h"

SAMPLE *sound_samples[8];

namespace {

struct sound_row {
  int sample, volume, frequency, loop;
};
constexpr int centre_pan = 127;

// Indexed by sound_event. Frequency is in thousandths of the recorded speed.
constexpr sound_row sound_table[] = {
    {1, 255, 1000, 0}, // sound_tile_placed
    {2, 135, 1200, 0}, // sound_placement_refused
    {3, 105, 1000, 0}, // sound_tile_taken
    {4, 155, 1000, 0}, // sound_tile_turned
    {3, 105, 1000, 0}, // sound_tile_parked
    {3, 105, 1000, 0}, // sound_tile_taken_back
    {2, 105, 1000, 0}, // sound_empty_reserve_clicked
    {1, 111, 1000, 0}, // sound_panel_shown
    {1, 111, 1000, 0}, // sound_panel_closed
    {5, 255, 1000, 0}, // sound_board_full
    {4, 165, 300, 0},  // sound_curtain_starts
    {6, 165, 1000, 0}, // sound_curtain_passes
    {3, 155, 1500, 0}, // sound_bar_arrives
    {1, 111, 1000, 0}, // sound_menu_choice
    {1, 111, 1000, 0}, // sound_saved_games_opens
    {1, 111, 1000, 0}, // sound_gallery_button
    {7, 150, 300, 1},  // sound_split_slide
};
static_assert(sizeof sound_table / sizeof sound_table[0] == sound_split_slide + 1,
              "one row per sound event");

// The audio device and the music stream on it, reference-counted. The stream holds a reference
// to the device, and is declared after it, so at process exit the stream goes first.
std::shared_ptr<void> audio_device;
std::shared_ptr<Mix_Music> music_stream;
double music_volume = 1.0; // the stream's volume, 0.0..1.0

// Runs a search for a sound card with stderr sent nowhere: without a card the audio libraries print
// pages of their search there, which mean nothing to a player. The game is silent then anyway.
void quietly(void (*search)()) {
  std::fflush(stderr);
  const int kept = dup(STDERR_FILENO);
  const int nowhere = open("/dev/null", O_WRONLY);
  if (kept >= 0 && nowhere >= 0) dup2(nowhere, STDERR_FILENO);
  search();
  std::fflush(stderr);
  if (kept >= 0 && nowhere >= 0) dup2(kept, STDERR_FILENO);
  if (nowhere >= 0) close(nowhere);
  if (kept >= 0) close(kept);
}

void close_audio_device(void *) {
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void open_audio_device() {
  SDL_SetMainReady();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  Mix_Init(MIX_INIT_OGG);
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  // SDL_mixer keeps its one device to itself; a reference-counted token stands for it here.
  audio_device = std::shared_ptr<void>(&audio_device, close_audio_device);
}

void open_music_stream() {
  if (!audio_device) return;
  Mix_Music *music = Mix_LoadMUS("muz/muzyczka.ogg"); // streamed from the file as it plays
  if (!music) return;
  std::shared_ptr<void> device = audio_device;
  music_stream = std::shared_ptr<Mix_Music>(music, [device](Mix_Music *m) mutable {
    Mix_HaltMusic();
    Mix_FreeMusic(m);
    device.reset();
  });
}

// Before main: the samples, then the device, then the stream on it.
bool open_sounds() {
  // Allegro reports a file it cannot open through allegro_errno, which points nowhere until the
  // library starts: give it somewhere to write, so that a missing sample is just a missing sample.
  if (!allegro_errno) allegro_errno = &errno;
  for (int n = 1; n <= 7; n++) {
    const std::string path = "muz/s" + std::to_string(n) + ".wav";
    sound_samples[n] = load_sample(path.c_str());
  }
  quietly(open_audio_device);
  open_music_stream();
  return true;
}
const bool sounds_opened = open_sounds();

void set_music_volume(double volume) {
  music_volume = std::clamp(volume, 0.0, 1.0);
  if (music_stream) Mix_VolumeMusic(static_cast<int>(std::lround(music_volume * MIX_MAX_VOLUME)));
}

// Starts the stream, or resumes it where it was stopped.
void play_music() {
  if (!music_stream) return;
  if (Mix_PausedMusic())
    Mix_ResumeMusic();
  else if (!Mix_PlayingMusic())
    Mix_PlayMusic(music_stream.get(), 1);
}

// Halts the stream where it is.
void stop_music() {
  if (music_stream && Mix_PlayingMusic()) Mix_PauseMusic();
}

} // namespace

void install_sample_playback() {
  quietly([] { install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr); });
  set_volume(255, 255);
}

int sounds_played[sound_split_slide + 1];

void play_sound(sound_event event) {
  sounds_played[event]++;
  const sound_row &row = sound_table[event];
  if (SAMPLE *sample = sound_samples[row.sample])
    play_sample(sample, row.volume, centre_pan, row.frequency, row.loop);
}

void stop_sound(sound_event event) {
  if (SAMPLE *sample = sound_samples[sound_table[event].sample]) stop_sample(sample);
}

void music_in() {
  play_music();
  for (int i = 0; i <= 5; i++) {
    set_music_volume(0.1 * i);
    rest(250);
  }
}

void music_out() {
  for (int i = 0; i < 5; i++) {
    set_music_volume(music_volume - 0.1);
    rest(250);
  }
  stop_music();
}

bool music_playing() {
  return music_stream && Mix_PlayingMusic() && !Mix_PausedMusic();
}

double music_position() { return music_stream ? Mix_GetMusicPosition(music_stream.get()) : 0.0; }
