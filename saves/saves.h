// Saved games: one save per level and language, resumed when that level starts again.
#pragma once

#include <string>

// The files of the current save slot: the board as text and the play screen as a picture.
extern std::string save_text_path;
extern std::string save_image_path;

// Writes the board of level and language to its save slot.
void save_game();
// If a save of level and language exists, takes the board over from it.
void resume_game();
