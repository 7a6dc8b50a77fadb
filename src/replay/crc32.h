// CRC-32 (the polynomial of zip and PNG), the checksum that finds damage in a replay file.
#pragma once
#include <cstddef>
#include <cstdint>

uint32_t Crc32(const uint8_t* data, size_t size);
