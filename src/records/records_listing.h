// What `astorine --records` prints: the records as lines for people and for programs alike.
#pragma once
#include <string>

#include "records/records.h"

// Lines beginning with "#" are for people: a title, each table's name and its columns' names, in
// the player's language. Every other line is one row of tab-separated columns whose first names
// its table: "solo-normal" or "solo-hard", then the rank, the distance in km, the date in UTC
// (2026-12-07T20:31:05Z) and the path of the replay to watch (`replaysFolder`/NAME; "-" for none);
// "computer-normal" or "computer-hard", then the wins and the losses.
std::string RecordsListing(const Records& records, const std::string& replaysFolder);
