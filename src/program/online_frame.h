// A frame of an online match run for the first time: the session has paced it; this runs it,
// writes the frame rate over it and traces it as the window's own frames are. The online window
// decides whether it is presented.
#pragma once

void RunOnlineFrame();
