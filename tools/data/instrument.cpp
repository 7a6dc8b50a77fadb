// Renders single notes sample by sample.
#include "instrument.h"

#include <cmath>

namespace datagen {

Signal RenderNote(const Instrument& instrument, double midi, double seconds, double velocity,
                  uint32_t noiseSeed) {
  const size_t length = Samples(seconds + instrument.amp.release);
  Signal out(length);
  Oscillator main, layer;
  LowPass filter;
  Noise noise(noiseSeed | 1u);
  // Pitch and filter are worked out per sample only while they move.
  const bool steadyPitch = instrument.pitchDrop == 0 && instrument.vibrato == 0;
  const bool steadyFilter = instrument.cutoffSweep == 0;
  const double steadyTuning = LowPass::Tuning(instrument.cutoff);
  const double frequency = MidiFrequency(midi);
  const double layerFrequency = MidiFrequency(midi + instrument.layerDetune);
  const double dropFade = std::exp(-1.0 / (instrument.pitchDecay * kSampleRate));
  const double sweepFade = std::exp(-1.0 / (instrument.filterDecay * kSampleRate));
  double drop = instrument.pitchDrop, sweep = instrument.cutoffSweep;
  for (size_t i = 0; i < length; ++i) {
    const double t = double(i) / kSampleRate;
    double ratio = 1;
    if (!steadyPitch) {
      // Vibrato comes in gently over the first quarter second.
      const double bend = drop + instrument.vibrato * std::min(1.0, t * 4) *
                                     std::sin(kTau * instrument.vibratoRate * t);
      ratio = std::exp2(bend / 12.0);
      drop *= dropFade;
    }
    double value = instrument.waveLevel * main.Next(instrument.wave, frequency * ratio);
    if (instrument.layerLevel > 0) {
      value += instrument.layerLevel * layer.Next(instrument.layer, layerFrequency * ratio);
    }
    if (instrument.noiseLevel > 0) {
      value += instrument.noiseLevel * noise.Next();
    }
    const double tuning = steadyFilter ? steadyTuning : LowPass::Tuning(instrument.cutoff + sweep);
    sweep *= sweepFade;
    const double low = filter.NextTuned(value, tuning, instrument.resonance);
    value = instrument.highPass ? value - low : low;
    out[i] = float(value * instrument.amp.At(t, seconds) * velocity * instrument.level);
  }
  return out;
}

}  // namespace datagen
