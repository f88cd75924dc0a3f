// The five background photographs, grafika/r0.jpg .. r4.jpg: painted on float canvases by two
// threads (each scene is independent and deterministic), then written from the calling thread,
// the only one that touches Allegro.
#include <atomic>
#include <thread>
#include <vector>

#include "forge/forge.h"
#include "forge/photo.h"

using namespace photo_kit;

// Paints every scene into `shots`, two at a time, and saves them in order.
void forge_photographs(const std::string &run_dir) {
  void (*const scenes[])(photo &) = {paint_title_view, paint_river_view, paint_square_view, paint_fields_view,
                                     paint_snow_view};
  constexpr int count = sizeof(scenes) / sizeof(scenes[0]);
  std::vector<photo> shots(count);
  // The heaviest scenes go first so that the two workers finish together.
  const int order[count] = {3, 1, 2, 4, 0};
  std::atomic<int> next{0};
  auto work = [&]() {
    for (int k = next++; k < count; k = next++) scenes[order[k]](shots[order[k]]);
  };
  std::thread helper(work);
  work();
  helper.join();
  for (int i = 0; i < count; i++) write_photo(shots[i], run_dir + "/grafika/r" + std::to_string(i) + ".jpg");
}
