// Oscillators, envelopes, filter, noise and the loop-aware mixing helpers.
#include "synth.h"

#include <algorithm>
#include <cmath>

namespace datagen {
namespace {

// The PolyBLEP correction that rounds off a jump of the waveform at phase 0.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

}  // namespace

double MidiFrequency(double note) {
  return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

size_t Samples(double seconds) {
  return size_t(std::llround(seconds * kSampleRate));
}

double Oscillator::Next(Wave wave, double frequency) {
  const double dt = std::min(frequency / kSampleRate, 0.5);
  double value = 0;
  switch (wave) {
    case Wave::Sine:
      value = std::sin(kTau * phase_);
      break;
    case Wave::Saw:
      value = 2.0 * phase_ - 1.0 - PolyBlep(phase_, dt);
      break;
    case Wave::Triangle:
      // Its harmonics fall fast enough that the plain shape does not alias audibly.
      value = 1.0 - 4.0 * std::fabs(phase_ - 0.5);
      break;
    case Wave::Square:
      value = phase_ < 0.5 ? 1.0 : -1.0;
      value += PolyBlep(phase_, dt);
      value -= PolyBlep(std::fmod(phase_ + 0.5, 1.0), dt);
      break;
    case Wave::Pulse: {
      value = phase_ < 0.25 ? 1.0 : -1.0;
      value += PolyBlep(phase_, dt);
      value -= PolyBlep(std::fmod(phase_ + 0.75, 1.0), dt);
      value += 0.5;  // a quarter high, three quarters low: centre it on zero
      break;
    }
  }
  phase_ += dt;
  if (phase_ >= 1.0) {
    phase_ -= 1.0;
  }
  return value;
}

double Envelope::At(double t, double held) const {
  auto level = [this](double time) {
    if (time < attack) {
      return time / attack;
    }
    if (time < attack + decay) {
      return 1.0 - (1.0 - sustain) * (time - attack) / decay;
    }
    return sustain;
  };
  if (t < held) {
    return level(t);
  }
  const double after = t - held;
  return after >= release ? 0.0 : level(held) * (1.0 - after / release);
}

// The filter runs twice per sample: that keeps it stable up to a quarter of the sample rate.
double LowPass::Tuning(double cutoff) {
  return 2.0 *
         std::sin(3.14159265358979 * std::min(cutoff, kSampleRate / 4.0) / (2.0 * kSampleRate));
}

double LowPass::NextTuned(double in, double f, double resonance) {
  const double damping = 2.0 * (1.0 - 0.95 * resonance);
  for (int pass = 0; pass < 2; ++pass) {
    low_ += f * band_;
    const double high = in - low_ - damping * band_;
    band_ += f * high;
  }
  return low_;
}

double Noise::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_ / 2147483647.5 - 1.0;
}

void MixInto(Signal& out, size_t start, const Signal& in, double gain, bool loop) {
  for (size_t i = 0; i < in.size(); ++i) {
    size_t at = start + i;
    if (at >= out.size()) {
      if (!loop) {
        break;
      }
      at %= out.size();
    }
    out[at] += float(in[i] * gain);
  }
}

void Echo(Signal& signal, double delay, double feedback, double level, bool loop) {
  const size_t gap = Samples(delay);
  const size_t n = signal.size();
  if (gap == 0 || gap >= n) {
    return;
  }
  // echo[i] = dry[i - gap] + feedback * echo[i - gap]; in a loop the indices wrap, and a second
  // pass lets the echoes of the end reach the beginning.
  const Signal dry = signal;
  Signal echo(n, 0.0f);
  for (int pass = 0; pass < (loop ? 2 : 1); ++pass) {
    for (size_t i = 0; i < n; ++i) {
      if (i < gap && !loop) {
        continue;
      }
      const size_t from = (i + n - gap) % n;
      echo[i] = float(dry[from] + feedback * echo[from]);
    }
  }
  for (size_t i = 0; i < n; ++i) {
    signal[i] += float(level * echo[i]);
  }
}

void FadeEnds(Signal& signal, size_t fadeIn, size_t fadeOut) {
  const size_t n = signal.size();
  for (size_t i = 0; i < std::min(fadeIn, n); ++i) {
    signal[i] *= float(0.5 - 0.5 * std::cos(3.14159265358979 * double(i) / double(fadeIn)));
  }
  for (size_t i = 0; i < std::min(fadeOut, n); ++i) {
    signal[n - 1 - i] *=
        float(0.5 - 0.5 * std::cos(3.14159265358979 * double(i) / double(fadeOut)));
  }
}

void StartAtZeroCrossing(Signal& loop, size_t lead) {
  const size_t n = loop.size();
  size_t best = 0;
  float bestLevel = std::max(std::fabs(loop[0]), std::fabs(loop[n - 1]));
  for (size_t back = 1; back < std::min(lead, n); ++back) {
    const size_t first = n - back;
    const float level = std::max(std::fabs(loop[first]), std::fabs(loop[first - 1]));
    if (level < bestLevel) {
      best = first;
      bestLevel = level;
    }
  }
  std::rotate(loop.begin(), loop.begin() + std::ptrdiff_t(best), loop.end());
  FadeEnds(loop, 8, 8);
}

std::vector<int16_t> ToPcm(const Signal& signal, double peak) {
  float loudest = 1e-9f;
  for (float v : signal) {
    loudest = std::max(loudest, std::fabs(v));
  }
  const double scale = peak * 32767.0 / loudest;
  std::vector<int16_t> pcm(signal.size());
  for (size_t i = 0; i < signal.size(); ++i) {
    pcm[i] = int16_t(std::lround(std::clamp(signal[i] * scale, -32767.0, 32767.0)));
  }
  return pcm;
}

}  // namespace datagen
