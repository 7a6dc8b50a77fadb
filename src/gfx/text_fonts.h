// The text layer's open fonts, released with the display.
#pragma once

// Closes every font DrawLabel opened and shuts the font engine down. Called by ReleaseDisplay;
// safe at any time (the next DrawLabel opens what it needs again).
void ReleaseText();
