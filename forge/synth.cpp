#include "forge/synth.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "forge/forge.h"

stereo_wave make_stereo(size_t frames) { return {wave(frames, 0.0), wave(frames, 0.0)}; }

double note_hz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

size_t seconds_to_frames(double seconds) {
  return seconds <= 0 ? 0 : static_cast<size_t>(std::lround(seconds * sound_rate));
}

// The level of a held note: quarter-sine attack, exponential fall to the sustain level, and a
// release that reaches exactly zero after `release` seconds so a note never clicks off.
double adsr_level(const adsr &shape, double t, double held) {
  if (t < 0) return 0;
  if (t >= held) {
    const double u = shape.release > 0 ? (t - held) / shape.release : 1;
    if (u >= 1) return 0;
    const double v = 1 - u;
    return adsr_level(shape, held - 1e-9, held) * v * v * v;
  }
  if (t < shape.attack) return std::sin(0.5 * 3.141592653589793 * t / shape.attack);
  return shape.sustain + (1 - shape.sustain) * std::exp(-(t - shape.attack) / shape.decay);
}

// A struck level: linear rise, then exponential fall.
double strike_level(double t, double attack, double tau) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / tau);
}

constexpr size_t table_size = 4096;

// Reads the table at a phase in cycles (any real number) with linear interpolation.
double wavetable::at(double phase) const {
  const double x = (phase - std::floor(phase)) * table_size;
  const size_t i = std::min(static_cast<size_t>(x), table_size - 1);
  const double frac = x - static_cast<double>(i);
  return samples[i] + (samples[i + 1] - samples[i]) * frac;
}

// Sums the given harmonics into one cycle and scales it to a peak of 1.
wavetable make_wavetable(const std::vector<double> &harmonics) {
  wavetable table;
  table.samples.assign(table_size + 1, 0.0);
  for (size_t i = 0; i < table_size; i++) {
    const double phase = two_pi * static_cast<double>(i) / table_size;
    double sum = 0;
    for (size_t k = 0; k < harmonics.size(); k++) sum += harmonics[k] * std::sin(phase * static_cast<double>(k + 1));
    table.samples[i] = sum;
  }
  double peak = 0;
  for (double v : table.samples) peak = std::max(peak, std::fabs(v));
  if (peak > 0)
    for (double &v : table.samples) v /= peak;
  table.samples[table_size] = table.samples[0];
  return table;
}

double biquad::run(double x) {
  const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
  x2 = x1;
  x1 = x;
  y2 = y1;
  y1 = y;
  return y;
}

// Shared start of every design: the angular frequency (kept below Nyquist) and the bandwidth term.
static void design_terms(double hz, double q, double &cosw, double &alpha) {
  const double w = two_pi * std::min(std::max(hz, 5.0), 0.45 * sound_rate) / sound_rate;
  cosw = std::cos(w);
  alpha = std::sin(w) / (2 * q);
}

// Divides the coefficients by a0, keeping the filter's state.
static void set_coefficients(biquad &f, double b0, double b1, double b2, double a0, double a1, double a2) {
  f.b0 = b0 / a0;
  f.b1 = b1 / a0;
  f.b2 = b2 / a0;
  f.a1 = a1 / a0;
  f.a2 = a2 / a0;
}

biquad make_lowpass(double hz, double q) {
  double c, a;
  design_terms(hz, q, c, a);
  biquad f;
  set_coefficients(f, (1 - c) / 2, 1 - c, (1 - c) / 2, 1 + a, -2 * c, 1 - a);
  return f;
}

biquad make_highpass(double hz, double q) {
  double c, a;
  design_terms(hz, q, c, a);
  biquad f;
  set_coefficients(f, (1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + a, -2 * c, 1 - a);
  return f;
}

void tune_bandpass(biquad &filter, double hz, double q) {
  double c, a;
  design_terms(hz, q, c, a);
  set_coefficients(filter, a, 0, -a, 1 + a, -2 * c, 1 - a);
}

biquad make_bandpass(double hz, double q) {
  biquad f;
  tune_bandpass(f, hz, q);
  return f;
}

void filter_wave(wave &signal, biquad filter) {
  for (float &v : signal) v = static_cast<float>(filter.run(v));
}

// One damped feedback comb of the reverb: a delay line whose return is low-passed before it is fed back.
struct reverb_comb {
  wave line;
  size_t pos = 0;
  double low = 0;
  double run(double in, double feedback, double damp) {
    const double out = line[pos];
    low = out * (1 - damp) + low * damp;
    line[pos] = in + low * feedback;
    pos = (pos + 1) % line.size();
    return out;
  }
};

// One all-pass diffuser of the reverb.
struct reverb_allpass {
  wave line;
  size_t pos = 0;
  double run(double in) {
    const double held = line[pos];
    line[pos] = in + held * 0.5;
    pos = (pos + 1) % line.size();
    return held - in;
  }
};

// One channel of the plate: eight parallel combs into four all-passes in series.
struct reverb_channel {
  std::vector<reverb_comb> combs;
  std::vector<reverb_allpass> passes;
  explicit reverb_channel(size_t spread) {
    static const size_t comb_lengths[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const size_t pass_lengths[4] = {556, 441, 341, 225};
    for (size_t n : comb_lengths) combs.push_back({wave(n + spread, 0.0)});
    for (size_t n : pass_lengths) passes.push_back({wave(n + spread, 0.0)});
  }
  double run(double in, double feedback, double damp) {
    double sum = 0;
    for (reverb_comb &c : combs) sum += c.run(in, feedback, damp);
    for (reverb_allpass &p : passes) sum = p.run(sum);
    return sum;
  }
};

// The wet sound of a stereo plate reverb; the two channels differ by a small delay spread,
// and `width` mixes them from mono (0) to fully separate (1).
void add_reverb(const stereo_wave &input, stereo_wave &into, const reverb_settings &settings, double level) {
  reverb_channel left(0), right(23);
  const double feedback = 0.7 + 0.28 * settings.size;
  const double damp = 0.4 * settings.damping;
  const double same = 0.5 + 0.5 * settings.width, cross = 0.5 - 0.5 * settings.width;
  for (size_t i = 0; i < into.left.size(); i++) {
    const double in = i < input.left.size() ? (input.left[i] + input.right[i]) * 0.015 : 0.0;
    const double l = left.run(in, feedback, damp), r = right.run(in, feedback, damp);
    into.left[i] += 3 * level * (l * same + r * cross);
    into.right[i] += 3 * level * (r * same + l * cross);
  }
}

void add_mode(wave &out, size_t start, double hz, double amplitude, double attack, double tau) {
  const size_t length = seconds_to_frames(attack + 10 * tau);
  for (size_t n = 0; n < length && start + n < out.size(); n++) {
    const double t = static_cast<double>(n) / sound_rate;
    out[start + n] += amplitude * strike_level(t, attack, tau) * std::sin(two_pi * hz * t);
  }
}

// Takes out sub-audio drift with a 20 Hz high-pass, then removes what is left of the mean with a
// Hann-shaped correction, so the first and last samples stay where the fades put them.
void remove_dc(wave &signal) {
  if (signal.size() < 3) return;
  filter_wave(signal, make_highpass(20.0));
  double mean = 0, weight = 0;
  const double last = static_cast<double>(signal.size() - 1);
  for (size_t i = 0; i < signal.size(); i++) {
    mean += signal[i];
    weight += 0.5 - 0.5 * std::cos(two_pi * static_cast<double>(i) / last);
  }
  for (size_t i = 0; i < signal.size(); i++)
    signal[i] -= mean / weight * (0.5 - 0.5 * std::cos(two_pi * static_cast<double>(i) / last));
}

void fade_edges(wave &signal, double fade_in, double fade_out) {
  const size_t in = std::min(seconds_to_frames(fade_in), signal.size());
  const size_t out = std::min(seconds_to_frames(fade_out), signal.size());
  for (size_t i = 0; i < in; i++) signal[i] *= 0.5 - 0.5 * std::cos(3.141592653589793 * static_cast<double>(i) / in);
  for (size_t i = 0; i < out; i++)
    signal[signal.size() - 1 - i] *= 0.5 - 0.5 * std::cos(3.141592653589793 * static_cast<double>(i) / out);
}

double peak_of(const wave &signal) {
  double peak = 0;
  for (float v : signal) peak = std::max(peak, static_cast<double>(std::fabs(v)));
  return peak;
}

void normalise(wave &signal, double peak) {
  const double found = peak_of(signal);
  if (found <= 0) return;
  for (float &v : signal) v = static_cast<float>(v * peak / found);
}

// Little-endian field writers for the RIFF header.
static void put_u32(std::FILE *f, uint32_t v) {
  const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
  std::fwrite(b, 1, 4, f);
}

static void put_u16(std::FILE *f, uint16_t v) {
  const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
  std::fwrite(b, 1, 2, f);
}

// A canonical 44-byte RIFF/WAVE header (PCM format 1, one channel, 16 bits) and the samples.
void write_wav(const std::string &path, const wave &signal) {
  std::FILE *f = std::fopen(path.c_str(), "wb");
  if (!f) forge_fail("cannot write " + path);
  const uint32_t data_bytes = static_cast<uint32_t>(signal.size() * 2);
  std::fwrite("RIFF", 1, 4, f);
  put_u32(f, 36 + data_bytes);
  std::fwrite("WAVEfmt ", 1, 8, f);
  put_u32(f, 16);
  put_u16(f, 1);  // PCM
  put_u16(f, 1);  // mono
  put_u32(f, sound_rate);
  put_u32(f, sound_rate * 2);  // bytes per second
  put_u16(f, 2);               // bytes per frame
  put_u16(f, 16);              // bits per sample
  std::fwrite("data", 1, 4, f);
  put_u32(f, data_bytes);
  for (double v : signal) {
    const long s = std::lround(std::min(1.0, std::max(-1.0, v)) * 32767.0);
    put_u16(f, static_cast<uint16_t>(static_cast<int16_t>(s)));
  }
  if (std::fclose(f) != 0) forge_fail("cannot finish " + path);
}

// Writes every page the stream has ready; `flush` forces out a partly filled page too.
static void write_pages(ogg_stream_state &stream, std::FILE *f, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
    std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), f);
    std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), f);
  }
}

// Feeds the finished blocks of the encoder through the bitrate manager into the stream.
static void drain_encoder(vorbis_dsp_state &dsp, vorbis_block &block, ogg_stream_state &stream, std::FILE *f) {
  ogg_packet packet;
  while (vorbis_analysis_blockout(&dsp, &block) == 1) {
    vorbis_analysis(&block, nullptr);
    vorbis_bitrate_addblock(&block);
    while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
      ogg_stream_packetin(&stream, &packet);
      write_pages(stream, f, false);
    }
  }
}

void write_ogg(const std::string &path, const stereo_wave &music, float quality, int serial) {
  std::FILE *f = std::fopen(path.c_str(), "wb");
  if (!f) forge_fail("cannot write " + path);
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 2, sound_rate, quality) != 0) forge_fail("the Vorbis encoder refused its settings");
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, "TITLE", "Level complete");
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, serial);

  // The three header packets go on pages of their own, as players expect.
  ogg_packet id, tags, books;
  vorbis_analysis_headerout(&dsp, &comment, &id, &tags, &books);
  ogg_stream_packetin(&stream, &id);
  ogg_stream_packetin(&stream, &tags);
  ogg_stream_packetin(&stream, &books);
  write_pages(stream, f, true);

  const size_t frames = music.left.size(), chunk = 1024;
  for (size_t at = 0; at < frames; at += chunk) {
    const size_t n = std::min(chunk, frames - at);
    float **buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(n));
    for (size_t i = 0; i < n; i++) {
      buffer[0][i] = static_cast<float>(music.left[at + i]);
      buffer[1][i] = static_cast<float>(music.right[at + i]);
    }
    vorbis_analysis_wrote(&dsp, static_cast<int>(n));
    drain_encoder(dsp, block, stream, f);
  }
  vorbis_analysis_wrote(&dsp, 0);  // end of stream
  drain_encoder(dsp, block, stream, f);
  write_pages(stream, f, true);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  if (std::fclose(f) != 0) forge_fail("cannot finish " + path);
}
