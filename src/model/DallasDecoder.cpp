#include "model/DallasDecoder.h"

#include "model/Bytes.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QTime>

#include <algorithm>

using namespace dallas;

namespace {

const char* const CrcErrorText = QT_TRANSLATE_NOOP("MainWindow", "CRC error");
const char* const DataErrorText = QT_TRANSLATE_NOOP("MainWindow", "Dallas key data error");
const char* const KeyEmptyText = QT_TRANSLATE_NOOP("MainWindow", "The Dallas audit key is empty");

constexpr int MaxLength = 0xFFFF; // the length field is 16 bits

bool IsEmptyBlock(const quint8* block)
{
    return std::all_of(block, block + BlockSize, [](quint8 b) { return b == EmptyFill; });
}

// Sum of the 64 big-endian words, checksum included. The lock stores the ones' complement
// of the payload sum (total 0xFFFF); a two's complement (total 0x0000) is accepted as well.
bool ChecksumOk(const quint8* block)
{
    quint16 sum = 0;
    for (int i = 0; i < BlockSize; i += 2)
        sum = quint16(sum + bytes::readBe16(block + i));
    return sum == 0x0000 || sum == 0xFFFF;
}

EventsTable StoredEvent(const quint8* record)
{
    EventsTable e;
    e.time = bytes::readBe32s(record);
    e.dstTime = e.time;
    e.event = record[4];
    e.user = record[5];
    return e;
}

// The date-time block has no seconds byte; the lock's separator after the minute stands in.
// Returns false when the block does not fit in the work area.
bool ParseDateTime(const DallasWorkArea& stream, int tag, Config& config)
{
    const int c = tag + BlockHeaderSize;
    if (tag < 0 || c + DateTimeContentSize >= WorkAreaSize)
        return false;
    const int year = 2000 + stream[c];
    const int month = stream[c + 1], day = stream[c + 2];
    const int hour = stream[c + 3], minute = stream[c + 4], second = stream[c + 5];
    if (QDate::isValid(year, month, day) && QTime::isValid(hour, minute, second))
        config.downloadTime = QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
    else
        config.downloadTime = QDateTime();
    return true;
}

void SetUserBits(Config& config, int user, quint8 nibble)
{
    config.openingMode[user] = nibble & 0x03;
    config.userStatus[user] = (nibble >> 2) & 0x03;
}

} // namespace

QString DecodeNoticeText(DecodeNotice notice)
{
    const char* text = DataErrorText;
    switch (notice) {
    case DecodeNotice::CrcError: text = CrcErrorText; break;
    case DecodeNotice::DataError: text = DataErrorText; break;
    case DecodeNotice::KeyEmpty: text = KeyEmptyText; break;
    }
    return QCoreApplication::translate("MainWindow", text);
}

bool DecodeNoticeIsError(DecodeNotice notice)
{
    return notice != DecodeNotice::KeyEmpty;
}

QString FirmwareVersionText(int major, int minor)
{
    return QStringLiteral("%1.%2").arg(major).arg(minor, 2, 10, QLatin1Char('0'));
}

DecodedAudit DecodeDallasImage(const quint8* image, const QDateTime& downloadTime)
{
    DecodedAudit audit;
    audit.config.downloadTime = downloadTime;

    DallasWorkArea stream{};
    for (int k = 0; k < BlockCount; ++k) {
        const quint8* block = image + k * BlockSize;
        if (IsEmptyBlock(block))
            break;
        // A bad block is reported but still used: the lock has no second copy.
        if (!ChecksumOk(block))
            audit.notices.append(DecodeNotice::CrcError);
        std::copy(block, block + PayloadSize, stream.begin() + k * PayloadSize);
    }

    auto dataError = [&audit]() {
        DecodedAudit rejected;
        rejected.ok = false;
        rejected.notices = audit.notices;
        rejected.notices.append(DecodeNotice::DataError);
        return rejected;
    };

    if (stream[FirstSeparator] != 0)
        return dataError();

    int separator = FirstSeparator;
    for (;;) {
        const int tag = separator + 1;
        if (tag >= WorkAreaSize)
            return dataError();
        const quint8 kind = stream[tag];
        if (kind == TagEnd) {
            if (tag == FirstSeparator + 1)
                audit.notices.append(DecodeNotice::KeyEmpty);
            return audit;
        }
        if (kind == TagDateTime) {
            if (!ParseDateTime(stream, tag, audit.config))
                return dataError();
            separator = tag + BlockHeaderSize + DateTimeContentSize;
        } else if (kind == TagEvents || kind == TagConfig || kind == TagTimeDateTable) {
            if (tag + 2 >= WorkAreaSize)
                return dataError();
            const int length = bytes::readBe16(&stream[tag + 1]);
            int step = -1;
            if (kind == TagEvents)
                step = ParseEvents(stream, tag, length, audit);
            else if (kind == TagConfig)
                step = ParseConfig(stream, tag, length, audit.config);
            else
                step = ParseTimeDateTable(stream, tag, length, audit.timeDateTable);
            if (step < 0)
                return dataError();
            separator = tag + step;
            // An events block may fill the key to its end, leaving no room for an end tag.
            if (kind == TagEvents && separator > EventsEndLimit)
                return audit;
        } else {
            return dataError();
        }
        if (separator >= WorkAreaSize || stream[separator] != 0)
            return dataError();
    }
}

int ParseEvents(const DallasWorkArea& stream, int tag, int length, DecodedAudit& audit)
{
    if (tag < 0 || tag >= WorkAreaSize || length < 0 || length > MaxLength)
        return -1;
    const int device = tag + BlockHeaderSize;
    // The declared content may run past the work area; records are read only inside both.
    const int end = std::min(device + length, WorkAreaSize);
    if (device < end) {
        const quint8 deviceByte = stream[device];
        QList<EventsTable>& list = deviceByte == KeypadDevice ? audit.keypadEvents : audit.lockEvents;
        qint32 prevEvent = -1;
        qint32 prevUser = -1;
        for (int r = device + 1; r + EventRecordSize <= end; r += EventRecordSize) {
            const quint8* record = &stream[r];
            if (bytes::allZero(record, EventRecordSize))
                break;
            EventsTable e = StoredEvent(record);
            e.prevEvent = prevEvent;
            e.prevUser = prevUser;
            e.device = deviceByte;
            list.append(e);
            prevEvent = e.event;
            prevUser = e.user;
        }
    }
    return length + BlockHeaderSize;
}

int ParseConfig(const DallasWorkArea& stream, int tag, int length, Config& config)
{
    if (tag < 0 || length < 0 || length > MaxLength)
        return -1;
    const int c = tag + BlockHeaderSize;
    // The fields stand at fixed offsets, so they must fit even when the length is shorter.
    if (c + std::max(length, ConfigContentSize) > WorkAreaSize)
        return -1;
    if (stream[c] != ConfigFormat)
        return 0;

    auto text = [&stream](int at, int size) {
        return QString::fromUtf8(reinterpret_cast<const char*>(&stream[at]), size);
    };
    config.lockName = text(c + ConfigNameOffset, ConfigNameSize);
    const int v = c + ConfigVersionsOffset;
    config.lockVersion = FirmwareVersionText(stream[v], stream[v + 1]);
    config.keypadVersion = FirmwareVersionText(stream[v + 2], stream[v + 3]);
    config.serialNumber = text(c + ConfigSerialOffset, ConfigSerialSize);
    ApplyConfigurationBytes(config, &stream[c + ConfigBytesOffset]);
    ApplyStatusBytes(config, &stream[c + ConfigStatusOffset], DelayEncoding::Plain);
    return length + BlockHeaderSize;
}

int ParseTimeDateTable(const DallasWorkArea& stream, int tag, int length, QList<EventsTable>& table)
{
    if (tag < 0 || length < 0 || length > MaxLength)
        return -1;
    const int end = tag + BlockHeaderSize + length;
    if (end > WorkAreaSize)
        return -1;
    table.clear();
    // Content byte 0 is not decoded; the entries follow it.
    for (int k = 0; k < TimeDateEntries; ++k) {
        const int r = tag + BlockHeaderSize + 1 + EventRecordSize * k;
        if (r + EventRecordSize > end)
            break;
        if (bytes::allZero(&stream[r], EventRecordSize))
            continue;
        table.append(StoredEvent(&stream[r]));
    }
    std::stable_sort(table.begin(), table.end(), EventCompare);
    return length + BlockHeaderSize;
}

void ApplyConfigurationBytes(Config& config, const quint8* c)
{
    // User u has its two 2-bit fields in byte u / 2, odd users in the high nibble.
    // Users 1..62 fill c0 (high nibble only) to c31 (low nibble only); masters 80, 81 share c40.
    for (int user = users::FirstUser; user <= users::Manager3; ++user)
        SetUserBits(config, user, quint8(c[user / 2] >> (4 * (user % 2))));
    for (int user = users::Master; user <= users::Master2; ++user)
        SetUserBits(config, user, quint8(c[user / 2] >> (4 * (user % 2))));

    config.ercEnabled = (c[49] & 0xC0) == 0x40 || (c[49] & 0x0C) == 0x04;
    config.usersDualMode = c[52] & 0x04;
    config.overrideDualMode = c[52] & 0x08;
    config.inputConfiguration = c[56] & 0x01;
    config.outputConfiguration = c[56] & 0x02;
    config.timedClosing = !(c[56] & 0x04);
    config.buzzerMuted = !(c[56] & 0x10);
    config.dateFormatUs = c[56] & 0x20;
    config.managerManagement = c[56] & 0x80;
    config.firstOverrideUser = quint8(c[58] * 10 + 10);
    config.codeExpirationMonths = c[59] & 0x0F;
    config.codeDisablingMonths = c[59] >> 4;
    // Without timed closing the lock's closing time is stale; the earlier value stays.
    if (config.timedClosing)
        config.closingTimeSeconds = quint8(c[61] * 2);
    config.boltOpenAlarmMinutes = c[62];
    config.activeConfiguration = c[63];
}

void ApplyStatusBytes(Config& config, const quint8* s, DelayEncoding delays)
{
    const bool bcd = delays == DelayEncoding::Bcd;
    config.timeDelay = bcd ? bytes::bcdToInt(s[0]) : s[0];
    config.openWindow = bcd ? bytes::bcdToInt(s[1]) : s[1];
    config.overrideUsers = s[2] & 0x01;
    config.silentAlarm = s[2] & 0x04;
    config.preSetup = !(s[3] & 0x04);
}
