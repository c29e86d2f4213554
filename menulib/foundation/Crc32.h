// The CRC-32 of the zip format (reflected polynomial 0xEDB88320).
#pragma once
#include <cstddef>
#include <cstdint>

std::uint32_t Crc32(const void* data, std::size_t n);
// Continues a CRC over more bytes: start with 0, pass the result of the previous piece.
std::uint32_t Crc32Update(std::uint32_t crc, const void* data, std::size_t n);
