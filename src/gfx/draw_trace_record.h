// The drawing operations' side of the draw trace: one record per call while a sink is installed.
#pragma once
#include "gfx/draw_trace.h"

void TraceDrawCall(const DrawCall& call);
// True while a sink is installed, so callers build records only when someone listens.
bool DrawTraceActive();
