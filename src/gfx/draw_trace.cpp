// The draw trace: where BlitRect, BlitScaled, DrawLabel and ClearToColour report their calls.
#include "gfx/draw_trace_record.h"

namespace {
std::vector<DrawCall>* traceSink = nullptr;
}

void SetDrawTrace(std::vector<DrawCall>* sink) {
  traceSink = sink;
}

bool DrawTraceActive() {
  return traceSink != nullptr;
}

void TraceDrawCall(const DrawCall& call) {
  if (traceSink != nullptr) {
    traceSink->push_back(call);
  }
}
