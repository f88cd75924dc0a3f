// The info panel: the figures of the board in play, shown over the board while the player holds
// the left button on the info button. Drawn on panel_buffer; back_buffer is left as it was.
#include "puzzle/puzzle.h"
#include "shell/shell.h"

namespace {

constexpr int label_x = 125, value_x = 340;
constexpr int panel_area = 500; // the board area that shows the panel, from (50,50)

struct panel_row {
  int y;
  const char *label[2]; // Polish, English
};
enum { row_level, row_stage, row_colours, row_rotation, row_to_fill, row_remaining, row_inactive };
constexpr panel_row rows[] = {
    {215, {"Poziom:", "Level:"}},
    {235, {"Etap:", "Stage:"}},
    {255, {"Kolory klocków:", "Color blocks:"}},
    {275, {"Obrót klocka:", "Rotate the block:"}},
    {295, {"Pól do zapełnienia:", "Fields to insert:"}},
    {315, {"Pozostało:", "Remaining:"}},
    {335, {"Nieczynnych pól:", "Inactive fields:"}},
};

const char *const level_names[2][4] = {{"", "ŁATWY", "NORMALNY", "TRUDNY"}, {"", "EASY", "NORMAL", "HARD"}};
// Turning is free on the easy and normal levels, every other tile on the hard one.
const char *const rotation_rules[2][2] = {{"Tak", "Co drugi"}, {"Yes", "Every other"}};

void write_value(int row, const char *text) {
  textprintf_ex(panel_buffer, font_arial16, value_x, rows[row].y, makecol(210, 237, 161), -1, "%s", text);
}

void write_number(int row, int number) {
  textprintf_ex(panel_buffer, font_arial16, value_x, rows[row].y, makecol(210, 237, 161), -1, "%d", number);
}

void draw_panel() {
  const int lang = language == 2 ? 1 : 0;
  blit(back_buffer, panel_buffer, 0, 0, 0, 0, scene_width, scene_height);
  rectfill(panel_buffer, 100, 178, 504, 390, makecol(0, 0, 0));
  rectfill(panel_buffer, 107, 185, 497, 383, makecol(99, 111, 55));
  rect(panel_buffer, 104, 182, 500, 386, makecol(233, 233, 233));
  textprintf_ex(panel_buffer, font_arial16, 130, 185, makecol(71, 82, 15), -1, "%s",
                "----------------- INFO -----------------");
  for (const panel_row &row : rows)
    textprintf_ex(panel_buffer, font_arial16, label_x, row.y, makecol(160, 177, 111), -1, "%s", row.label[lang]);
  write_value(row_level, level >= 1 && level <= 3 ? level_names[lang][level] : "");
  write_number(row_stage, stage);
  for (int i = 0; i <= stage && i <= 3; i++)
    masked_blit(sprite_sheet, panel_buffer, 410, 100 + 9 * i, 337 + 35 * i, 263, 35, 9);
  write_value(row_rotation, rotation_rules[lang][level == 3 ? 1 : 0]);
  write_number(row_to_fill, field_count - inactive_count);
  write_number(row_remaining, remaining);
  write_number(row_inactive, inactive_count);
}

} // namespace

void show_info_panel() {
  if (hover_control != info_button || mouse_b_now != left_click) return;
  play_sound(sound_panel_shown);
  draw_panel();
  show_area(panel_buffer, board_left, board_top, panel_area, panel_area);
  wait_for_release();
  play_sound(sound_panel_closed);
  show_area(back_buffer, board_left, board_top, panel_area, panel_area);
}
