#pragma once

#include "model/AuditRecords.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>

// What a simulated lock holds and hands out: its audit as the bus answers carry it (the blocks
// and event records a download stores), the same audit as the Dallas image it writes into a key
// that holds a request, and its users log.
struct LockAudit
{
    static constexpr int UserSlots = 104;
    static constexpr int LogEntrySize = 8;

    std::array<quint8, AuditSession::BusVersionSize> version{}; // the keypad's version block
    std::array<quint8, AuditSession::BusReportSize> report{};
    std::array<quint8, AuditSession::BusStatusSize> status{};
    std::array<quint8, AuditSession::BusConfigSize> configuration{};
    std::array<quint8, AuditSession::BusDateTimeTableSize> dateTimeTable{};
    QString name;           // as the lock reports it, for people
    QByteArray records;     // 12 bytes an event, newest first, as the lock answers them
    QByteArray dallasImage; // 8192 bytes

    // Per user slot: whether the lock logged who installed it, and the entry as its answer
    // carries it (year - 2000, month, day, hour, minute, second, kind, installer slot).
    std::array<bool, UserSlots> logged{};
    std::array<std::array<quint8, LogEntrySize>, UserSlots> logEntries{};
    // The slot type characters of the report answer (bytes 55 .. 158).
    QByteArray userTypes = QByteArray(UserSlots, '0');

    int eventCount() const { return records.size() / AuditSession::BusRecordSize; }

    // Replaces the four version characters of the report text (e.g. "1.04").
    void setFirmwareVersion(const QByteArray& version);
};

// The lock records `count` more events after its newest (a bank's day: codes, time delays,
// openings, the door), a couple of minutes apart; it keeps only its newest 5600, as a lock does.
// The records it put in front of those it held.
int RecordEvents(LockAudit& lock, int count);

// What the findings look for, recorded after the lock's newest event: "duress" (an opening with the
// duress code at the next working day's 10:00), "wrong-codes" (six wrong codes a minute apart at
// the next working day's 11:00), "night" (an opening at the next 23:30). The records it put in
// front of those it held; 0 for an unknown scene.
int RecordScene(LockAudit& lock, const QString& scene);

// VAULT1 of the sample audits: the same audit as samples/bus-audit.kaud.
LockAudit SampleLock();

// The lock that produced the audit held in the session's raw buffers (a bus audit or a Dallas
// image). False when the Dallas image does not decode.
bool LockAuditFromSession(const AuditSession& session, LockAudit& lock);

// The lock of an audit file; false with a reason when the file cannot be used.
bool LoadLockAudit(const QString& path, LockAudit& lock, QString* error);
