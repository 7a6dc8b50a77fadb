// The note's time on screen; the platform lays it over each present.
#include "program/screen_notes.h"

#include "platform/screen_note.h"

namespace {
double noteEnds = 0;
}

void ShowNote(const std::string& note, double now) {
  SetScreenNote(note);
  noteEnds = now + NoteSeconds;
}

bool ExpireNote(double now) {
  if (ScreenNote().empty() || now < noteEnds) {
    return false;
  }
  SetScreenNote("");
  return true;
}
