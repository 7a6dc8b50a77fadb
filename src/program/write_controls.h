// astorine --write-controls: the players' controls written out as a file they can edit.
#pragma once

// Writes the current controls (those of the controls file when it exists and force is set, else
// the defaults) to the controls file and prints its path on stdout. Refuses to replace an
// existing file without force. Returns the exit status: 0 written, 1 refused or failed (one line
// on stderr says why).
int WriteControlsFile(bool force);
