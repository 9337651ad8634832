#pragma once

#include "model/AuditRecords.h"

// Layout of the bus audit buffers, as the download stores the lock's and keypad's answers.
namespace bus {

constexpr quint8 RecordMarker = 0x81;
constexpr quint8 RecordClass = 0x43;
constexpr int RecordDateOffset = 2; // year - 2000, month, day, hour, minute, second
constexpr int RecordEventOffset = 8;
constexpr int RecordUserOffset = 9;

constexpr int TableEntrySize = 8; // date as in a record, then event code and user byte
constexpr int TableEntries = 8;

constexpr int VersionModeByte = 1; // bit 7 set: the keypad is in download mode
constexpr int VersionMajorByte = 3;
constexpr int VersionMinorByte = 4;

constexpr int ReportTextOffset = 6; // serial number, CR LF, lock name, CR LF, lock version
constexpr int ReportSerialArea = 11;
constexpr int ReportNameOffset = 8;    // + position of the CR LF
constexpr int ReportNameSize = 6;
constexpr int ReportVersionOffset = 16; // + position of the CR LF
constexpr int ReportVersionSize = 4;

} // namespace bus

// Audit time of a date stored as plain bytes (year counted from 2000), taken as UTC:
// seconds since 2000-01-01 00:00:00, or 0 when the bytes are not a valid date and time.
qint64 AuditTimeFromFields(int year2000, int month, int day, int hour, int minute, int second);

// One event record of 12 bytes.
EventsTable DecodeBusRecord(const quint8* record);
// The serial number of the lock's report block (wire::BusReportSize bytes).
QString BusReportSerial(const quint8* report);

// The lock event records of the bus buffer, newest first (a bus audit has no keypad events).
QList<EventsTable> DecodeBusEvents(const AuditSession& session);
// The lock's clock settings from the bus date/time table, oldest first.
QList<EventsTable> DecodeBusTimeDateTable(const AuditSession& session);
// The lock record from the bus version, report, configuration and status blocks, with the
// session's download time (the computer's clock, or an audit file's).
Config DecodeBusConfig(const AuditSession& session);

// All three, as one value. Reads only the session's raw bus buffers.
DecodedAudit DecodeBusAudit(const AuditSession& session);
