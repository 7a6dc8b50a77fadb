// The records file: the player's records as text, read line by line and written in full.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "records/records.h"

// Reads the text of a records file. Sections [solo normal] and [solo hard] hold lines
// "RANK = KM DATE REPLAY" (the replay's name may be left out), [computer normal] and
// [computer hard] the lines "wins = N" and "losses = N". Each bad line adds one complaint
// "FILE:LINE: why" and is skipped; lines under an unknown section are skipped with it. A table
// comes out ordered as the game orders it, best first, whatever the ranks' order in the file.
Records ReadRecords(std::string_view text, const std::string& fileName,
                    std::vector<std::string>& complaints);

// Every section, after comments that explain the format; ReadRecords reads it back to the same
// records without complaint when each table holds at most SoloTableSize entries, each writable
// (IsWritableRecord), in the game's order.
std::string RecordsText(const Records& records);
