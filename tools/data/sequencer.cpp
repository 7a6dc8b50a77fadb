// Parsing of step text and rendering of note lists.
#include "sequencer.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace datagen {
namespace {

// "C4" is middle C (60); '#' raises and 'b' lowers by a semitone.
double NoteNumber(const std::string& name) {
  static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.empty() || name[0] < 'A' || name[0] > 'G') {
    std::fprintf(stderr, "astorine-data: bad note '%s'\n", name.c_str());
    std::exit(1);
  }
  int semitone = kSemitones[name[0] - 'A'];
  size_t at = 1;
  while (at < name.size() && (name[at] == '#' || name[at] == 'b')) {
    semitone += name[at] == '#' ? 1 : -1;
    ++at;
  }
  const int octave = std::atoi(name.c_str() + at);
  return 12.0 * (octave + 1) + semitone;
}

}  // namespace

std::vector<Note> ParseSteps(const std::string& text, double stepBeats, double hitNote) {
  std::vector<Note> notes;
  std::vector<size_t> sounding;  // indices of the notes a "-" extends
  std::istringstream tokens(text);
  std::string token;
  double beat = 0;
  while (tokens >> token) {
    if (token == "|") {
      continue;
    }
    if (token == "-") {
      for (size_t index : sounding) {
        notes[index].beats += stepBeats;
      }
    } else if (token == ".") {
      sounding.clear();
    } else if (token == "x" || token == "o") {
      sounding = {notes.size()};
      notes.push_back({beat, stepBeats, hitNote, token == "x" ? 1.0 : 0.5});
    } else {
      sounding.clear();
      std::istringstream chord(token);
      std::string name;
      while (std::getline(chord, name, '+')) {
        sounding.push_back(notes.size());
        notes.push_back({beat, stepBeats, NoteNumber(name), 1.0});
      }
    }
    beat += stepBeats;
  }
  return notes;
}

std::vector<Note> Shifted(std::vector<Note> notes, double beats, double semitones) {
  for (Note& note : notes) {
    note.beat += beats;
    note.midi += semitones;
  }
  return notes;
}

void Play(Signal& out, const std::vector<Note>& notes, const Instrument& instrument, double bpm,
          double gain, bool loop) {
  const double secondsPerBeat = 60.0 / bpm;
  uint32_t seed = 12345;
  for (const Note& note : notes) {
    const Signal sound = RenderNote(instrument, note.midi, note.beats * secondsPerBeat * 0.98,
                                    note.velocity, seed += 7919);
    MixInto(out, Samples(note.beat * secondsPerBeat), sound, gain, loop);
  }
}

}  // namespace datagen
