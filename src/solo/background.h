// The scrolling universe and the drifting stars behind every scene.
#pragma once

void ScrollUniverse();
void DrawUniverse();
void MoveStars();
void DrawStars();
