// Stand-ins for the screens and saves still to be built, so that the flow runs end to end:
// the game starts on the easy level in Polish, and leaving a board leads back to that start.
// Each routine moves out of here, into its own subsystem, when it is built for real.
#include "puzzle/puzzle.h"
#include "saves/saves.h"
#include "screens/screens.h"
#include "shell/shell.h"

std::string level_done_text[4];
std::string save_text_path, save_image_path;

void choose_language() { language = 1; }

void rules_page() {}

void main_menu() {
  wait_for_release(); // the click that left the board is not a click on the menu
  level = 1;
  stage = 1;
}

void complete_stage() {
  if (stage < 3) {
    stage++;
    skip_slide_in = 1;
    return;
  }
  level++;
  stage = 1;
  skip_slide_in = 0;
  build_stage_scene();
  if (level == 4) closing_gallery();
}

void closing_gallery() {}

void save_game() {}
void resume_game() {}
