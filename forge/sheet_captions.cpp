// The language-dependent and screen pieces of the sprite sheet: where each lies and what it
// says in Polish and in English. The drawing itself is in forge/captions_*.cpp.
#include "forge/captions_pieces.h"
#include "forge/sheet.h"

namespace {

// Where the pieces lie on the sheet.
constexpr int polish_flag_x = 0, english_flag_x = 54, flag_y = 50;
constexpr int menu_bar_x = 0, menu_bar_y = 100;
constexpr int menu_title_x = 312, menu_title_y = 131;
// Names k = 1..5 lie at y = names_y + names_step * k; the Polish ones cover x 0..157 and the
// English ones x 159..316, so the column x = 158 that both read stays mask.
constexpr int names_y = 122, names_step = 29, polish_name_x = 0, english_name_x = 159;
constexpr int level_button_x = 320, level_button_y = 190;
constexpr int gallery_button_x = 320, gallery_button_y = 242;
// Side-panel captions and button labels: Polish at x 0, English at x 114.
constexpr int panel_language_step = 114;
constexpr int level_caption_y = 335, stage_caption_y = 355, reserve_caption_y = 375, side_labels_y = 400;
constexpr int start_shadow_x = 250, start_shadow_y = 427;
constexpr int banner_x = 500, banner_y = 280, english_banner_x = 500, english_banner_y = 455;
constexpr int stage_button_x = 500, stage_button_hover_x = 580, stage_button_y = 430;
// Subtitle at y 463 + 28 L and closing caption at y 526 + 24 L, for L = 1 Polish, 2 English.
constexpr int subtitle_x = 0, subtitle_y = 463, subtitle_step = 28;
constexpr int closing_x = 5, closing_y = 526, closing_step = 24;
constexpr int rules_heading_x = 0, rules_heading_y = 610;
constexpr int saves_heading_x = 510, saves_heading_y = 610;

// Everything a language says on the sheet.
struct sheet_texts {
  std::string names[5];  // easy, normal, hard level; saved games; end of the program
  std::string subtitle;
  std::string level_caption, stage_caption, reserve_caption;
  std::string side_labels[3];  // restart, info, save (and back to the menu)
  std::string banner;
  std::string closing;
};

const sheet_texts polish_texts = {
    {"Łatwy", "Normalny", "Trudny", "Zapisane gry", "Koniec gry"},
    "Wybierz poziom gry",
    "Poziom",
    "Etap",
    "Rezerwa",
    {"Od nowa", "Informacje", "Zapisz i wyjdź"},
    "Brawo!",
    "Gratulacje! Wszystkie poziomy ukończone.",
};

const sheet_texts english_texts = {
    {"Easy", "Normal", "Hard", "Saved games", "Quit"},
    "Choose a level",
    "Level",
    "Stage",
    "Reserve",
    {"Restart", "Info", "Save & exit"},
    "Well done!",
    "Congratulations! All levels completed.",
};

// The side-panel captions and labels of one language, at x offset `x`.
void draw_panel_pieces(BITMAP *sheet, int x, const sheet_texts &texts) {
  draw_panel_caption(sheet, x, level_caption_y, texts.level_caption);
  draw_panel_caption(sheet, x, stage_caption_y, texts.stage_caption);
  draw_panel_caption(sheet, x, reserve_caption_y, texts.reserve_caption);
  draw_side_labels(sheet, x, side_labels_y, texts.side_labels);
}

}  // namespace

// Draws every caption piece of both languages into its region of the sheet.
void draw_sheet_captions(BITMAP *sheet) {
  draw_polish_flag(sheet, polish_flag_x, flag_y);
  draw_english_flag(sheet, english_flag_x, flag_y);

  draw_menu_bar(sheet, menu_bar_x, menu_bar_y);
  draw_menu_title(sheet, menu_title_x, menu_title_y);
  for (int k = 1; k <= 5; k++) {
    draw_menu_name(sheet, polish_name_x, names_y + names_step * k, polish_texts.names[k - 1]);
    draw_menu_name(sheet, english_name_x, names_y + names_step * k, english_texts.names[k - 1]);
  }
  draw_menu_subtitle(sheet, subtitle_x, subtitle_y + subtitle_step * 1, polish_texts.subtitle);
  draw_menu_subtitle(sheet, subtitle_x, subtitle_y + subtitle_step * 2, english_texts.subtitle);

  draw_fill_button(sheet, level_button_x, level_button_y, "OK");
  draw_fill_button(sheet, gallery_button_x, gallery_button_y, "MENU");

  draw_panel_pieces(sheet, 0, polish_texts);
  draw_panel_pieces(sheet, panel_language_step, english_texts);

  draw_start_shadow(sheet, start_shadow_x, start_shadow_y);
  draw_stage_banner(sheet, banner_x, banner_y, polish_texts.banner, english_banner_x, english_banner_y,
                    english_texts.banner);
  draw_stage_buttons(sheet, stage_button_x, stage_button_y, stage_button_hover_x, stage_button_y);

  draw_closing_caption(sheet, closing_x, closing_y + closing_step * 1, polish_texts.closing);
  draw_closing_caption(sheet, closing_x, closing_y + closing_step * 2, english_texts.closing);

  draw_rules_heading(sheet, rules_heading_x, rules_heading_y);
  draw_saves_heading(sheet, saves_heading_x, saves_heading_y, "Zapisane gry · Saved games");
}
