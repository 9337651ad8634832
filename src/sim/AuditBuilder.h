#pragma once

// Builds raw audits as a lock leaves them (Dallas audit images and the bus buffers of an
// AuditSession) from events and configuration. For tests, sample files and lock simulators:
// the program itself only decodes.

#include "model/AuditRecords.h"
#include "model/BusDecoder.h"
#include "model/DallasDecoder.h"

#include <QByteArray>
#include <QSet>
#include <QVector>

#include <array>

using ConfigurationBytes = std::array<quint8, ConfigurationByteCount>;
using StatusBytes = std::array<quint8, StatusByteCount>;

// One stored event, or one time/date table entry. All zero is an empty slot.
struct AuditEntry
{
    qint64 time = 0; // audit time, seconds since 2000-01-01 00:00:00 UTC
    quint8 event = 0;
    quint8 user = 0;
};

// ---- Configuration byte map, the inverse of ApplyConfigurationBytes and ApplyStatusBytes.

// Writes the Config fields the map holds. Values the lock cannot hold are brought to the
// nearest it can: firstOverrideUser as (value - 10) / 10, closingTimeSeconds halved (only
// with timedClosing), months and 2-bit user fields cut to their bits.
ConfigurationBytes EncodeConfigurationBytes(const Config& config);
StatusBytes EncodeStatusBytes(const Config& config, DelayEncoding delays);
// Two decimal digits packed in a byte; 0..99.
quint8 IntToBcd(int value);

// What a lock tells about itself: identity, configuration bytes and status bytes.
struct LockDescription
{
    QByteArray name;         // 6 bytes on the lock, padded with spaces
    QByteArray serialNumber; // 8 bytes in a Dallas image, at most 9 in a bus report
    quint8 lockMajor = 1;
    quint8 lockMinor = 0;
    quint8 keypadMajor = 1;
    quint8 keypadMinor = 0;
    ConfigurationBytes configuration{};
    StatusBytes status{};

    // Versions are taken from the "major.minor" texts (0 when they do not parse).
    static LockDescription FromConfig(const Config& config, DelayEncoding delays);
};

// ---- Dallas audit images.

enum class ChecksumStyle {
    OnesComplement, // what the lock writes: the payload words and the checksum sum to 0xFFFF
    TwosComplement, // they sum to 0x0000, also accepted
};

// Checksum of one block over its 126 payload bytes.
quint16 DallasBlockChecksum(const quint8* payload, ChecksumStyle style = ChecksumStyle::OnesComplement);

// The request image a key is prepared with: the "AUDT" header block and 63 empty blocks.
QByteArray RequestImage();

// Lays out a data stream (the 32-byte header area of the request, the 0x00 separator, then the
// record blocks added, each followed by its separator) and cuts it into the blocks of an image.
//
//     const QByteArray image = DallasImageBuilder()
//         .addDateTime(2024, 3, 14, 9, 30)
//         .addConfiguration(lock)
//         .addEvents(KeypadDevice, keypadEntries)
//         .addEvents(1, lockEntries)
//         .image();
class DallasImageBuilder
{
public:
    DallasImageBuilder();

    // year as a full year (stored as year - 2000).
    DallasImageBuilder& addDateTime(int year, int month, int day, int hour, int minute);
    // device 0x7E for keypad events, any other value for lock events.
    DallasImageBuilder& addEvents(quint8 device, const QVector<AuditEntry>& records);
    DallasImageBuilder& addConfiguration(const LockDescription& lock, quint8 format = dallas::ConfigFormat);
    // Entries in the order given, then empty slots up to 8; more than 8 are written as well.
    DallasImageBuilder& addTimeDateTable(const QVector<AuditEntry>& entries);

    // For damaged images: a block with any tag and, if wanted, a length field that lies.
    DallasImageBuilder& addBlock(quint8 tag, const QByteArray& content);
    DallasImageBuilder& addBlock(quint8 tag, const QByteArray& content, int declaredLength);
    // Bytes appended to the stream as they are, without a separator.
    DallasImageBuilder& addRaw(const QByteArray& bytes);
    // Overwrites stream bytes from an offset; the stream grows with zeros when needed.
    DallasImageBuilder& patch(int streamOffset, const QByteArray& bytes);

    DallasImageBuilder& setChecksumStyle(ChecksumStyle style);
    // Stores a checksum in that block that no style accepts.
    DallasImageBuilder& breakChecksum(int block);

    QByteArray stream() const { return m_stream; }
    int streamSize() const { return m_stream.size(); }
    // The image holds 64 payloads; stream bytes beyond them are dropped.
    bool fits() const { return m_stream.size() <= dallas::StreamCapacity; }

    // 8192 bytes: the blocks the stream needs, zero after its end, then empty blocks.
    QByteArray image() const;

private:
    QByteArray m_stream;
    ChecksumStyle m_style = ChecksumStyle::OnesComplement;
    QSet<int> m_badBlocks;
};

// ---- Bus audits.

// A date as the bus buffers store it: plain bytes, the year counted from 2000.
struct BusDate
{
    quint8 year2000 = 0;
    quint8 month = 0;
    quint8 day = 0;
    quint8 hour = 0;
    quint8 minute = 0;
    quint8 second = 0;

    // For times from 2000 to 2255.
    static BusDate FromAuditTime(qint64 time);
};

// Fills the bus buffers of a session as a download would: event records (0x81, record class,
// date, event, user), date/time table, keypad version, report, configuration and status.
class BusAuditBuilder
{
public:
    BusAuditBuilder();

    BusAuditBuilder& addEvent(qint64 time, quint8 event, quint8 user);
    BusAuditBuilder& addEvent(const BusDate& date, quint8 event, quint8 user);
    // Slot 0..7 of the date/time table; other slots are ignored.
    BusAuditBuilder& setTimeDateEntry(int slot, qint64 time, quint8 event, quint8 user);
    BusAuditBuilder& setTimeDateEntry(int slot, const BusDate& date, quint8 event, quint8 user);

    BusAuditBuilder& setKeypadVersion(quint8 major, quint8 minor);
    // Report text: serial number (cut to 9 bytes, the most that leaves the CR LF inside report
    // bytes 6..16), CR LF, name (6 bytes, space-padded), CR LF, version (4 bytes), CR LF.
    BusAuditBuilder& setReport(const QByteArray& serial, const QByteArray& name, const QByteArray& version);
    // Report bytes from byte 6 on, as they are (cut to the block).
    BusAuditBuilder& setReportText(const QByteArray& text);
    BusAuditBuilder& setConfiguration(const ConfigurationBytes& configuration);
    BusAuditBuilder& setStatus(const StatusBytes& status);
    // Keypad version, report (lock version as "major.minor"), configuration and status at once.
    BusAuditBuilder& setLock(const LockDescription& lock);

    int eventCount() const { return m_events.size() / AuditSession::BusRecordSize; }

    // Writes every bus buffer of the session; the records after the last one are zero.
    // False when more records were added than the buffer holds: the first 5752 are written.
    bool fill(AuditSession& session) const;

private:
    QByteArray m_events;
    std::array<quint8, AuditSession::BusDateTimeTableSize> m_table{};
    std::array<quint8, AuditSession::BusVersionSize> m_version{};
    std::array<quint8, AuditSession::BusReportSize> m_report{};
    std::array<quint8, AuditSession::BusConfigSize> m_configuration{};
    std::array<quint8, AuditSession::BusStatusSize> m_status{};
};
