#include "sim/AuditBuilder.h"

#include "model/Bytes.h"
#include "model/DallasRequest.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QTime>

#include <algorithm>
#include <initializer_list>

using namespace dallas;

namespace {

// Added to a good checksum it leaves a word sum that is neither 0x0000 nor 0xFFFF.
constexpr quint16 ChecksumDamage = 0x0100;

QByteArray ByteString(std::initializer_list<quint8> values)
{
    QByteArray out;
    for (quint8 v : values)
        out.append(char(v));
    return out;
}

QByteArray Fixed(const QByteArray& text, int size)
{
    QByteArray out = text.left(size);
    out.append(QByteArray(size - out.size(), ' '));
    return out;
}

void AppendBe16(QByteArray& out, quint16 value)
{
    out.append(char(value >> 8));
    out.append(char(value & 0xFF));
}

void AppendEntry(QByteArray& out, const AuditEntry& entry)
{
    quint8 record[EventRecordSize];
    bytes::writeBe32(record, quint32(entry.time));
    record[4] = entry.event;
    record[5] = entry.user;
    out.append(reinterpret_cast<const char*>(record), EventRecordSize);
}

// Images are laid out in a plain array: writing through QByteArray::data() makes GCC's
// overflow check mistake the array header for the destination.
using ImageBytes = std::array<quint8, ImageSize>;

QByteArray ToByteArray(const ImageBytes& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size()));
}

void WriteBlock(quint8* block, const quint8* payload, ChecksumStyle style, bool damaged)
{
    std::copy(payload, payload + PayloadSize, block);
    quint16 checksum = DallasBlockChecksum(payload, style);
    if (damaged)
        checksum = quint16(checksum + ChecksumDamage);
    bytes::writeBe16(block + PayloadSize, checksum);
}

quint8 UserNibble(const Config& config, int user)
{
    return quint8((config.openingMode[user] & 0x03) | ((config.userStatus[user] & 0x03) << 2));
}

void ParseVersion(const QString& text, quint8& major, quint8& minor)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    major = parts.size() == 2 ? quint8(parts[0].toUInt()) : 0;
    minor = parts.size() == 2 ? quint8(parts[1].toUInt()) : 0;
}

} // namespace

// ---- Configuration byte map

ConfigurationBytes EncodeConfigurationBytes(const Config& config)
{
    ConfigurationBytes c{};
    c[0] = quint8(UserNibble(config, 1) << 4);
    for (int m = 1; m <= 29; ++m)
        c[m] = quint8(UserNibble(config, 2 * m) | (UserNibble(config, 2 * m + 1) << 4));
    c[30] = quint8(UserNibble(config, 60) | (UserNibble(config, 61) << 4));
    c[31] = UserNibble(config, 62);
    c[40] = quint8(UserNibble(config, 80) | (UserNibble(config, 81) << 4));

    c[49] = config.ercEnabled ? 0x40 : 0x00;
    c[52] = quint8((config.usersDualMode ? 0x04 : 0) | (config.overrideDualMode ? 0x08 : 0));
    c[56] = quint8((config.inputConfiguration & 0x01) | (config.outputConfiguration & 0x02)
                   | (config.timedClosing ? 0 : 0x04) | (config.buzzerMuted ? 0 : 0x10)
                   | (config.dateFormatUs ? 0x20 : 0) | (config.managerManagement ? 0x80 : 0));
    c[58] = config.firstOverrideUser >= 10 ? quint8((config.firstOverrideUser - 10) / 10) : 0;
    c[59] = quint8((config.codeExpirationMonths & 0x0F) | ((config.codeDisablingMonths & 0x0F) << 4));
    c[61] = config.timedClosing ? quint8(config.closingTimeSeconds / 2) : 0;
    c[62] = config.boltOpenAlarmMinutes;
    c[63] = config.activeConfiguration;
    return c;
}

quint8 IntToBcd(int value)
{
    value = std::clamp(value, 0, 99);
    return quint8(((value / 10) << 4) | (value % 10));
}

StatusBytes EncodeStatusBytes(const Config& config, DelayEncoding delays)
{
    const bool bcd = delays == DelayEncoding::Bcd;
    StatusBytes s{};
    s[0] = bcd ? IntToBcd(config.timeDelay) : config.timeDelay;
    s[1] = bcd ? IntToBcd(config.openWindow) : config.openWindow;
    s[2] = quint8((config.overrideUsers ? 0x01 : 0) | (config.silentAlarm ? 0x04 : 0));
    s[3] = config.preSetup ? 0x00 : 0x04;
    return s;
}

LockDescription LockDescription::FromConfig(const Config& config, DelayEncoding delays)
{
    LockDescription lock;
    lock.name = config.lockName.toUtf8();
    lock.serialNumber = config.serialNumber.toUtf8();
    ParseVersion(config.lockVersion, lock.lockMajor, lock.lockMinor);
    ParseVersion(config.keypadVersion, lock.keypadMajor, lock.keypadMinor);
    lock.configuration = EncodeConfigurationBytes(config);
    lock.status = EncodeStatusBytes(config, delays);
    return lock;
}

// ---- Dallas audit images

quint16 DallasBlockChecksum(const quint8* payload, ChecksumStyle style)
{
    quint16 sum = 0;
    for (int i = 0; i < PayloadSize; i += 2)
        sum = quint16(sum + bytes::readBe16(payload + i));
    return style == ChecksumStyle::OnesComplement ? quint16(~sum) : quint16(-sum);
}

QByteArray RequestImage()
{
    ImageBytes image;
    BuildRequestImage(image.data());
    return ToByteArray(image);
}

DallasImageBuilder::DallasImageBuilder()
    : m_stream(HeaderAreaSize + 1, '\0')
{
    std::copy(std::begin(RequestHeader), std::end(RequestHeader), m_stream.begin());
}

DallasImageBuilder& DallasImageBuilder::addDateTime(int year, int month, int day, int hour, int minute)
{
    return addBlock(TagDateTime, ByteString({ quint8(year - 2000), quint8(month), quint8(day), quint8(hour), quint8(minute) }));
}

DallasImageBuilder& DallasImageBuilder::addEvents(quint8 device, const QVector<AuditEntry>& records)
{
    QByteArray content(1, char(device));
    for (const AuditEntry& entry : records)
        AppendEntry(content, entry);
    return addBlock(TagEvents, content);
}

DallasImageBuilder& DallasImageBuilder::addConfiguration(const LockDescription& lock, quint8 format)
{
    QByteArray content(1, char(format));
    content += Fixed(lock.name, ConfigNameSize);
    content += ByteString({ lock.lockMajor, lock.lockMinor, lock.keypadMajor, lock.keypadMinor });
    content += Fixed(lock.serialNumber, ConfigSerialSize);
    content.append(reinterpret_cast<const char*>(lock.configuration.data()), int(lock.configuration.size()));
    content.append(reinterpret_cast<const char*>(lock.status.data()), int(lock.status.size()));
    return addBlock(TagConfig, content);
}

DallasImageBuilder& DallasImageBuilder::addTimeDateTable(const QVector<AuditEntry>& entries)
{
    QByteArray content(1, '\0');
    for (const AuditEntry& entry : entries)
        AppendEntry(content, entry);
    for (int k = entries.size(); k < TimeDateEntries; ++k)
        AppendEntry(content, AuditEntry());
    return addBlock(TagTimeDateTable, content);
}

DallasImageBuilder& DallasImageBuilder::addBlock(quint8 tag, const QByteArray& content)
{
    return addBlock(tag, content, content.size());
}

DallasImageBuilder& DallasImageBuilder::addBlock(quint8 tag, const QByteArray& content, int declaredLength)
{
    m_stream.append(char(tag));
    AppendBe16(m_stream, quint16(declaredLength));
    m_stream.append(content);
    m_stream.append('\0');
    return *this;
}

DallasImageBuilder& DallasImageBuilder::addRaw(const QByteArray& bytes)
{
    m_stream.append(bytes);
    return *this;
}

DallasImageBuilder& DallasImageBuilder::patch(int streamOffset, const QByteArray& bytes)
{
    if (streamOffset < 0)
        return *this;
    const int end = streamOffset + bytes.size();
    if (end > m_stream.size())
        m_stream.append(QByteArray(end - m_stream.size(), '\0'));
    std::copy(bytes.begin(), bytes.end(), m_stream.begin() + streamOffset);
    return *this;
}

DallasImageBuilder& DallasImageBuilder::setChecksumStyle(ChecksumStyle style)
{
    m_style = style;
    return *this;
}

DallasImageBuilder& DallasImageBuilder::breakChecksum(int block)
{
    m_badBlocks.insert(block);
    return *this;
}

QByteArray DallasImageBuilder::image() const
{
    ImageBytes image;
    image.fill(EmptyFill);
    const int used = std::min(m_stream.size(), StreamCapacity);
    const int blocks = (used + PayloadSize - 1) / PayloadSize;
    const quint8* stream = reinterpret_cast<const quint8*>(m_stream.constData());
    for (int k = 0; k < blocks; ++k) {
        quint8 payload[PayloadSize] = {};
        const int from = k * PayloadSize;
        const int size = std::min(PayloadSize, used - from);
        std::copy(stream + from, stream + from + size, payload);
        WriteBlock(image.data() + k * BlockSize, payload, m_style, m_badBlocks.contains(k));
    }
    return ToByteArray(image);
}

// ---- Bus audits

BusDate BusDate::FromAuditTime(qint64 time)
{
    const QDateTime at = QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC).addSecs(time);
    BusDate date;
    date.year2000 = quint8(at.date().year() - 2000);
    date.month = quint8(at.date().month());
    date.day = quint8(at.date().day());
    date.hour = quint8(at.time().hour());
    date.minute = quint8(at.time().minute());
    date.second = quint8(at.time().second());
    return date;
}

BusAuditBuilder::BusAuditBuilder()
{
    m_version[bus::VersionModeByte] = 0x80;
}

BusAuditBuilder& BusAuditBuilder::addEvent(qint64 time, quint8 event, quint8 user)
{
    return addEvent(BusDate::FromAuditTime(time), event, user);
}

BusAuditBuilder& BusAuditBuilder::addEvent(const BusDate& date, quint8 event, quint8 user)
{
    // Bytes 10 and 11 are not decoded and stay zero.
    m_events.append(ByteString({ bus::RecordMarker, bus::RecordClass, date.year2000, date.month, date.day,
                                 date.hour, date.minute, date.second, event, user, 0, 0 }));
    return *this;
}

BusAuditBuilder& BusAuditBuilder::setTimeDateEntry(int slot, qint64 time, quint8 event, quint8 user)
{
    return setTimeDateEntry(slot, BusDate::FromAuditTime(time), event, user);
}

BusAuditBuilder& BusAuditBuilder::setTimeDateEntry(int slot, const BusDate& date, quint8 event, quint8 user)
{
    if (slot < 0 || slot >= bus::TableEntries)
        return *this;
    quint8* entry = m_table.data() + slot * bus::TableEntrySize;
    const quint8 bytes[bus::TableEntrySize] = { date.year2000, date.month, date.day, date.hour,
                                               date.minute, date.second, event, user };
    std::copy(std::begin(bytes), std::end(bytes), entry);
    return *this;
}

BusAuditBuilder& BusAuditBuilder::setKeypadVersion(quint8 major, quint8 minor)
{
    m_version[bus::VersionMajorByte] = major;
    m_version[bus::VersionMinorByte] = minor;
    return *this;
}

BusAuditBuilder& BusAuditBuilder::setReport(const QByteArray& serial, const QByteArray& name, const QByteArray& version)
{
    constexpr int MaxSerial = bus::ReportSerialArea - 2;
    const QByteArray crlf("\r\n");
    return setReportText(serial.left(MaxSerial) + crlf + Fixed(name, bus::ReportNameSize) + crlf
                         + Fixed(version, bus::ReportVersionSize) + crlf);
}

BusAuditBuilder& BusAuditBuilder::setReportText(const QByteArray& text)
{
    std::fill(m_report.begin() + bus::ReportTextOffset, m_report.end(), quint8(0));
    const int size = std::min(text.size(), int(m_report.size()) - bus::ReportTextOffset);
    std::copy(text.begin(), text.begin() + size, m_report.begin() + bus::ReportTextOffset);
    return *this;
}

BusAuditBuilder& BusAuditBuilder::setConfiguration(const ConfigurationBytes& configuration)
{
    std::copy(configuration.begin(), configuration.end(), m_configuration.begin());
    return *this;
}

BusAuditBuilder& BusAuditBuilder::setStatus(const StatusBytes& status)
{
    std::copy(status.begin(), status.end(), m_status.begin());
    return *this;
}

BusAuditBuilder& BusAuditBuilder::setLock(const LockDescription& lock)
{
    setKeypadVersion(lock.keypadMajor, lock.keypadMinor);
    setReport(lock.serialNumber, lock.name, FirmwareVersionText(lock.lockMajor, lock.lockMinor).toUtf8());
    setConfiguration(lock.configuration);
    return setStatus(lock.status);
}

bool BusAuditBuilder::fill(AuditSession& session) const
{
    session.busEvents.fill(0);
    const int size = std::min(m_events.size(), AuditSession::BusEventsSize);
    std::copy(m_events.begin(), m_events.begin() + size, session.busEvents.begin());
    session.busDateTimeTable = m_table;
    session.busVersion = m_version;
    session.busReport = m_report;
    session.busConfig = m_configuration;
    session.busStatus = m_status;
    return m_events.size() <= AuditSession::BusEventsSize;
}
