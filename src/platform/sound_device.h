// The sound device, for the program: SDL's audio and the mixer, opened once with the sound slots.
#pragma once

// Opens the audio device (44100 Hz, signed 16-bit, stereo) with `count` empty slots. 1 on
// success; 0 on failure with everything released (also when count < 1).
int InitSound(int count);
// Frees every slot from 0 upward, closes the device. Safe when never opened.
void ReleaseSound();
