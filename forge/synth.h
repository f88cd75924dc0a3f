// Small sound-making helpers shared by the forge's event sounds and its music: oscillators,
// envelopes, filters, a reverb, level tools and the WAV and Ogg Vorbis writers.
// Everything is plain arithmetic on doubles, so the same build writes the same bytes every run.
#pragma once

#include <string>
#include <vector>

constexpr int sound_rate = 44100;  // every forged sound and the music use CD rate
constexpr double two_pi = 6.283185307179586;

// One channel of sound, one value per sample, nominally within -1..1. Single precision is ample
// for 16-bit output and halves the memory of the minute-long music buses.
using wave = std::vector<float>;

// Two channels of equal length.
struct stereo_wave {
  wave left, right;
};

stereo_wave make_stereo(size_t frames);

// Frequency of a MIDI note number (69 = A4 = 440 Hz); fractional notes detune.
double note_hz(double note);

// Sample count of a duration in seconds at sound_rate.
size_t seconds_to_frames(double seconds);

// An attack-decay-sustain-release level at time t after the note starts; the key is held for
// `held` seconds. Attack rises as a quarter sine, decay and release fall exponentially.
struct adsr {
  double attack, decay, sustain, release;
};
double adsr_level(const adsr &shape, double t, double held);

// A struck level: a short linear rise over `attack` then an exponential fall with time constant `tau`.
double strike_level(double t, double attack, double tau);

// A single-cycle table of summed harmonics, read with linear interpolation at a phase in cycles.
struct wavetable {
  std::vector<double> samples;  // table_size + 1 values, the last equal to the first
  double at(double phase) const;
};
// harmonics[k] is the amplitude of harmonic k+1; the table is scaled to a peak of 1.
wavetable make_wavetable(const std::vector<double> &harmonics);

// A second-order filter (direct form I), designed from the usual analogue prototypes.
struct biquad {
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  double run(double x);
};
biquad make_lowpass(double hz, double q = 0.7071);
biquad make_highpass(double hz, double q = 0.7071);
biquad make_bandpass(double hz, double q);  // peak gain 1 at hz
// Re-tunes a band-pass in place (keeping its state), for swept filters.
void tune_bandpass(biquad &filter, double hz, double q);

// Runs `signal` through `filter` in place.
void filter_wave(wave &signal, biquad filter);

// A plate of eight damped combs and four all-passes per channel, for a soft room or hall.
// `size` (0..1) sets the decay, `damping` (0..1) darkens the tail.
struct reverb_settings {
  double size, damping, width;
};
// Adds the reverberated (wet only) sound of `input`, times `level`, into `into`; the plate runs for
// the whole length of `into`, so a longer `into` keeps the tail.
void add_reverb(const stereo_wave &input, stereo_wave &into, const reverb_settings &settings, double level);

// Adds a decaying sine mode (a struck resonance) to `out` starting at sample `start`.
void add_mode(wave &out, size_t start, double hz, double amplitude, double attack, double tau);

// Level tools for a finished one-shot sound.
void remove_dc(wave &signal);                             // high-pass at 20 Hz, then zero mean with the ends kept still
void fade_edges(wave &signal, double fade_in, double fade_out);  // raised-cosine fades, in seconds
void normalise(wave &signal, double peak);                // scales so the largest magnitude is `peak`
double peak_of(const wave &signal);

// Writes `signal` as a mono 16-bit PCM WAV file at sound_rate, or fails the forge.
void write_wav(const std::string &path, const wave &signal);

// Encodes `music` as stereo Ogg Vorbis (VBR at `quality`, -0.1..1) into `path` with the given
// stream serial number, so that the file is the same on every run; fails the forge on error.
void write_ogg(const std::string &path, const stereo_wave &music, float quality, int serial);
