// A voice of the sequencer: up to two oscillators and noise, a filter with its own sweep, pitch
// drop and vibrato, shaped by an envelope.
#pragma once
#include <cstdint>

#include "synth.h"

namespace datagen {

struct Instrument {
  Wave wave = Wave::Square;
  double waveLevel = 1;
  Wave layer = Wave::Sine;  // the second oscillator, heard at layerLevel
  double layerLevel = 0;
  double layerDetune = 0;  // semitones
  double noiseLevel = 0;
  Envelope amp;
  double cutoff = 12000;     // Hz
  double cutoffSweep = 0;    // Hz added at the start of the note, dying away over filterDecay
  double filterDecay = 0.2;  // seconds
  double resonance = 0;
  bool highPass = false;  // keep what the filter takes away instead (cymbals)
  double pitchDrop = 0;   // semitones above the note at its start, falling over pitchDecay
  double pitchDecay = 0.05;
  double vibrato = 0;  // semitones
  double vibratoRate = 5;
  double level = 1;
};

// One note held for `seconds`, its release included.
Signal RenderNote(const Instrument& instrument, double midi, double seconds, double velocity,
                  uint32_t noiseSeed);

}  // namespace datagen
