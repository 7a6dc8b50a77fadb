// The nine one-shot effects, each made directly from oscillators, noise and envelopes.
#include <algorithm>
#include <cmath>

#include "instrument.h"
#include "tunes.h"

namespace datagen {
namespace {

// Ends every effect exactly at zero: a short fade in, a slightly longer fade out.
Signal Finished(Signal signal) {
  FadeEnds(signal, Samples(0.001), Samples(0.01));
  return signal;
}

Instrument Blip(Wave wave, double decay) {
  Instrument i;
  i.wave = wave;
  i.amp = {0.002, decay, 0.0, 0.01};
  i.cutoff = 6000;
  return i;
}

// Notes of one instrument, each starting `gap` seconds after the one before.
void Arpeggiate(Signal& out, const Instrument& instrument, const std::vector<double>& notes,
                double gap, double hold, double gain) {
  for (size_t i = 0; i < notes.size(); ++i) {
    MixInto(out, Samples(gap * i), RenderNote(instrument, notes[i], hold, 1.0, 99 + i), gain,
            false);
  }
}

// Noise through a closing filter over a falling sine thump: the pop of a planet.
void Pop(Signal& out, double pitch, double length) {
  Noise noise(4242);
  LowPass filter;
  Oscillator thump;
  for (size_t i = 0; i < out.size() && i < Samples(length); ++i) {
    const double t = double(i) / kSampleRate;
    const double cutoff = 200 + 5200 * pitch * std::exp(-t / 0.07);
    const double crackle = filter.Next(noise.Next(), cutoff, 0.2) * std::exp(-t / 0.11);
    const double body = thump.Next(Wave::Sine, 45 * pitch + 120 * pitch * std::exp(-t / 0.05)) *
                        std::exp(-t / 0.09);
    out[i] += float(0.8 * crackle + 0.9 * body);
  }
}

}  // namespace

Signal SelectEffect() {
  Signal out(Samples(0.11));
  Arpeggiate(out, Blip(Wave::Pulse, 0.05), {81, 88}, 0.035, 0.04, 0.5);
  return Finished(out);
}

Signal ModeEffect() {
  Signal out(Samples(0.15));
  Oscillator a, b;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / kSampleRate;
    const double frequency = 520 * std::pow(3.0, std::min(t / 0.1, 1.0));
    const double level = std::min(1.0, t / 0.004) * std::exp(-t / 0.05);
    out[i] = float(level * (0.7 * a.Next(Wave::Triangle, frequency) +
                            0.25 * b.Next(Wave::Square, frequency * 1.5)));
  }
  return Finished(out);
}

Signal EnterEffect() {
  Signal out(Samples(0.45));
  Instrument bell = Blip(Wave::Square, 0.25);
  bell.layer = Wave::Sine;
  bell.layerLevel = 0.8;
  bell.layerDetune = 12;
  bell.cutoff = 4000;
  Arpeggiate(out, bell, {72, 76, 79, 84}, 0.05, 0.2, 0.4);
  return Finished(out);
}

Signal BurstEffect() {
  Signal out(Samples(0.45));
  Pop(out, 1.0, 0.45);
  return Finished(out);
}

Signal ChainEffect(int step) {
  Signal out(Samples(0.55));
  Pop(out, step == 2 ? 1.25 : 1.5, 0.4);
  Instrument chime = Blip(Wave::Triangle, 0.3);
  chime.layer = Wave::Sine;
  chime.layerLevel = 0.6;
  chime.layerDetune = 19;  // a twelfth above: glassy
  if (step == 2) {
    Arpeggiate(out, chime, {88, 95}, 0.04, 0.3, 0.45);
  } else {
    chime.cutoff = 9000;
    Arpeggiate(out, chime, {91, 95, 98, 103}, 0.035, 0.28, 0.4);
  }
  return Finished(out);
}

Signal GaugeAlarm() {
  Signal out(Samples(0.12));
  Arpeggiate(out, Blip(Wave::Square, 0.05), {84, 88}, 0.055, 0.05, 0.45);
  return Finished(out);
}

Signal SunEffect() {
  Signal out(Samples(1.0));
  Noise noise(777);
  LowPass filter;
  Oscillator boom;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / kSampleRate;
    const double swell = std::min(1.0, t / 0.25) * std::exp(-std::max(0.0, t - 0.25) / 0.25);
    const double whoosh = filter.Next(noise.Next(), 300 + 6000 * std::min(1.0, t / 0.4), 0.5);
    const double low = boom.Next(Wave::Sine, 40 + 80 * std::exp(-t / 0.1)) * std::exp(-t / 0.2);
    out[i] = float(0.5 * whoosh * swell + 0.8 * low);
  }
  // A bright chord shimmering as it fades.
  Instrument shimmer = Blip(Wave::Triangle, 0.7);
  shimmer.vibrato = 0.2;
  shimmer.vibratoRate = 11;
  Arpeggiate(out, shimmer, {76, 80, 83, 88}, 0.03, 0.6, 0.22);
  return Finished(out);
}

Signal LaunchEffect() {
  Signal out(Samples(4.8));
  Noise noise(1969);
  Noise sparks(2001);
  LowPass rumbleFilter, crackleFilter, toneFilter;
  Oscillator engine;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / kSampleRate;
    // Ignition, then the engines build while the shuttle grows, then fade as it is gone.
    const double build = std::min(1.0, t / 2.5);
    const double fade = std::clamp((4.8 - t) / 1.3, 0.0, 1.0);
    const double rumble = rumbleFilter.Next(noise.Next(), 120 + 900 * build * build, 0.3);
    const double crackle = sparks.Next() > 0.985 - 0.02 * build
                               ? crackleFilter.Next(sparks.Next(), 2500, 0.1)
                               : crackleFilter.Next(0, 2500, 0.1);
    const double tone =
        toneFilter.Next(engine.Next(Wave::Saw, 55 + 110 * build), 400 + 600 * build, 0.2);
    const double ignition = std::exp(-t / 0.15);
    out[i] = float(fade * ((1.2 + 0.8 * build) * rumble * (0.3 + 0.7 * build) +
                           0.6 * crackle * build + 0.18 * tone * build) +
                   ignition * rumble * 1.5);
  }
  return Finished(out);
}

}  // namespace datagen
