// The seven event sounds of the game ("muz/s1.wav" .. "muz/s7.wav"), each built from struck
// resonances, filtered noise and simple tones, then levelled and written as 16-bit mono WAV.
#include <cmath>
#include <string>

#include "forge/forge.h"
#include "forge/paint.h"
#include "forge/synth.h"

// Sample 4 starts four times at once when a tile turns, so it is written quieter than the rest.
constexpr double one_shot_peak = 0.89;  // about -1 dBFS
constexpr double turn_click_peak = 0.6;
constexpr double slide_loop_peak = 0.8;
constexpr double slide_loop_seconds = 0.6;  // one period of the looped slide texture

static wave blank(double seconds) { return wave(seconds_to_frames(seconds), 0.0); }

static double white(forge_random &rng) { return rng.uniform() * 2 - 1; }

// Adds noise through `filter`, shaped by a struck envelope, from sample `start` on.
static void add_noise_burst(wave &out, size_t start, biquad filter, double amplitude, double attack, double tau,
                            forge_random &rng) {
  for (size_t i = start; i < out.size(); i++) {
    const double t = static_cast<double>(i - start) / sound_rate;
    out[i] += amplitude * strike_level(t, attack, tau) * filter.run(white(rng));
  }
}

// Adds a little room to a one-shot: the mono sum of the plate, mixed in at `mix`.
static void add_room(wave &signal, double size, double damping, double mix) {
  stereo_wave wet = make_stereo(signal.size());
  add_reverb({signal, signal}, wet, {size, damping, 0.0}, 1.0);
  for (size_t i = 0; i < signal.size(); i++) signal[i] += mix * 0.5 * (wet.left[i] + wet.right[i]);
}

// Levels a one-shot and writes it: no DC, soft edges, a fixed peak.
static void finish_one_shot(const std::string &path, wave &signal, double fade_out, double peak) {
  remove_dc(signal);
  fade_edges(signal, 0.0008, fade_out);
  normalise(signal, peak);
  write_wav(path, signal);
}

// Sample 1, a tile set down: a hard contact tick, the bright ringing of a wooden block with a
// short low body under it, and a faint second touch as the tile settles.
static wave make_clack() {
  wave w = blank(0.32);
  forge_random rng(0x5EED0001);
  add_noise_burst(w, 0, make_bandpass(3600, 0.9), 0.9, 0.0004, 0.0016, rng);
  add_mode(w, 0, 196, 0.5, 0.002, 0.038);
  add_mode(w, 0, 1240, 1.0, 0.0005, 0.042);
  add_mode(w, 0, 2870, 0.5, 0.0004, 0.024);
  add_mode(w, 0, 4410, 0.26, 0.0003, 0.013);
  add_mode(w, 0, 6930, 0.12, 0.0002, 0.007);
  const size_t settle = seconds_to_frames(0.021);
  add_mode(w, settle, 1252, 0.2, 0.0006, 0.025);
  add_mode(w, settle, 2900, 0.08, 0.0004, 0.015);
  add_room(w, 0.35, 0.6, 0.18);
  return w;
}

// One soft "bonk": a rounded tone that starts a little sharp and sinks onto its pitch, with a
// muffled thump of noise under the start.
static void add_bonk(wave &out, size_t start, double hz, double amplitude, double tau, forge_random &rng) {
  double phase = 0;
  biquad thump = make_lowpass(500, 0.7);
  for (size_t i = start; i < out.size(); i++) {
    const double t = static_cast<double>(i - start) / sound_rate;
    phase += two_pi * hz * (1 + 0.12 * std::exp(-t / 0.03)) / sound_rate;
    const double body = std::sin(phase) + 0.3 * std::sin(2 * phase) * std::exp(-t / 0.04) +
                        0.12 * std::sin(3 * phase) * std::exp(-t / 0.025);
    out[i] += amplitude * (strike_level(t, 0.004, tau) * body + 1.2 * strike_level(t, 0.002, 0.015) * thump.run(white(rng)));
  }
}

// Sample 2, a refusal: two dull bonks falling a minor third, low-passed so nothing is sharp.
static wave make_refusal() {
  wave w = blank(0.42);
  forge_random rng(0x5EED0002);
  add_bonk(w, 0, 185.0, 1.0, 0.07, rng);
  add_bonk(w, seconds_to_frames(0.11), 155.6, 0.9, 0.09, rng);
  filter_wave(w, make_lowpass(1500, 0.7));
  return w;
}

// Sample 3, a tile picked up: a light tick and a short, soft swish whose band sweeps upwards.
static wave make_pick_up() {
  wave w = blank(0.13);
  forge_random rng(0x5EED0003);
  biquad band = make_bandpass(1200, 2.2), soften = make_lowpass(6000, 0.7);
  for (size_t i = 0; i < w.size(); i++) {
    const double t = static_cast<double>(i) / sound_rate;
    tune_bandpass(band, 1200 * std::pow(3800.0 / 1200.0, std::fmin(t / 0.07, 1.0)), 2.2);
    const double rise = std::sin(0.5 * 3.141592653589793 * std::fmin(t / 0.025, 1.0));
    const double fall = t < 0.025 ? 1.0 : std::pow(std::cos(0.5 * 3.141592653589793 * std::fmin((t - 0.025) / 0.07, 1.0)), 2);
    w[i] += 0.75 * rise * fall * soften.run(band.run(white(rng)));
  }
  add_mode(w, 0, 3300, 0.5, 0.0003, 0.006);
  add_mode(w, 0, 5200, 0.2, 0.0002, 0.004);
  add_mode(w, 0, 1650, 0.3, 0.0005, 0.014);
  return w;
}

// Sample 4, a quarter turn: a small mechanical click over a low knock and a puff of air.
// Slowed to 0.3 the knock becomes a rumble and the air a deep whoosh.
static wave make_turn_click() {
  wave w = blank(0.17);
  forge_random rng(0x5EED0004);
  add_noise_burst(w, 0, make_bandpass(1900, 1.2), 1.0, 0.0003, 0.0025, rng);
  add_mode(w, 0, 960, 0.55, 0.0004, 0.009);
  add_mode(w, 0, 2350, 0.3, 0.0003, 0.005);
  add_mode(w, 0, 170, 0.5, 0.003, 0.03);
  biquad air_low = make_lowpass(1400, 0.8), air_high = make_highpass(150, 0.7);
  for (size_t i = 0; i < w.size(); i++) {
    const double t = static_cast<double>(i) / sound_rate;
    w[i] += 0.9 * strike_level(t, 0.02, 0.045) * air_high.run(air_low.run(white(rng)));
  }
  return w;
}

// One bell-like chime on a MIDI note: harmonic partials with a slightly stretched upper pair,
// the higher ones dying sooner.
static void add_chime(wave &out, size_t start, double note, double amplitude, double tau) {
  static const double ratio[] = {1.0, 2.0, 3.0, 4.16, 5.43};
  static const double level[] = {1.0, 0.45, 0.22, 0.12, 0.06};
  static const double life[] = {1.0, 0.6, 0.4, 0.25, 0.16};
  for (int k = 0; k < 5; k++) add_mode(out, start, note_hz(note) * ratio[k], amplitude * level[k], 0.0015, tau * life[k]);
}

// Sample 5, the board is full: a quick rising D major arpeggio of chimes onto the high tonic,
// a sparkle above it and a warm low chord beneath, in a small hall.
static wave make_fanfare() {
  wave w = blank(2.2);
  static const double rising[] = {74, 78, 81, 86};
  for (int k = 0; k < 4; k++) add_chime(w, seconds_to_frames(0.075 * k), rising[k], k == 3 ? 1.0 : 0.75, 0.55);
  add_chime(w, seconds_to_frames(0.33), 90, 0.3, 0.45);
  add_chime(w, seconds_to_frames(0.40), 93, 0.22, 0.4);
  static const double bed[] = {50, 62, 66, 69};
  for (double note : bed) {
    const double hz = note_hz(note);
    const size_t start = seconds_to_frames(0.225);
    for (size_t i = start; i < w.size(); i++) {
      const double t = static_cast<double>(i - start) / sound_rate;
      const double env = strike_level(t, 0.04, 0.6);
      w[i] += 0.18 * env * (std::sin(two_pi * hz * t) + 0.25 * std::sin(two_pi * 2 * hz * t));
    }
  }
  add_room(w, 0.7, 0.45, 0.35);
  return w;
}

// Sample 6, the curtains meet: a low thump sinking in pitch, softly rounded, with a push of
// dark air and a muffled touch of cloth.
static wave make_whomp() {
  wave w = blank(0.6);
  forge_random rng(0x5EED0006);
  double phase = 0;
  biquad air_a = make_lowpass(420, 0.7), air_b = make_lowpass(420, 0.7);
  for (size_t i = 0; i < w.size(); i++) {
    const double t = static_cast<double>(i) / sound_rate;
    phase += two_pi * (55 + 70 * std::exp(-t / 0.05)) / sound_rate;
    const double thump = std::tanh(1.6 * std::sin(phase)) / std::tanh(1.6);
    w[i] += strike_level(t, 0.006, 0.11) * thump;
    w[i] += 3.5 * strike_level(t, 0.012, 0.07) * air_b.run(air_a.run(white(rng)));
  }
  add_mode(w, 0, 380, 0.15, 0.001, 0.025);
  add_room(w, 0.4, 0.7, 0.12);
  return w;
}

// Runs `filter` round `signal` as if it were a ring: the second pass starts with the state the
// first left at the end, so the result repeats seamlessly.
static wave filter_ring(const wave &signal, biquad filter) {
  wave out(signal.size());
  for (int pass = 0; pass < 2; pass++)
    for (size_t i = 0; i < signal.size(); i++) out[i] = filter.run(signal[i]);
  return out;
}

// Sample 7, the sliding screen: an airy band of noise over a darker rumble band, each swelling
// gently at whole numbers of cycles per period, so the buffer is one exact period of a loop.
static wave make_slide_loop() {
  const size_t n = seconds_to_frames(slide_loop_seconds);
  forge_random rng(0x5EED0007);
  wave noise(n);
  for (float &v : noise) v = static_cast<float>(white(rng));
  wave air = filter_ring(filter_ring(noise, make_bandpass(2200, 0.6)), make_lowpass(5000, 0.7));
  for (float &v : noise) v = static_cast<float>(white(rng));
  wave rumble = filter_ring(filter_ring(noise, make_lowpass(480, 0.9)), make_highpass(90, 0.7));
  wave w(n);
  for (size_t i = 0; i < n; i++) {
    const double cycle = two_pi * static_cast<double>(i) / static_cast<double>(n);
    const double swell = 1 + 0.25 * std::sin(2 * cycle) + 0.12 * std::sin(5 * cycle + 1.3);
    const double sway = 1 + 0.3 * std::sin(3 * cycle + 0.7);
    w[i] = swell * air[i] + 1.6 * sway * rumble[i];
  }
  double mean = 0;
  for (float v : w) mean += v;
  mean /= static_cast<double>(n);
  for (float &v : w) v = static_cast<float>(v - mean);
  normalise(w, slide_loop_peak);
  return w;
}

void forge_sounds(const std::string &run_dir) {
  const std::string folder = run_dir + "/muz/";
  wave clack = make_clack();
  finish_one_shot(folder + "s1.wav", clack, 0.04, one_shot_peak);
  wave refusal = make_refusal();
  finish_one_shot(folder + "s2.wav", refusal, 0.06, one_shot_peak);
  wave pick_up = make_pick_up();
  finish_one_shot(folder + "s3.wav", pick_up, 0.03, one_shot_peak);
  wave turn = make_turn_click();
  finish_one_shot(folder + "s4.wav", turn, 0.03, turn_click_peak);
  wave fanfare = make_fanfare();
  finish_one_shot(folder + "s5.wav", fanfare, 0.5, one_shot_peak);
  wave whomp = make_whomp();
  finish_one_shot(folder + "s6.wav", whomp, 0.12, one_shot_peak);
  write_wav(folder + "s7.wav", make_slide_loop());
}
