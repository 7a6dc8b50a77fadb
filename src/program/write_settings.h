// astorine --write-settings: the player's settings written out as a file they can edit.
#pragma once

// Writes the settings (those of the settings file when it exists and force is set, else the
// defaults) in full, with comments, to the settings file and prints its path on stdout. Refuses
// to replace an existing file without force. Returns the exit status: 0 written, 1 refused or
// failed (one line on stderr says why).
int WriteSettingsFile(bool force);
