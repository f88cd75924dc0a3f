// The screens: everything shown outside the frames of play, and the transitions between pictures.
#pragma once

#include <string>

// Asks for the language of the game; sets language to 1 (Polish) or 2 (English).
void choose_language();
// Shows the rules of the game until the player is done with them.
void rules_page();
// The main menu; returns with level 1..3 and stage 1 for a game, or level 5 to end the program.
void main_menu();
// Composes the background of play for level and language in back_buffer and board_snapshot,
// with the level's photograph in photo_buffer and the frame overlay in clean_scene.
void build_stage_scene();
// A full board: advances stage, or level after the third stage (building its scene), or ends the
// hard level with the closing gallery.
void complete_stage();
// The closing gallery of the level photographs, after the hard level.
void closing_gallery();

// The captions of the level-complete screen, by level 1..3.
extern std::string level_done_text[4];

// Shows photo_buffer: rows close in from the top and bottom edges, a pair per millisecond.
void centre_wipe();
// Shows back_buffer: the screen's picture splits down the middle and its halves slide apart, one
// pixel a step, while a looped sound runs until the step where it is stopped.
void split_slide();
constexpr int split_slide_last_step = 401, split_slide_sound_ends = 391;
// Steps first..last of the slide, without the sound.
void split_slide_steps(int first, int last);
