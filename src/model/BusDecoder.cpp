#include "model/BusDecoder.h"

#include "model/Bytes.h"
#include "model/DallasDecoder.h"

#include <QDate>
#include <QTime>

#include <algorithm>

using namespace bus;

namespace {

constexpr quint8 BusEventDevice = 1;

qint64 AuditTimeAt(const quint8* date)
{
    return AuditTimeFromFields(date[0], date[1], date[2], date[3], date[4], date[5]);
}

QString Utf8At(const quint8* p, int size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(p), size);
}

// The serial number ends at a CR LF inside report bytes 6..16; name and version follow at fixed
// distances from it. Searching bytes (not decoded text) keeps those distances right even when
// the serial number is not plain ASCII. -1 without the CR LF.
int SerialEnd(const quint8* report)
{
    const quint8* text = report + ReportTextOffset;
    for (int i = 0; i + 1 < ReportSerialArea; ++i)
        if (text[i] == '\r' && text[i + 1] == '\n')
            return i;
    return -1;
}
// The end is at most 9, so the version ends at report byte 28.
static_assert(ReportVersionOffset + (ReportSerialArea - 2) + ReportVersionSize <= AuditSession::BusReportSize,
              "report fields stay inside the report block");

} // namespace

QString BusReportSerial(const quint8* report)
{
    const int x = SerialEnd(report);
    return Utf8At(report + ReportTextOffset, x < 0 ? ReportSerialArea : x);
}

qint64 AuditTimeFromFields(int year2000, int month, int day, int hour, int minute, int second)
{
    const int year = 2000 + year2000;
    if (!QDate::isValid(year, month, day) || !QTime::isValid(hour, minute, second))
        return 0;
    const qint64 days = QDate(year, month, day).toJulianDay() - QDate(2000, 1, 1).toJulianDay();
    return days * 86400 + hour * 3600 + minute * 60 + second;
}

EventsTable DecodeBusRecord(const quint8* record)
{
    EventsTable e;
    e.time = AuditTimeAt(record + RecordDateOffset);
    e.dstTime = e.time;
    e.event = record[RecordEventOffset];
    e.user = record[RecordUserOffset];
    e.device = BusEventDevice;
    return e;
}

QList<EventsTable> DecodeBusEvents(const AuditSession& session)
{
    QList<EventsTable> events;
    qint32 prevEvent = -1;
    qint32 prevUser = -1;
    const int count = session.busRecordCount();
    events.reserve(count);
    for (int i = 0; i < count; ++i) {
        EventsTable e = DecodeBusRecord(session.busEvents.data() + i * AuditSession::BusRecordSize);
        e.prevEvent = prevEvent;
        e.prevUser = prevUser;
        events.append(e);
        prevEvent = e.event;
        prevUser = e.user;
    }
    return events;
}

QList<EventsTable> DecodeBusTimeDateTable(const AuditSession& session)
{
    QList<EventsTable> table;
    static_assert(TableEntries * TableEntrySize == AuditSession::BusDateTimeTableSize, "table layout");
    for (int k = 0; k < TableEntries; ++k) {
        const quint8* entry = session.busDateTimeTable.data() + k * TableEntrySize;
        if (bytes::allZero(entry, TableEntrySize))
            continue;
        EventsTable e;
        e.time = AuditTimeAt(entry);
        e.dstTime = e.time;
        e.event = entry[6];
        e.user = entry[7];
        table.append(e);
    }
    std::stable_sort(table.begin(), table.end(), EventCompare);
    return table;
}

Config DecodeBusConfig(const AuditSession& session)
{
    Config config;
    config.downloadTime = session.downloadTime;
    ApplyConfigurationBytes(config, session.busConfig.data());
    static_assert(StatusByteCount <= AuditSession::BusStatusSize, "status block holds s0..s3");
    ApplyStatusBytes(config, session.busStatus.data(), DelayEncoding::Bcd);

    const quint8* report = session.busReport.data();
    const int x = SerialEnd(report);
    config.serialNumber = BusReportSerial(report);
    config.lockName = Utf8At(report + ReportNameOffset + x, ReportNameSize);
    config.lockVersion = Utf8At(report + ReportVersionOffset + x, ReportVersionSize);

    config.keypadVersion = FirmwareVersionText(session.busVersion[VersionMajorByte], session.busVersion[VersionMinorByte]);
    return config;
}

DecodedAudit DecodeBusAudit(const AuditSession& session)
{
    DecodedAudit audit;
    audit.lockEvents = DecodeBusEvents(session);
    audit.timeDateTable = DecodeBusTimeDateTable(session);
    audit.config = DecodeBusConfig(session);
    return audit;
}
