// The record's note, its ordinal translated whole: ordinals differ too much between languages to
// be built from a number and a suffix.
#include "program/record_note.h"

#include <array>
#include <cstdio>

#include "services/texts.h"

std::string RecordNote(int rank) {
  const std::array<const char*, 10> ordinals{Tr("1st"), Tr("2nd"), Tr("3rd"), Tr("4th"),
                                             Tr("5th"), Tr("6th"), Tr("7th"), Tr("8th"),
                                             Tr("9th"), Tr("10th")};
  if (rank < 1 || rank > static_cast<int>(ordinals.size())) {
    return {};
  }
  char note[96];
  std::snprintf(note, sizeof note, Tr("New record: %s"), ordinals[rank - 1]);
  return note;
}
