#pragma once

#include "model/LockCodes.h"

#include <QDateTime>
#include <QMetaType>
#include <QList>
#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

// One audit event. Times are seconds since 2000-01-01 00:00:00, zone-less; 0 means no time.
struct EventsTable
{
    qint32 prevEvent = 0;
    qint32 prevUser = 0;
    qint64 time = 0;
    qint64 dstTime = 0;
    qint32 event = 0;
    qint32 user = 0;
    quint8 device = 0;
    QString rowNumber;
    bool dstMarked = false;
    // In a lock's history: the visit that first brought the event, and the stretch of its device's
    // events it belongs to (a gap lies between two stretches).
    qint32 visit = 0;
    qint32 run = 0;
};

// The one ordering of events: by time, oldest first.
bool EventCompare(const EventsTable& a, const EventsTable& b);

constexpr int UserSlots = users::Slots;

// Identity and configuration of the lock of the loaded audit.
struct Config
{
    QString keypadVersion;
    QString lockName;
    QString lockVersion;
    QString serialNumber;
    QDateTime downloadTime;
    std::array<quint8, UserSlots> openingMode{};
    std::array<quint8, UserSlots> userStatus{};
    bool ercEnabled = false;
    bool usersDualMode = false;
    bool overrideDualMode = false;
    quint8 firstOverrideUser = 0;
    quint8 codeExpirationMonths = 0;
    quint8 codeDisablingMonths = 0;
    bool timedClosing = false;
    quint8 closingTimeSeconds = 0;
    quint8 boltOpenAlarmMinutes = 0;
    quint8 inputConfiguration = 0;
    quint8 outputConfiguration = 0;
    bool buzzerMuted = false;
    bool dateFormatUs = false;
    bool managerManagement = false;
    quint8 activeConfiguration = 0;
    quint8 timeDelay = 0;
    quint8 openWindow = 0;
    bool silentAlarm = false;
    bool overrideUsers = false;
    bool preSetup = false;
};

// Why a decode did not go cleanly; the window turns each into a message box.
enum class DecodeNotice { CrcError, DataError, KeyEmpty };

// What makes an audit a lock's history across visits; no visits for a single audit.
struct HistorySpan
{
    int visits = 0; // the latest visit's number
    QDateTime firstVisit;
    QDateTime lastVisit;
};

// What a decoder found in a raw audit. The decoders only read the raw audit: this value is all
// they produce.
struct DecodedAudit
{
    QList<EventsTable> keypadEvents; // newest first
    QList<EventsTable> lockEvents;   // newest first
    QList<EventsTable> timeDateTable; // the lock's clock settings, oldest first
    Config config;
    // In the order the boxes are to be shown.
    QVector<DecodeNotice> notices;
    // False after a data error: the lists and the record are then empty.
    bool ok = true;
    // Set when the events are a lock's history rather than one audit.
    HistorySpan history;
};

// What a bus download brings back: the keypad's version block, the lock's report, status and
// configuration blocks, its date/time table, and the event records, newest first.
struct BusDump
{
    std::array<quint8, wire::BusVersionSize> version{};
    std::array<quint8, wire::BusReportSize> report{};
    std::array<quint8, wire::BusStatusSize> status{};
    std::array<quint8, wire::BusConfigSize> configuration{};
    std::array<quint8, wire::BusDateTimeTableSize> dateTimeTable{};
    QByteArray events; // 12 bytes a record
};

Q_DECLARE_METATYPE(BusDump)

// The loaded audit: the raw buffers as acquired (what an audit file keeps) and what was decoded
// from them.
class AuditSession
{
public:
    static constexpr int DallasImageSize = wire::DallasImageSize;
    static constexpr int DallasBufferSize = 16384;
    static constexpr int DallasPages = wire::DallasPageCount;
    static constexpr int BusRecordSize = wire::BusRecordSize;
    static constexpr int BusRecordCapacity = wire::BusRecordCapacity;
    static constexpr int BusEventsSize = BusRecordSize * BusRecordCapacity; // 69024
    static constexpr int BusDownloadLimit = wire::BusDownloadLimit;
    static constexpr int BusDateTimeTableSize = wire::BusDateTimeTableSize;
    static constexpr int BusVersionSize = wire::BusVersionSize;
    static constexpr int BusReportSize = wire::BusReportSize;
    static constexpr int BusConfigSize = wire::BusConfigSize;
    static constexpr int BusStatusSize = wire::BusStatusSize;

    AuditSession();

    quint32 dallasPageCount = 0;
    std::array<quint8, DallasBufferSize> dallasImage{};
    std::array<quint8, BusEventsSize> busEvents{};
    std::array<quint8, BusDateTimeTableSize> busDateTimeTable{};
    std::array<quint8, BusVersionSize> busVersion{};
    std::array<quint8, BusReportSize> busReport{};
    std::array<quint8, BusConfigSize> busConfig{};
    std::array<quint8, BusStatusSize> busStatus{};
    bool busAudit = false;
    // The computer's clock at a bus download, or the date an audit file keeps.
    QDateTime downloadTime;

    DecodedAudit decoded;
    bool dstApplied = false;

    // The event records the bus buffer holds: up to the first all-zero one.
    int busRecordCount() const;

    // Fills the bus buffers with a download, the event records after it zeroed; no more records
    // than the buffer holds are kept.
    void setBusDump(const BusDump& dump);

    // Empties what was decoded. With clearRaw the raw audit is forgotten too, so a new audit never
    // shows the previous lock's identity.
    void ResetContent(bool clearRaw);

    // Start-up state: every raw buffer and block zeroed.
    void ZeroAll();
};
