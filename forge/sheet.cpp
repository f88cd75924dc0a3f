#include "forge/sheet.h"

#include "forge/forge.h"
#include "forge/paint.h"

void forge_sheet(const std::string &run_dir) {
  BITMAP *sheet = create_canvas(sheet_w, sheet_h);
  clear_to_color(sheet, mask_rgb());
  draw_sheet_cells(sheet);
  draw_sheet_captions(sheet);
  save_picture(sheet, run_dir + "/grafika/ele.png");
  destroy_bitmap(sheet);
}
