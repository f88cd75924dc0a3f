// The marks round the active slot and the stage box on the sprite sheet: the slot frame and its
// lit twin, the rotation marker, the stage box and the stage marker.
#pragma once

#include <allegro.h>

void draw_slot_frames(BITMAP *sheet);      // (216,40) and (270,40), 55 x 55 each, masked
void draw_rotation_marker(BITMAP *sheet);  // (464,86) 73 x 73, masked
void draw_stage_box(BITMAP *sheet);        // (380,41) 123 x 38, opaque
void draw_stage_marker(BITMAP *sheet);     // (511,40) 20 x 21, masked
