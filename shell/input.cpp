// The input snapshot and the control map. Every decision of a frame is made on the snapshot, never
// on the live mouse state that the library changes at any moment.
#include "puzzle/puzzle.h"
#include "shell/shell.h"

int mouse_x_now, mouse_y_now, mouse_b_now;
int hover_control;

namespace {

// The side buttons: x range and the exclusive top / inclusive bottom of each, as the frame
// overlay draws them; each is lit by a flood fill from two pixels inside its top-left corner.
constexpr int button_left = 596, button_right = 733;
constexpr int button_tops[3] = {469, 502, 535};
constexpr int button_bottoms[3] = {486, 521, 556};

// mx in (low, high]: the tests of the board and the two slots leave out the first pixel.
bool in_open_closed(int value, int low, int high) { return value > low && value <= high; }

} // namespace

void poll_input() {
  if (mouse_x == mouse_x_now && mouse_y == mouse_y_now && mouse_b == mouse_b_now) return;
  mouse_x_now = mouse_x;
  mouse_y_now = mouse_y;
  mouse_b_now = mouse_b;
  hover_control = 0;
}

void hit_test() {
  const int mx = mouse_x_now, my = mouse_y_now, ts = tile_size;
  if (mx > board_left) {
    const int board_last = board_side * ts + board_left - 1; // 556
    if (in_open_closed(mx, board_left, board_last) && in_open_closed(my, board_top, board_last))
      hover_control = (mx - board_left) / ts + board_side * ((my - board_top) / ts) + 1;
    if (in_open_closed(mx, preview_slot_x, preview_slot_x - 1 + ts) &&
        in_open_closed(my, preview_slot_y, preview_slot_y - 1 + ts))
      hover_control = preview_slot;
    if (in_open_closed(mx, active_slot_x, active_slot_x - 1 + ts) &&
        in_open_closed(my, active_slot_y, active_slot_y - 1 + ts))
      hover_control = active_slot;
  }
  // Reserve slots: open on both ends, so a slot's first column and row do not count.
  for (int row = 0; row < reserve_rows(level); row++) {
    const int y = reserve_row_y(level, row);
    for (int column = 0; column < 4; column++) {
      const int x = reserve_x + reserve_step * column;
      if (mx > x && mx < x + ts && my > y && my < y + ts) hover_control = reserve_slots + 4 * row + column;
    }
  }
  for (int b = 0; b < 3; b++) {
    if (in_open_closed(mx, button_left, button_right) && in_open_closed(my, button_tops[b], button_bottoms[b])) {
      hover_control = restart_button + b;
      floodfill(back_buffer, button_left + 2, button_tops[b] + 2, makecol(117, 134, 51));
    }
  }
}

void wait_for_release() {
  while (mouse_b && !quit_requested()) rest(1);
}
