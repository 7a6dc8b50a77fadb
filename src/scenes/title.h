// The title menu scene.
#pragma once
#include <cstdint>

constexpr int HardStartKey = 'H';  // held with Return: six colours, fastest fall
constexpr int TestStartKey = 'D';  // held with Return: straight into play with the debug keys

int32_t TitleFrame();
