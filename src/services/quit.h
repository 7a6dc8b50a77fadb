// The quit request: asks the main loop to end without the window teardown.
#pragma once

void RequestQuit();
bool QuitRequested();
void ClearQuitRequest();
