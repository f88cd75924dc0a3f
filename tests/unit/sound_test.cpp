// Sounds never fail the game: an event whose sample did not load is silent. The music fades in
// and out and goes on from where it stopped.
#include <chrono>
#include <thread>

#include "tests/unit/game_fixture.h"

namespace {

void wait_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

TEST(sound, an_event_whose_sample_did_not_load_is_silent) {
  SAMPLE *kept[8];
  for (int n = 1; n <= 7; n++) {
    kept[n] = sound_samples[n];
    sound_samples[n] = nullptr;
  }
  for (int e = sound_tile_placed; e <= sound_split_slide; e++) {
    play_sound(static_cast<sound_event>(e));
    stop_sound(static_cast<sound_event>(e));
  }
  for (int n = 1; n <= 7; n++) sound_samples[n] = kept[n];
}

TEST(music, fades_in_and_out_and_resumes_where_it_stopped) {
  // The unit tests run with SDL's dummy audio driver, which plays in real time.
  music_in();
  ASSERT_TRUE(music_playing()) << "no music stream: is SDL_AUDIODRIVER=dummy set?";
  wait_ms(600);
  music_out();
  EXPECT_FALSE(music_playing());
  const double stopped_at = music_position();
  EXPECT_GT(stopped_at, 0.3);
  wait_ms(300);
  EXPECT_EQ(music_position(), stopped_at); // a stopped stream stays where it is

  music_in();
  EXPECT_TRUE(music_playing());
  wait_ms(300);
  EXPECT_GT(music_position(), stopped_at); // on from there, not from the start
  music_out();
}

} // namespace
