// The two numbers a replay is played by. The format version changes with the file's layout; the
// logic version with the game's rules.
#pragma once
#include <cstdint>

constexpr uint16_t ReplayFormatVersion = 1;
// Bump it in the commit that changes what any frame does to the state (a rule, a timing, a draw
// from the random generator, a field added to GameState): a replay recorded under other rules
// would drift, so it is refused rather than played wrong.
constexpr uint16_t GameLogicVersion = 1;
