// Frames run again after a rollback draw nothing: the switch that makes the drawing calls no-ops.
#pragma once

// While on, BlitRect, BlitScaled, DrawLabel and ClearToColour return 0 at once, before any
// drawing or trace record.
void SilenceDrawing(bool silenced);
bool DrawingSilenced();
