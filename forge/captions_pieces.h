// The caption pieces of the sprite sheet, each drawn at the sheet position it is given.
// forge/sheet_captions.cpp holds the layout and the texts and calls these.
#pragma once

#include <allegro.h>

#include <string>

// Menu and language choice (forge/captions_menu.cpp).
void draw_polish_flag(BITMAP *sheet, int x, int y);   // 54 x 36
void draw_english_flag(BITMAP *sheet, int x, int y);  // 54 x 36
void draw_menu_bar(BITMAP *sheet, int x, int y);      // 232 x 44, one flat face colour
void draw_menu_title(BITMAP *sheet, int x, int y);    // 99 x 25
// A name: 158 x 29 with the text centred on its column 79; its last column stays mask.
void draw_menu_name(BITMAP *sheet, int x, int y, const std::string &text);
void draw_menu_subtitle(BITMAP *sheet, int x, int y, const std::string &text);  // 470 x 28

// The stage scene and its completion (forge/captions_play.cpp).
void draw_panel_caption(BITMAP *sheet, int x, int y, const std::string &text);  // 114 x 21
// The labels of the three side buttons, one text per button, 114 x 84.
void draw_side_labels(BITMAP *sheet, int x, int y, const std::string texts[3]);
// A 100 x 26 button whose inside is flood-filled from (12, 10).
void draw_fill_button(BITMAP *sheet, int x, int y, const std::string &text);
void draw_start_shadow(BITMAP *sheet, int x, int y);  // 226 x 60
// The stage banner (334 x 146) with the first caption in place, and the second caption's
// top 72 rows (333 wide) at (english_x, english_y).
void draw_stage_banner(BITMAP *sheet, int x, int y, const std::string &polish, int english_x, int english_y,
                       const std::string &english);
// The stage button's normal and hover looks, 79 x 21 each.
void draw_stage_buttons(BITMAP *sheet, int normal_x, int normal_y, int hover_x, int hover_y);

// Headings and the closing captions (forge/captions_headings.cpp).
void draw_closing_caption(BITMAP *sheet, int x, int y, const std::string &text);  // 539 x 24
void draw_rules_heading(BITMAP *sheet, int x, int y);                             // 500 x 90
void draw_saves_heading(BITMAP *sheet, int x, int y, const std::string &text);    // 360 x 45
