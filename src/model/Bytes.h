#pragma once

#include <cstddef>
#include <cstdint>

// Byte-order helpers for the raw lock formats (big-endian) and the file envelope (little-endian).
// Callers check bounds before reading.
namespace bytes {

inline uint16_t readBe16(const uint8_t* p) { return uint16_t((p[0] << 8) | p[1]); }
inline int32_t readBe32s(const uint8_t* p)
{
    return int32_t((uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]));
}
inline void writeBe16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v >> 8); p[1] = uint8_t(v); }
inline void writeBe32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v >> 24); p[1] = uint8_t(v >> 16); p[2] = uint8_t(v >> 8); p[3] = uint8_t(v);
}
inline uint32_t readLe32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline void writeLe32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); p[2] = uint8_t(v >> 16); p[3] = uint8_t(v >> 24);
}

inline bool allZero(const uint8_t* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (p[i] != 0)
            return false;
    return true;
}

// The lock keeps time delay and open window as packed decimal digits.
inline uint8_t bcdToInt(uint8_t b) { return uint8_t((b & 0x0F) + 10 * (b >> 4)); }

} // namespace bytes
