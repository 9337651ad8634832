#pragma once

#include <QtGlobal>

// The request a Dallas audit key is prepared with before it goes to the lock.
namespace dallas {

// "AUDT" and the constant request bytes; the rest of the header block's payload is zero.
constexpr quint8 RequestHeader[] = { 0x41, 0x55, 0x44, 0x54, 0x01, 0x01, 0x00, 0x20, 0x75, 0x34, 0x01, 0x01, 0x03 };

} // namespace dallas

// Writes the 8192-byte request image into `image`: the header block with its checksum, then
// 63 empty blocks (0x55), which the lock fills with its audit.
void BuildRequestImage(quint8* image);
