// The program: start-up, the language and the rules once, then the menu and the boards of a level
// until the player quits; the line wipe and the release of everything at the end.
#include "puzzle/puzzle.h"
#include "screens/screens.h"
#include "shell/shell.h"

namespace {

enum boards_end { back_to_menu, end_program };

// The boards of a level, one after another, until the player leaves it or quits.
boards_end play_boards() {
  for (;;) {
    if (quit_requested()) return end_program;
    reset_board();
    prepare_board();
    generate_next_tile();
    if (quit_requested()) return end_program;
    frame_end end;
    do end = play_frame();
    while (end == frame_goes_on);
    switch (end) {
    case frame_quit:
      return end_program;
    case frame_to_menu:
      return back_to_menu;
    case frame_board_full:
      complete_stage(); // the next stage or level, its scene built already
      if (level > 3) return back_to_menu;
      break;
    default: // a restart: the same stage anew, without the slide
      break;
    }
  }
}

} // namespace

int main() {
  if (!start_up()) return 1;
  choose_language();
  rules_page();
  for (;;) {
    main_menu();
    if (level == 5) break;
    build_stage_scene();
    if (play_boards() == end_program) break;
  }
  exit_wipe();
  free_resources();
  allegro_exit();
  return 0;
}
END_OF_MAIN()
