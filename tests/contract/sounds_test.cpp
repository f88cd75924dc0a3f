// The event sounds and the music, opened the way the game opens them: the samples with
// Allegro's load_sample, the music as an SDL2_mixer stream.
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <SDL_mixer.h>
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

// The sample's values as signed 16-bit levels (Allegro keeps them unsigned, 8-bit ones scaled up),
// left channel only for a stereo sample.
static std::vector<int> signed_levels(const SAMPLE *s) {
  std::vector<int> out;
  const unsigned long step = s->stereo ? 2 : 1;
  for (unsigned long i = 0; i < s->len * step; i += step) {
    if (s->bits == 16)
      out.push_back(static_cast<int>(static_cast<const unsigned short *>(s->data)[i]) - 32768);
    else
      out.push_back((static_cast<int>(static_cast<const unsigned char *>(s->data)[i]) - 128) * 256);
  }
  return out;
}

static double rms_of(const std::vector<int> &v, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from; i < to; i++) sum += static_cast<double>(v[i]) * v[i];
  return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

// The value below which `share` of the magnitudes lie.
static double quantile_of(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(share * static_cast<double>(values.size() - 1))];
}

struct sound_case {
  const char *file;
  double shortest, longest;  // seconds as recorded
  bool one_shot;             // played to its end: must start and end in silence
};

static const sound_case sound_cases[] = {
    {"muz/s1.wav", 0.05, 2.5, true},  {"muz/s2.wav", 0.05, 2.5, true}, {"muz/s3.wav", 0.03, 2.5, true},
    {"muz/s4.wav", 0.03, 2.5, true},  {"muz/s5.wav", 0.5, 4.0, true},  {"muz/s6.wav", 0.05, 2.5, true},
    {"muz/s7.wav", 0.3, 1.0, false},
};

TEST(sounds, load_as_the_game_loads_them_and_are_cleanly_levelled) {
  for (const sound_case &c : sound_cases) {
    SCOPED_TRACE(c.file);
    SAMPLE *s = load_sample(c.file);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->bits, 16);
    EXPECT_TRUE(s->freq == 22050 || s->freq == 44100) << s->freq;
    const double seconds = static_cast<double>(s->len) / s->freq;
    EXPECT_GE(seconds, c.shortest);
    EXPECT_LE(seconds, c.longest);

    const std::vector<int> v = signed_levels(s);
    int peak = 0;
    double sum = 0;
    for (int x : v) {
      peak = std::max(peak, std::abs(x));
      sum += x;
    }
    EXPECT_GE(peak, 16384) << "too quiet to be heard at the game's volumes";
    EXPECT_LE(peak, 32700) << "clipped";
    EXPECT_LT(std::fabs(sum / static_cast<double>(v.size())), 200.0) << "DC offset";
    EXPECT_GT(rms_of(v, 0, v.size()), 1000.0) << "almost silent";
    if (c.one_shot) {
      EXPECT_LE(std::abs(v.front()), 300) << "starts with a click";
      EXPECT_LE(std::abs(v.back()), 300) << "ends with a click";
    }
    destroy_sample(s);
  }
}

// The slide sound is looped over its whole length while a screen slides, so its last sample
// must lead into its first as smoothly as any two neighbours, and it must not fade at either end.
TEST(sounds, slide_loop_runs_on_across_its_seam) {
  SAMPLE *s = load_sample("muz/s7.wav");
  ASSERT_NE(s, nullptr);
  const std::vector<int> v = signed_levels(s);
  destroy_sample(s);
  const size_t n = v.size();
  ASSERT_GT(n, 1000u);

  std::vector<double> steps, bends;
  for (size_t i = 1; i + 1 < n; i++) {
    steps.push_back(std::abs(v[i + 1] - v[i]));
    bends.push_back(std::abs(v[i + 1] - 2 * v[i] + v[i - 1]));
  }
  const double seam_step = std::abs(v[0] - v[n - 1]);
  const double seam_bend = std::max(std::abs(v[0] - 2 * v[n - 1] + v[n - 2]), std::abs(v[1] - 2 * v[0] + v[n - 1]));
  EXPECT_LE(seam_step, quantile_of(steps, 0.99)) << "the loop jumps at its seam";
  EXPECT_LE(seam_bend, quantile_of(bends, 0.99)) << "the waveform's slope breaks at the seam";

  const size_t edge = n / 30;
  const double whole = rms_of(v, 0, n);
  EXPECT_GT(rms_of(v, 0, edge), 0.4 * whole) << "the loop fades in, so it pumps when repeated";
  EXPECT_GT(rms_of(v, n - edge, n), 0.4 * whole) << "the loop fades out, so it pumps when repeated";
}

TEST(music, opens_as_a_stream_of_at_least_a_minute) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
    SDL_Quit();
    FAIL() << Mix_GetError();
  }
  Mix_Music *music = Mix_LoadMUS("muz/muzyczka.ogg");
  EXPECT_NE(music, nullptr) << Mix_GetError();
  if (music) {
    EXPECT_EQ(Mix_GetMusicType(music), MUS_OGG);
    const double seconds = Mix_MusicDuration(music);
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 180.0);
    EXPECT_EQ(Mix_PlayMusic(music, 0), 0) << Mix_GetError();
    Mix_HaltMusic();
    Mix_FreeMusic(music);
  }
  Mix_CloseAudio();
  SDL_Quit();
}
