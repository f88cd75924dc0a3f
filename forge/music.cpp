// The level-complete music ("muz/muzyczka.ogg"): a calm piece in D major at 80 beats a minute,
// composed here bar by bar (pad, bass, arpeggio, a written theme and a few chimes), mixed with an
// echo and a plate reverb, and encoded as stereo Ogg Vorbis.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "forge/forge.h"
#include "forge/paint.h"
#include "forge/synth.h"

constexpr double beat_seconds = 0.75;  // 80 beats a minute
constexpr int beats_per_bar = 4;
constexpr double bar_seconds = beat_seconds * beats_per_bar;
constexpr int key_shift = 2;         // the theme is written in C and sounds in D
constexpr double tail_seconds = 5.0;  // after the last bar: the final chord and the reverb die away
constexpr float music_quality = 0.35f;
constexpr double music_peak = 0.89;  // about -1 dBFS before encoding
constexpr int music_serial = 0x51ADE001;  // fixed, so the file is the same on every run

// Chords by scale degree (0 = I, 5 = vi ...), one per bar: intro, theme, answer, theme again, close.
static const int progression[] = {0, 5, 3, 4,                // intro: pad, chimes, then bass and arpeggio
                                  0, 5, 3, 4, 0, 5, 3, 4,    // the theme
                                  3, 4, 2, 5, 3, 4, 0, 4,    // the answer, climbing higher
                                  0, 5, 3, 4,                // the theme's first half
                                  3, 0};                     // plagal close, final chord held
constexpr int bar_count = sizeof(progression) / sizeof(progression[0]);
constexpr int intro_bars = 4, answer_first = 12, answer_last = 19, reprise_first = 20;

// The theme in C, note by note from the start of bar 4 (pitch 0 is a rest; lengths in beats).
struct melody_note {
  int pitch;
  double beats;
};
static const melody_note theme[] = {
    {0, 3}, {67, 1},                                    // pickup
    {76, 1.5}, {79, 0.5}, {76, 1}, {74, 1},             // I
    {72, 1.5}, {74, 0.5}, {76, 2},                      // vi
    {77, 1.5}, {76, 0.5}, {74, 1}, {72, 1},             // IV
    {74, 3}, {67, 1},                                   // V
    {76, 1.5}, {79, 0.5}, {84, 1}, {83, 1},             // I
    {81, 1.5}, {79, 0.5}, {76, 2},                      // vi
    {77, 1}, {81, 1}, {79, 1}, {77, 0.5}, {74, 0.5},    // IV
    {76, 1}, {74, 2}, {0, 1},                           // V
    {81, 2}, {79, 1}, {77, 1},                          // IV
    {79, 2}, {74, 2},                                   // V
    {76, 1}, {79, 1}, {83, 1}, {81, 0.5}, {79, 0.5},    // iii
    {81, 3}, {76, 1},                                   // vi
    {77, 1}, {81, 1}, {84, 1.5}, {81, 0.5},             // IV
    {83, 1.5}, {81, 0.5}, {79, 2},                      // V
    {76, 1}, {79, 1}, {84, 2},                          // I
    {83, 1}, {81, 1}, {79, 2},                          // V
    {76, 1.5}, {79, 0.5}, {76, 1}, {74, 1},             // I
    {72, 1.5}, {74, 0.5}, {76, 2},                      // vi
    {77, 1.5}, {76, 0.5}, {74, 1}, {72, 1},             // IV
    {74, 2}, {71, 1}, {74, 1},                          // V
    {77, 1}, {76, 1}, {74, 2},                          // IV
    {72, 4},                                            // I
};
constexpr int theme_first_bar = 3;

static const int major_steps[7] = {0, 2, 4, 5, 7, 9, 11};

// Semitone of scale step `index` above C (steps past the octave go up an octave).
static int scale_semitone(int index) { return major_steps[index % 7] + 12 * (index / 7); }

// The three tones of the triad on `degree`, in semitones above C.
static void triad_of(int degree, int tones[3]) {
  for (int k = 0; k < 3; k++) tones[k] = scale_semitone(degree + 2 * k);
}

// The shared sine and the timbres of the table voices.
struct music_voices {
  wavetable sine, pad, bass, lead;
};

static music_voices make_voices() {
  music_voices v;
  v.sine = make_wavetable({1.0});
  std::vector<double> soft_saw;
  for (int k = 1; k <= 14; k++) soft_saw.push_back(std::pow(static_cast<double>(k), -1.35));
  v.pad = make_wavetable(soft_saw);
  v.bass = make_wavetable({1.0, 0.35, 0.12, 0.05});
  v.lead = make_wavetable({1.0, 0.4, 0.18, 0.08, 0.04});
  return v;
}

// How a table voice plays one note: its timbre, envelope, level, place and wavering.
struct tone_style {
  const wavetable *table;
  adsr shape;
  double amplitude, pan, cents, vibrato_depth, vibrato_rate, vibrato_delay;
};

// Constant-power gains of a pan position 0 (left) .. 1 (right).
static void pan_gains(double pan, double &left, double &right) {
  left = std::cos(0.5 * 3.141592653589793 * pan);
  right = std::sin(0.5 * 3.141592653589793 * pan);
}

// Adds one note of a table voice to `bus`. The envelope is worked out every 32 samples and
// drawn straight between, which is inaudible and keeps the forge fast.
static void play_tone(stereo_wave &bus, const tone_style &style, double note, double start, double held) {
  const size_t first = seconds_to_frames(start);
  const size_t length = seconds_to_frames(held + style.shape.release);
  const double hz = note_hz(note + style.cents / 100.0);
  double gain_l, gain_r, phase = 0;
  pan_gains(style.pan, gain_l, gain_r);
  constexpr size_t step = 32;
  for (size_t block = 0; block < length; block += step) {
    const double env_a = adsr_level(style.shape, static_cast<double>(block) / sound_rate, held);
    const double env_b = adsr_level(style.shape, static_cast<double>(block + step) / sound_rate, held);
    for (size_t n = block; n < std::min(block + step, length) && first + n < bus.left.size(); n++) {
      const double t = static_cast<double>(n) / sound_rate;
      const double vibrato = style.vibrato_depth == 0 ? 0.0
                             : style.vibrato_depth * std::sin(two_pi * style.vibrato_rate * t) *
                                   smoothstep(style.vibrato_delay, style.vibrato_delay + 0.4, t);
      phase += hz * (1 + 0.05776 * vibrato) / sound_rate;
      const double v = style.amplitude * (env_a + (env_b - env_a) * static_cast<double>(n - block) / step) *
                       style.table->at(phase);
      bus.left[first + n] += v * gain_l;
      bus.right[first + n] += v * gain_r;
    }
  }
}

// Adds one note of the arpeggio's voice: a two-operator FM tone whose brightness falls fast
// after the strike, like a soft electric piano.
static void play_keys(stereo_wave &bus, const wavetable &sine, double note, double start, double held, double amplitude,
                      double pan) {
  const size_t first = seconds_to_frames(start);
  const size_t length = seconds_to_frames(held + 0.15);
  const double hz = note_hz(note);
  double gain_l, gain_r;
  pan_gains(pan, gain_l, gain_r);
  for (size_t n = 0; n < length && first + n < bus.left.size(); n++) {
    const double t = static_cast<double>(n) / sound_rate;
    const double index = 0.3 + 1.5 * std::exp(-t / 0.15);
    const double release = t < held ? 1.0 : std::pow(1 - (t - held) / 0.15, 2);
    const double v = amplitude * strike_level(t, 0.004, 0.35) * release *
                     sine.at(hz * t + index * sine.at(2 * hz * t) / two_pi);
    bus.left[first + n] += v * gain_l;
    bus.right[first + n] += v * gain_r;
  }
}

// Adds one chime: a few bell partials, each fading on its own.
static void play_chime(stereo_wave &bus, const wavetable &sine, double note, double start, double amplitude, double pan) {
  static const double ratio[] = {1.0, 2.0, 3.0, 4.16};
  static const double level[] = {1.0, 0.4, 0.18, 0.1};
  static const double life[] = {1.2, 0.7, 0.45, 0.3};
  const size_t first = seconds_to_frames(start), length = seconds_to_frames(4.0);
  const double hz = note_hz(note);
  double gain_l, gain_r;
  pan_gains(pan, gain_l, gain_r);
  for (size_t n = 0; n < length && first + n < bus.left.size(); n++) {
    const double t = static_cast<double>(n) / sound_rate;
    double v = 0;
    for (int k = 0; k < 4; k++) v += level[k] * strike_level(t, 0.002, life[k]) * sine.at(ratio[k] * hz * t);
    v *= amplitude * std::min(1.0, (4.0 - t) / 0.5);
    bus.left[first + n] += v * gain_l;
    bus.right[first + n] += v * gain_r;
  }
}

// The pad: each bar's triad in close position between G3 and F#4 (in C), a tone that stays in
// the next chord is held over rather than struck again; two detuned voices spread left and right.
static void compose_pad(stereo_wave &bus, const music_voices &voices) {
  const adsr shape = {1.2, 2.0, 0.8, 1.8};
  auto voiced = [](int bar, int pitch) {
    int tones[3];
    triad_of(progression[bar], tones);
    for (int tone : tones)
      if ((tone % 12 + 12 - 7) % 12 + 55 == pitch) return true;
    return false;
  };
  for (int bar = 0; bar < bar_count; bar++) {
    int tones[3];
    triad_of(progression[bar], tones);
    for (int tone : tones) {
      const int pitch = (tone % 12 + 12 - 7) % 12 + 55;
      if (bar > 0 && voiced(bar - 1, pitch)) continue;
      int run = 1;
      while (bar + run < bar_count && voiced(bar + run, pitch)) run++;
      const double held = run * bar_seconds + (bar + run == bar_count ? 0.5 * bar_seconds : 0.0);
      const double lift = bar >= answer_first && bar <= answer_last ? 1.12 : 1.0;
      for (int side = 0; side < 2; side++) {
        const tone_style style = {&voices.pad, shape, 0.075 * lift, side ? 0.75 : 0.25, side ? 7.0 : -7.0, 0, 0, 0};
        play_tone(bus, style, pitch + key_shift, bar * bar_seconds, held);
      }
    }
  }
}

// The bass: from bar 3, the root held over the first half, then the fifth below and the root
// again; the intro's bars and the last bar keep to one long root.
static void compose_bass(stereo_wave &bus, const music_voices &voices) {
  const tone_style style = {&voices.bass, {0.012, 0.5, 0.55, 0.25}, 0.34, 0.5, 0, 0, 0, 0};
  for (int bar = 2; bar < bar_count; bar++) {
    const int root = 36 + scale_semitone(progression[bar]) + key_shift;
    const double at = bar * bar_seconds;
    if (bar < intro_bars) {
      play_tone(bus, style, root, at, bar_seconds * 0.95);
    } else if (bar == bar_count - 1) {
      tone_style last = style;
      last.shape.release = 2.0;
      play_tone(bus, last, root, at, bar_seconds * 1.2);
    } else {
      play_tone(bus, style, root, at, 1.8 * beat_seconds);
      play_tone(bus, style, root - 5, at + 2 * beat_seconds, 0.9 * beat_seconds);
      play_tone(bus, style, root, at + 3 * beat_seconds, 0.9 * beat_seconds);
    }
  }
}

// The arpeggio: eighth notes up and down the triad from about C4, accented on the beats, a
// little uneven in time and weight as if played, softer while it enters in the intro.
static void compose_arpeggio(stereo_wave &bus, const music_voices &voices, forge_random &rng) {
  static const int pattern[8] = {0, 1, 2, 3, 4, 3, 2, 1};
  for (int bar = 2; bar < bar_count - 1; bar++) {
    int tones[3];
    triad_of(progression[bar], tones);
    const int base = 60 + key_shift - (tones[0] >= 7 ? 12 : 0);
    const double level = bar < intro_bars ? 0.6 : (bar < answer_first ? 0.85 : 1.0);
    for (int step = 0; step < 8; step++) {
      if (bar == bar_count - 2 && step == 7) break;  // leave room before the final chord
      const int j = pattern[step];
      const double note = base + tones[j % 3] + 12 * (j / 3);
      const double start = bar * bar_seconds + step * 0.5 * beat_seconds + rng.range(-0.004, 0.004);
      const double weight = (step % 2 == 0 ? 0.13 : 0.1) * rng.range(0.92, 1.08) * level;
      play_keys(bus, voices.sine, note, std::max(0.0, start), 0.42 * beat_seconds, weight, step % 2 ? 0.62 : 0.38);
    }
  }
}

// The theme on a soft, breathy lead with a late vibrato; its return is doubled an octave up
// by quiet chimes.
static void compose_melody(stereo_wave &lead, stereo_wave &chimes, const music_voices &voices) {
  const tone_style style = {&voices.lead, {0.05, 0.6, 0.75, 0.3}, 0.25, 0.5, 0, 0.12, 5.2, 0.25};
  double beat = theme_first_bar * beats_per_bar;
  const int count = sizeof(theme) / sizeof(theme[0]);
  for (int i = 0; i < count; i++) {
    const melody_note &n = theme[i];
    const double start = beat * beat_seconds;
    if (n.pitch > 0) {
      tone_style shaped = style;
      if (i == count - 1) shaped.shape.release = 1.6;
      play_tone(lead, shaped, n.pitch + key_shift, start, n.beats * beat_seconds - 0.04);
      if (start >= reprise_first * bar_seconds - 0.01 && i < count - 3)
        play_chime(chimes, voices.sine, n.pitch + key_shift + 12, start, 0.05, 0.6);
    }
    beat += n.beats;
  }
  if (beat != bar_count * beats_per_bar) forge_fail("the theme does not fill its bars");
}

// Chimes: a few in the intro and the answer on random tones of the bar's chord, and a slow
// rising twinkle over the final chord.
static void compose_chimes(stereo_wave &bus, const music_voices &voices, forge_random &rng) {
  for (int bar = 0; bar < bar_count - 1; bar++) {
    const bool sparse = bar < intro_bars || (bar >= answer_first && bar <= answer_last);
    if (!sparse) continue;
    int tones[3];
    triad_of(progression[bar], tones);
    const int strikes = bar < 2 ? 2 : 1;
    for (int s = 0; s < strikes; s++) {
      const int beat = s == 0 ? (bar < 2 ? 0 : 1 + rng.below(3)) : 2 + rng.below(2);
      const double note = 84 + key_shift + tones[rng.below(3)] - (tones[0] >= 7 ? 12 : 0);
      play_chime(bus, voices.sine, note, bar * bar_seconds + beat * beat_seconds, rng.range(0.05, 0.08), rng.range(0.2, 0.8));
    }
  }
  static const int twinkle[] = {84, 88, 91, 96};
  for (int k = 0; k < 4; k++)
    play_chime(bus, voices.sine, twinkle[k] + key_shift, (bar_count - 1) * bar_seconds + k * 0.5 * beat_seconds,
               0.08 - 0.012 * k, 0.3 + 0.13 * k);
}

// A ping-pong echo added to `bus`: each repeat crosses to the other side and comes back softer.
// Two delay lines of one echo's length are read and rewritten in step.
static void add_ping_pong(stereo_wave &bus, double delay, double feedback, double mix) {
  const size_t d = seconds_to_frames(delay);
  wave left(d, 0.0), right(d, 0.0);
  for (size_t i = 0; i < bus.left.size(); i++) {
    const size_t at = i % d;
    const double out_l = left[at], out_r = right[at];
    left[at] = 0.5 * (bus.left[i] + bus.right[i]) + feedback * out_r;
    right[at] = feedback * out_l;
    bus.left[i] += mix * out_l;
    bus.right[i] += mix * out_r;
  }
}

// Adds `bus` times `gain` into `into`.
static void mix_into(stereo_wave &into, const stereo_wave &bus, double gain) {
  for (size_t i = 0; i < into.left.size() && i < bus.left.size(); i++) {
    into.left[i] += gain * bus.left[i];
    into.right[i] += gain * bus.right[i];
  }
}

// Clears `bus` for the next part.
static void clear_bus(stereo_wave &bus) {
  std::fill(bus.left.begin(), bus.left.end(), 0.0);
  std::fill(bus.right.begin(), bus.right.end(), 0.0);
}

// Scales the mix to its peak level and gives it gentle edges: a few milliseconds in, and the
// last three seconds faded to silence so the piece ends softly.
static void level_music(stereo_wave &music) {
  const size_t frames = music.left.size();
  double peak = 0;
  for (size_t i = 0; i < frames; i++) peak = std::max({peak, std::fabs(double{music.left[i]}), std::fabs(double{music.right[i]})});
  const size_t fade_in = seconds_to_frames(0.02), fade_out = seconds_to_frames(3.0);
  for (size_t i = 0; i < frames; i++) {
    double g = music_peak / peak;
    if (i < fade_in) g *= static_cast<double>(i) / fade_in;
    if (frames - i <= fade_out) g *= std::pow(static_cast<double>(frames - 1 - i) / fade_out, 2);
    music.left[i] *= g;
    music.right[i] *= g;
  }
}

void forge_music(const std::string &run_dir) {
  const size_t frames = seconds_to_frames(bar_count * bar_seconds + tail_seconds);
  const music_voices voices = make_voices();
  forge_random rng(0x3D0C0DA);
  // Each part is played onto `bus`, shaped, then added to the dry mix and to the reverb's send.
  stereo_wave music = make_stereo(frames), send = make_stereo(frames), bus = make_stereo(frames);

  compose_pad(bus, voices);
  filter_wave(bus.left, make_lowpass(2400, 0.6));
  filter_wave(bus.right, make_lowpass(2400, 0.6));
  mix_into(music, bus, 1.0);
  mix_into(send, bus, 0.35);

  clear_bus(bus);
  compose_bass(bus, voices);
  mix_into(music, bus, 1.0);
  mix_into(send, bus, 0.05);

  clear_bus(bus);
  compose_arpeggio(bus, voices, rng);
  add_ping_pong(bus, 0.75 * beat_seconds, 0.3, 0.3);
  mix_into(music, bus, 1.0);
  mix_into(send, bus, 0.3);

  clear_bus(bus);
  stereo_wave chimes = make_stereo(frames);
  compose_melody(bus, chimes, voices);
  mix_into(music, bus, 1.0);
  mix_into(send, bus, 0.35);

  compose_chimes(chimes, voices, rng);
  mix_into(music, chimes, 1.0);
  mix_into(send, chimes, 0.6);

  add_reverb(send, music, {0.82, 0.5, 0.9}, 0.45);

  level_music(music);
  write_ogg(run_dir + "/muz/muzyczka.ogg", music, music_quality, music_serial);
}
