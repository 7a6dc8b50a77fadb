// One frame of solo play while a pair is falling.
#pragma once
#include <cstdint>

int32_t SoloPlayFrame();
