// A frame of an online match run for the first time: the session has paced it; this runs it,
// writes the frame rate over it, shows it and traces it as the window's own frames are.
#pragma once

void PresentOnlineFrame();
