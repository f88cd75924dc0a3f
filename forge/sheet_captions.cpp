#include "forge/sheet.h"

void draw_sheet_captions(BITMAP *sheet) { (void)sheet; }
