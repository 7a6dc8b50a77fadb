// The versus screen: two frames, the preview box, both wells and the shared preview.
#pragma once

void DrawVersusFrame();
void DrawVersusWells();
