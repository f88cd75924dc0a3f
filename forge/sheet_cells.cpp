#include "forge/sheet.h"

void draw_sheet_cells(BITMAP *sheet) { (void)sheet; }
