// The fixed background of play for a level: its photograph, the frame overlay and the pieces of
// the side panel. Drawn off screen only.
#include <string>

#include "puzzle/puzzle.h"
#include "screens/screens.h"
#include "shell/shell.h"

namespace {

// Replaces *bitmap with the picture in `path`; keeps the old picture if the file cannot be read.
void load_picture_into(BITMAP **bitmap, const std::string &path) {
  if (BITMAP *loaded = load_bitmap(path.c_str(), nullptr)) {
    if (*bitmap) destroy_bitmap(*bitmap);
    *bitmap = loaded;
  }
}

} // namespace

void build_stage_scene() {
  load_picture_into(&photo_buffer, "grafika/r" + std::to_string(level) + ".jpg");
  load_picture_into(&clean_scene, "grafika/pl2.png");
  blit(photo_buffer, back_buffer, 0, 0, 0, 0, scene_width, scene_height);
  masked_blit(clean_scene, back_buffer, 0, 0, 0, 0, scene_width, scene_height);

  const int lx = 114 * (language - 1); // the English pieces lie beside the Polish ones
  masked_blit(sprite_sheet, back_buffer, lx, 335, 610, 65, 114, 21);  // above the level name
  masked_blit(sprite_sheet, back_buffer, lx, 355, 610, 137, 114, 21); // above the stage box
  blit(sprite_sheet, back_buffer, 380, 41, 603, 160, 123, 38);        // the stage box
  masked_blit(sprite_sheet, back_buffer, 216, 40, 595, 257, 55, 55);  // the active slot's frame
  rect(back_buffer, 576, 344, 755, 447, makecol(64, 64, 65));         // the reserve zone's frame
  masked_blit(sprite_sheet, back_buffer, lx, 375, 610, 336, 114, 21); // the reserve zone's caption
  masked_blit(sprite_sheet, back_buffer, lx, 400, 610, 469, 114, 84); // the side buttons' labels

  blit(back_buffer, board_snapshot, 0, 0, 0, 0, scene_width, scene_height);
}
