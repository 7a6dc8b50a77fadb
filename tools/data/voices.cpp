// Instrument settings, tuned by ear.
#include "voices.h"

namespace datagen {

Instrument Pad() {
  Instrument i;
  i.wave = Wave::Saw;
  i.layer = Wave::Saw;
  i.layerLevel = 0.9;
  i.layerDetune = 0.11;
  i.amp = {0.9, 0.5, 0.8, 1.4};
  i.cutoff = 1100;
  i.vibrato = 0.04;
  i.vibratoRate = 0.4;
  i.level = 0.5;
  return i;
}

Instrument Bell() {
  Instrument i;
  i.wave = Wave::Triangle;
  i.layer = Wave::Sine;
  i.layerLevel = 0.45;
  i.layerDetune = 12.03;
  i.amp = {0.002, 0.45, 0.0, 0.05};
  i.cutoff = 5000;
  return i;
}

Instrument SubBass() {
  Instrument i;
  i.wave = Wave::Sine;
  i.layer = Wave::Triangle;
  i.layerLevel = 0.35;
  i.amp = {0.03, 0.3, 0.85, 0.25};
  i.cutoff = 700;
  return i;
}

Instrument BounceBass() {
  Instrument i;
  i.wave = Wave::Square;
  i.layer = Wave::Sine;
  i.layerLevel = 0.8;
  i.layerDetune = -12;
  i.amp = {0.003, 0.16, 0.35, 0.04};
  i.cutoff = 380;
  i.cutoffSweep = 2200;
  i.filterDecay = 0.06;
  i.resonance = 0.35;
  return i;
}

Instrument Lead() {
  Instrument i;
  i.wave = Wave::Square;
  i.layer = Wave::Pulse;
  i.layerLevel = 0.5;
  i.layerDetune = 0.07;
  i.amp = {0.01, 0.2, 0.7, 0.12};
  i.cutoff = 2600;
  i.cutoffSweep = 1500;
  i.filterDecay = 0.15;
  i.vibrato = 0.12;
  i.vibratoRate = 5.5;
  return i;
}

Instrument Stab() {
  Instrument i;
  i.wave = Wave::Pulse;
  i.amp = {0.002, 0.12, 0.0, 0.03};
  i.cutoff = 1800;
  i.cutoffSweep = 2500;
  i.filterDecay = 0.05;
  return i;
}

Instrument Kick() {
  Instrument i;
  i.wave = Wave::Sine;
  i.amp = {0.001, 0.28, 0.0, 0.02};
  i.pitchDrop = 30;
  i.pitchDecay = 0.025;
  i.cutoff = 3000;
  return i;
}

Instrument Snare() {
  Instrument i;
  i.wave = Wave::Triangle;
  i.waveLevel = 0.6;
  i.noiseLevel = 0.9;
  i.amp = {0.001, 0.16, 0.0, 0.02};
  i.pitchDrop = 7;
  i.pitchDecay = 0.02;
  i.cutoff = 5500;
  return i;
}

Instrument Hat() {
  Instrument i;
  i.waveLevel = 0;
  i.noiseLevel = 1;
  i.amp = {0.001, 0.045, 0.0, 0.01};
  i.cutoff = 7000;
  i.highPass = true;
  return i;
}

}  // namespace datagen
