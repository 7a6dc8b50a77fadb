// The sound-making parts: band-limited oscillators, envelopes, a filter, noise, echo, and the
// final conversion to 16-bit samples.
#pragma once
#include <cstdint>
#include <vector>

#include "sounds.h"

namespace datagen {

using Signal = std::vector<float>;

constexpr double kTau = 6.28318530717958647692;

double MidiFrequency(double note);
size_t Samples(double seconds);

enum class Wave { Sine, Triangle, Saw, Square, Pulse };

// One oscillator; Pulse has a 25% duty cycle. Saw, square and pulse are band-limited (PolyBLEP)
// so high notes do not alias.
class Oscillator {
 public:
  double Next(Wave wave, double frequency);

 private:
  double phase_ = 0;
};

// Attack, decay (to the sustain level) and release, in seconds; the release starts when the note
// is let go after `held` seconds.
struct Envelope {
  double attack = 0.005, decay = 0.1, sustain = 0.7, release = 0.1;
  double At(double t, double held) const;
};

// A state-variable filter (low-pass output), resonance 0..1.
class LowPass {
 public:
  double Next(double in, double cutoff, double resonance) {
    return NextTuned(in, Tuning(cutoff), resonance);
  }
  // The same with the cutoff already turned into a coefficient, for filters that stay put.
  static double Tuning(double cutoff);
  double NextTuned(double in, double tuning, double resonance);

 private:
  double low_ = 0, band_ = 0;
};

// White noise in -1..1 from a fixed-seed generator.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed) {}
  double Next();

 private:
  uint32_t state_;
};

// Adds `in` times gain into `out` from index `start`; in a loop what runs past the end comes in
// again at the beginning, else it is cut.
void MixInto(Signal& out, size_t start, const Signal& in, double gain, bool loop);
// Repeats of the signal `delay` seconds apart, each `feedback` times the one before, added at
// `level`; in a loop the echoes of the end sound over the beginning.
void Echo(Signal& signal, double delay, double feedback, double level, bool loop);
// Raised-cosine fades at both ends, reaching exactly zero at the first and last sample.
void FadeEnds(Signal& signal, size_t fadeIn, size_t fadeOut);
// Turns a loop around so that it starts at its quietest zero crossing within `lead` samples
// before its first sample, then eases the few samples on either side of the crossing to exactly
// zero: the loop stays seamless.
void StartAtZeroCrossing(Signal& loop, size_t lead);
// Scales to the given peak (0..1 of full scale) and rounds to 16 bits.
std::vector<int16_t> ToPcm(const Signal& signal, double peak);

}  // namespace datagen
