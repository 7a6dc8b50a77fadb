// What the note over the picture says when a solo game makes the records.
#pragma once
#include <string>

// "New record: 3rd" for rank 3 (1 to 10); empty for any other rank.
std::string RecordNote(int rank);
