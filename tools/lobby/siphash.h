// SipHash-2-4, the keyed hash the lobby's admission cookies are made of: short inputs, a secret
// key, and an output nobody without the key can predict.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

using SipHashKey = std::array<uint8_t, 16>;

uint64_t SipHash24(const SipHashKey& key, const uint8_t* data, size_t size);
