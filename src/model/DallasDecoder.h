#pragma once

#include "model/AuditRecords.h"

#include <QString>
#include <QVector>

#include <array>

// Layout of a Dallas audit image: 64 blocks of 128 bytes, each a 126-byte payload and a
// big-endian checksum. The payloads of the blocks in use, in order, form the data stream.
namespace dallas {

constexpr int BlockSize = 128;
constexpr int PayloadSize = 126;
constexpr int BlockCount = 64;
constexpr int ImageSize = BlockSize * BlockCount; // 8192
static_assert(ImageSize == wire::DallasImageSize, "an image is the key's memory");
constexpr int WorkAreaSize = 8192;
constexpr int StreamCapacity = PayloadSize * BlockCount; // 8064: the rest of the work area stays zero
constexpr quint8 EmptyFill = 0x55;

constexpr int HeaderAreaSize = 32;   // request header bytes, not decoded
constexpr int FirstSeparator = 32;   // the 0x00 before the first record block
constexpr int EventsEndLimit = 8189; // an events block ending beyond this ends the stream

enum Tag : quint8 {
    TagEnd = 0x00,
    TagDateTime = 0x40,
    TagEvents = 0x41,
    TagConfig = 0x42,
    TagTimeDateTable = 0x43,
};

constexpr int BlockHeaderSize = 3; // tag and big-endian content length
constexpr int DateTimeContentSize = 5;
constexpr int EventRecordSize = 6;
constexpr int TimeDateEntries = 8;

// Configuration block content.
constexpr quint8 ConfigFormat = 0x01;
constexpr int ConfigNameOffset = 1;
constexpr int ConfigNameSize = 6;
constexpr int ConfigVersionsOffset = 7; // lock major, lock minor, keypad major, keypad minor
constexpr int ConfigSerialOffset = 11;
constexpr int ConfigSerialSize = 8;
constexpr int ConfigBytesOffset = 19;
constexpr int ConfigStatusOffset = 83;
constexpr int ConfigContentSize = 87;

} // namespace dallas

constexpr int ConfigurationByteCount = 64;
constexpr int StatusByteCount = 4;

using DallasWorkArea = std::array<quint8, dallas::WorkAreaSize>;

QString DecodeNoticeText(DecodeNotice notice);
// True for critical notices; the empty key is only information.
bool DecodeNoticeIsError(DecodeNotice notice);

// Decodes the first 8192 bytes of `image` into keypad, lock and time/date table lists and the lock
// record. `downloadTime` is the date known from elsewhere (an audit file's); the key's own
// date-time block replaces it. After a data error the value holds only its notices.
DecodedAudit DecodeDallasImage(const quint8* image, const QDateTime& downloadTime = QDateTime());

// Block decoders. `tag` is the position of the block's tag in the work area, `length` its
// content length. They return the distance from the tag to the separator after the block
// (length + 3), or -1 when the block does not fit in the work area.
//
// Appends the block's records to the keypad list (device byte 0x7E) or the lock list.
// Records are read only while they lie wholly inside the block; an all-zero record ends them.
int ParseEvents(const DallasWorkArea& stream, int tag, int length, DecodedAudit& audit);
// Returns 0 when the format byte is not 0x01, which the caller meets as a bad separator.
int ParseConfig(const DallasWorkArea& stream, int tag, int length, Config& config);
// Replaces the time/date table list: at most 8 entries, all-zero slots skipped, oldest first.
int ParseTimeDateTable(const DallasWorkArea& stream, int tag, int length, QList<EventsTable>& table);

// The configuration byte map shared with bus audits. `c` points to 64 bytes.
void ApplyConfigurationBytes(Config& config, const quint8* c);

// Dallas images hold time delay and open window as plain numbers, bus audits as BCD.
enum class DelayEncoding { Plain, Bcd };

// The status byte map. `s` points to 4 bytes.
void ApplyStatusBytes(Config& config, const quint8* s, DelayEncoding delays);

// "major.minor" with the minor number in two digits, as the lock and keypad versions are shown.
QString FirmwareVersionText(int major, int minor);
