// The settings file rewritten for settings changed in play, the player's own lines kept.
#pragma once
#include <string>
#include <string_view>

#include "settings/settings.h"

// The original text with each setting whose value differs from what the original reads as
// written in: the line that applies is rewritten in place, its indentation and comment kept; a
// setting without one is added at the end of its section, and a missing section at the end of
// the text. Every other line (comments, blank lines, unknown sections, bad lines, settings left
// as they were) stays byte for byte, with each line's own end (LF or CR LF).
std::string UpdatedSettingsText(std::string_view original, const Settings& settings);
