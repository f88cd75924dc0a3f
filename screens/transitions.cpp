// The two whole-screen transitions. Each runs to its end before it returns and reads no input.
#include "screens/screens.h"
#include "shell/shell.h"

void centre_wipe() {
  tick_count = 0;
  for (int i = 0; i <= scene_height / 2; i++) {
    wait_for_ticks(1);
    blit(photo_buffer, screen, 0, i, 0, i, scene_width, 1);
    blit(photo_buffer, screen, 0, scene_height - i, 0, scene_height - i, scene_width, 1);
    tick_count = 0;
  }
}

void split_slide_steps(int first, int last) {
  const int middle = scene_width / 2;
  // The halves move within the screen; going through a scratch copy keeps an overlapping copy
  // from smearing on any display driver.
  BITMAP *half = create_bitmap(middle, scene_height);
  if (!half) {
    blit(back_buffer, screen, 0, 0, 0, 0, scene_width, scene_height);
    return;
  }
  for (int c = first; c <= last; c++) {
    const int w = middle + 1 - c, s = middle - 1 + c; // the columns uncovered by this step
    blit(back_buffer, screen, w, 0, w, 0, 1, scene_height);
    blit(back_buffer, screen, s, 0, s, 0, 1, scene_height);
    if (w == 0) continue;
    blit(screen, half, 1, 0, 0, 0, w, scene_height); // the left part, one pixel left
    blit(half, screen, 0, 0, 0, 0, w, scene_height);
    blit(screen, half, s, 0, 0, 0, w, scene_height); // the right part, one pixel right
    blit(half, screen, 0, 0, s + 1, 0, w, scene_height);
  }
  destroy_bitmap(half);
}

void split_slide() {
  tick_count = 0;
  play_sound(sound_split_slide);
  split_slide_steps(1, split_slide_sound_ends - 1);
  stop_sound(sound_split_slide);
  split_slide_steps(split_slide_sound_ends, split_slide_last_step);
}
