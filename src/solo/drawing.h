// The solo play field: well, preview, frame, panel, gauges, shuttle emblem and score.
#pragma once

void DrawWell();
void DrawFrameAndPanel();
void DrawGauges();
void DrawShuttleEmblem();
void DrawScore();
