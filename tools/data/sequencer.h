// A small step sequencer: tracks written as text, one token per step, rendered at a tempo.
#pragma once
#include <string>
#include <vector>

#include "instrument.h"

namespace datagen {

struct Note {
  double beat;
  double beats;
  double midi;
  double velocity;
};

// One token per step, separated by spaces: a note name ("C4", "F#5", "Bb3"), several joined by
// '+' for a chord, "-" holds what sounds, "." rests, "x" and "o" strike `hitNote` loud and soft;
// "|" marks bars for the reader and takes no step.
std::vector<Note> ParseSteps(const std::string& text, double stepBeats, double hitNote = 60);
// The notes moved by `beats` and `semitones`.
std::vector<Note> Shifted(std::vector<Note> notes, double beats, double semitones = 0);
// Renders the notes into `out` at `bpm` beats per minute; in a loop, tails wrap to the start.
void Play(Signal& out, const std::vector<Note>& notes, const Instrument& instrument, double bpm,
          double gain, bool loop);

}  // namespace datagen
