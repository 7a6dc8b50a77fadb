// The looping tunes: title (slow, spacey), play (bouncy), pinch (tense, faster). Each is a whole
// number of bars whose tails wrap around to the start, so the loop has no seam.
#include <string>
#include <vector>

#include "sequencer.h"
#include "tunes.h"
#include "voices.h"

namespace datagen {
namespace {

struct Part {
  std::vector<Note> notes;
  Instrument instrument;
  double gain;
  double echoBeats = 0;  // 0: dry
  double echoFeedback = 0.35;
  double echoLevel = 0.3;
};

Signal Arrange(double bpm, int bars, const std::vector<Part>& parts) {
  Signal out(Samples(bars * 4 * 60.0 / bpm), 0.0f);
  for (const Part& part : parts) {
    Signal track(out.size(), 0.0f);
    Play(track, part.notes, part.instrument, bpm, part.gain, true);
    if (part.echoBeats > 0) {
      Echo(track, part.echoBeats * 60.0 / bpm, part.echoFeedback, part.echoLevel, true);
    }
    MixInto(out, 0, track, 1.0, true);
  }
  // Centred on zero and started a few milliseconds early, where the wave crosses zero, the loop
  // joins without a click.
  double sum = 0;
  for (float sample : out) {
    sum += sample;
  }
  for (float& sample : out) {
    sample -= float(sum / double(out.size()));
  }
  StartAtZeroCrossing(out, Samples(0.025));
  return out;
}

std::vector<double> Tones(const std::string& chord) {
  std::vector<double> tones;
  for (const Note& note : ParseSteps(chord, 1)) {
    tones.push_back(note.midi);
  }
  return tones;
}

// Each chord's tones (and the same an octave up) walked up and down in steps.
std::vector<Note> Arpeggio(const std::vector<std::string>& chords, double beatsPerChord,
                           double stepBeats, const std::vector<int>& walk) {
  std::vector<Note> notes;
  double beat = 0;
  for (const std::string& chord : chords) {
    const std::vector<double> tones = Tones(chord);
    const int steps = int(beatsPerChord / stepBeats);
    for (int step = 0; step < steps; ++step) {
      const int k = walk[step % walk.size()];
      const double midi = tones[k % tones.size()] + 12.0 * (k / int(tones.size()));
      notes.push_back({beat + step * stepBeats, stepBeats, midi, step % 2 == 0 ? 1.0 : 0.7});
    }
    beat += beatsPerChord;
  }
  return notes;
}

// The same bar of text `bars` times.
std::string Repeat(const std::string& bar, int bars) {
  std::string text;
  for (int i = 0; i < bars; ++i) {
    text += bar + " | ";
  }
  return text;
}

// A bass line: for each root, `pattern` with "R" for the root and "O" for its octave.
std::vector<Note> BassLine(const std::vector<std::string>& roots, const std::vector<char>& pattern,
                           double stepBeats) {
  std::vector<Note> notes;
  double beat = 0;
  for (const std::string& root : roots) {
    const double midi = Tones(root)[0];
    for (char step : pattern) {
      if (step != '.') {
        notes.push_back({beat, stepBeats, midi + (step == 'O' ? 12 : 0), step == 'O' ? 0.8 : 1.0});
      }
      beat += stepBeats;
    }
  }
  return notes;
}

}  // namespace

// A minor, 90 beats a minute, 12 bars (32 s): pad, bell arpeggio and sub bass; a soft lead and
// a light beat join from the fifth bar.
Signal TitleTune() {
  const double bpm = 90;
  const std::vector<std::string> chords = {
      "A3+C4+E4+B4", "F3+A3+C4+E4",  "G3+C4+E4+B4", "G3+B3+D4+E4", "A3+C4+E4+B4", "F3+A3+C4+E4",
      "F3+A3+C4+E4", "E3+G#3+B3+E4", "F3+A3+C4+E4", "G3+B3+D4+E4", "A3+C4+E4+B4", "E3+G#3+B3+E4"};
  std::string pad;
  for (const std::string& chord : chords) {
    pad += chord + " ";
  }
  Instrument lead = Lead();
  lead.wave = Wave::Triangle;
  lead.layer = Wave::Sine;
  lead.layerDetune = 12;
  lead.layerLevel = 0.25;
  lead.amp = {0.06, 0.3, 0.8, 0.5};
  lead.cutoff = 2200;
  const std::string melody =
      "E5 - - - D5 - C5 - | A4 - - - - - . . | D5 - E5 - F5 - E5 - | B4 - - - G#4 - - . | "
      "C5 - - - A4 - C5 - | D5 - - - B4 - D5 - | E5 - - - - - - - | - - - - . . . .";
  Instrument shaker = Hat();
  shaker.amp = {0.01, 0.08, 0.0, 0.02};
  return Arrange(bpm, 12,
                 {{ParseSteps(pad, 4), Pad(), 0.16},
                  {ParseSteps("A2 F2 C3 G2 A2 F2 D2 E2 F2 G2 A2 E2", 4), SubBass(), 0.55},
                  {Arpeggio(chords, 4, 0.25, {0, 1, 2, 3, 4, 3, 2, 1, 0, 1, 2, 3, 5, 3, 2, 1}),
                   Bell(), 0.17, 0.75, 0.4, 0.45},
                  {Shifted(ParseSteps(melody, 0.5), 16), lead, 0.3, 0.75, 0.35, 0.35},
                  {Shifted(ParseSteps(Repeat("x . . . o . . .", 8), 0.5, 36), 16), Kick(), 0.5},
                  {Shifted(ParseSteps(Repeat(". o . o . o . o", 8), 0.5), 16), shaker, 0.07}});
}

// C major, 126 beats a minute, 24 bars (about 46 s): a bouncing octave bass, offbeat chords and
// a square lead over a steady beat.
Signal PlayTune() {
  const double bpm = 126;
  // Two chords a bar: a verse, a middle part, and the verse again.
  const std::vector<std::string> verse = {"C", "C", "Am", "Am", "F", "F", "G", "G",
                                          "C", "C", "Am", "Am", "F", "G", "C", "C"};
  const std::vector<std::string> middle = {"F", "F", "G", "G", "Em", "Em", "Am", "Am",
                                           "F", "F", "G", "G", "Dm", "Dm", "G",  "G"};
  std::vector<std::string> halves = verse;
  halves.insert(halves.end(), middle.begin(), middle.end());
  halves.insert(halves.end(), verse.begin(), verse.end());
  auto triad = [](const std::string& name) -> std::string {
    if (name == "C")
      return "C4+E4+G4";
    if (name == "Am")
      return "A3+C4+E4";
    if (name == "F")
      return "A3+C4+F4";
    if (name == "G")
      return "B3+D4+G4";
    if (name == "Em")
      return "B3+E4+G4";
    return "A3+D4+F4";
  };
  auto root = [](const std::string& name) -> std::string {
    if (name == "C")
      return "C2";
    if (name == "Am")
      return "A1";
    if (name == "F")
      return "F1";
    if (name == "G")
      return "G1";
    if (name == "Em")
      return "E2";
    return "D2";
  };
  std::vector<std::string> roots;
  std::string stabs;
  for (const std::string& half : halves) {
    roots.push_back(root(half));
    stabs += ". " + triad(half) + " . " + triad(half) + " ";
  }
  const std::string verseTune =
      "G4 - C5 - E5 - G5 - | A5 - G5 - E5 - C5 - | F5 - A5 - C6 - A5 - | G5 - - - D5 - . . | "
      "E5 G5 E5 C5 G4 - C5 - | E5 - D5 - C5 - A4 - | A4 - C5 - B4 - D5 - | C5 - - - . . G4 B4 | ";
  const std::string middleTune =
      "A5 - - A5 G5 - F5 - | G5 - - - D5 - . . | E5 - G5 - B5 - G5 - | A5 - - - E5 - . . | "
      "F5 - A5 - C6 - A5 - | B5 - - - G5 - D5 - | F5 - E5 - D5 - C5 - | B4 - D5 - G5 - . . | ";
  const std::vector<Note> tune = ParseSteps(verseTune + middleTune + verseTune, 0.5);
  const std::string beat = "x . . . x . . . | x . . . x . x . | ";
  const std::string snare = Repeat(". . x . . . x .", 7) + ". . x . . x x x | ";
  return Arrange(bpm, 24,
                 {{BassLine(roots, {'R', 'O', 'R', 'O'}, 0.5), BounceBass(), 0.5},
                  {ParseSteps(stabs, 0.5), Stab(), 0.08},
                  {tune, Lead(), 0.27, 0.75, 0.3, 0.25},
                  {Shifted(ParseSteps(verseTune, 0.5), 64, 12), Bell(), 0.1},
                  {ParseSteps(Repeat(beat, 12), 0.5, 36), Kick(), 0.7},
                  {ParseSteps(snare + snare + snare, 0.5, 50), Snare(), 0.32},
                  {ParseSteps(Repeat("o x o x o x o x", 24), 0.5), Hat(), 0.12}});
}

// E minor, 150 beats a minute, 16 bars (25.6 s): a driving sixteenth bass, a siren, a nervous
// lead and a busier beat.
Signal PinchTune() {
  const double bpm = 150;
  const std::vector<std::string> roots = {"E2", "E2", "F2", "E2", "E2", "E2", "C2", "B1",
                                          "E2", "E2", "F2", "E2", "C2", "D2", "B1", "B1"};
  std::vector<Note> bass;
  for (size_t bar = 0; bar < roots.size(); ++bar) {
    for (const Note& note :
         BassLine({roots[bar]},
                  {'R', 'R', 'O', 'R', 'R', 'R', 'O', 'R', 'R', 'R', 'O', 'R', 'R', 'O', 'R', 'O'},
                  0.25)) {
      bass.push_back({note.beat + bar * 4.0, note.beats, note.midi, note.velocity});
    }
  }
  const std::string lead =
      ". . . . . . . . | . . . . . . . . | . . . . . . . . | . . . . . . . . | "
      "E5 . E5 F5 E5 . B4 . | E5 . E5 F5 G5 . F5 . | E5 . E5 F5 E5 . C5 . | B4 - - - D#5 - - - | "
      "E5 . E5 F5 E5 . B4 . | E5 . E5 F5 G5 . F5 . | E5 . E5 F5 E5 . C5 . | B4 - - - D#5 - - - | "
      "G5 - F#5 - F5 - E5 - | F#5 - F5 - E5 - D#5 - | E5 - - - B4 - - - | D#5 - F#5 - A5 - B5 - | ";
  Instrument siren = Lead();
  siren.wave = Wave::Triangle;
  siren.amp = {0.05, 0.1, 0.9, 0.1};
  siren.vibrato = 0.3;
  siren.vibratoRate = 7;
  Instrument sharpLead = Lead();
  sharpLead.cutoff = 3500;
  const std::string snareBar = ". . . . x . . . . . . . x . . .";
  const std::string roll = ". . . . x . . . . . . . x x x x";
  const std::string snare = Repeat(snareBar, 7) + roll + " | ";
  return Arrange(
      bpm, 16,
      {{bass, BounceBass(), 0.45},
       {ParseSteps(Repeat("B5 - C6 - B5 - C6 -", 2), 1), siren, 0.07},
       {ParseSteps(lead, 0.5), sharpLead, 0.26, 0.5, 0.3, 0.2},
       {Shifted(ParseSteps(lead, 0.5), 0, -5), sharpLead, 0.08},
       {ParseSteps(Repeat(". . . . . . . . . . . . . . . .", 4) +
                       Repeat("E3+B3+E4 . . . . . . . . . . . . . . .", 12),
                   0.25),
        Stab(), 0.12},
       {ParseSteps(Repeat("x . . . x . . . x . . . x . . x", 16), 0.25, 36), Kick(), 0.7},
       {ParseSteps(snare + snare, 0.25, 50), Snare(), 0.32},
       {ParseSteps(Repeat("o o x o o o x o o o x o o o x o", 16), 0.25), Hat(), 0.1}});
}

}  // namespace datagen
