#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

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
};

// The one ordering of events: by time, oldest first.
bool EventCompare(const EventsTable& a, const EventsTable& b);

constexpr quint8 KeypadDevice = 0x7E;
constexpr int UserSlots = 100;

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

// The loaded audit: raw buffers as acquired, and what was decoded from them.
class AuditSession
{
public:
    static constexpr int DallasImageSize = 8192;
    static constexpr int DallasBufferSize = 16384;
    static constexpr int DallasPages = 256;
    static constexpr int BusRecordSize = 12;
    static constexpr int BusRecordCapacity = 5752;
    static constexpr int BusEventsSize = BusRecordSize * BusRecordCapacity; // 69024
    static constexpr int BusDownloadLimit = 5600;
    static constexpr int BusDateTimeTableSize = 64;
    static constexpr int BusVersionSize = 12;
    static constexpr int BusReportSize = 36;
    static constexpr int BusConfigSize = 64;
    static constexpr int BusStatusSize = 5;

    AuditSession();

    quint32 dallasPageCount = 0;
    std::array<quint8, DallasBufferSize> dallasImage{};
    std::array<quint8, BusEventsSize> busEvents{};
    std::array<quint8, BusDateTimeTableSize> busDateTimeTable{};
    std::array<quint8, BusVersionSize> busVersion{};
    std::array<quint8, BusReportSize> busReport{};
    std::array<quint8, BusConfigSize> busConfig{};
    std::array<quint8, BusStatusSize> busStatus{};

    QList<EventsTable> keypadEvents;
    QList<EventsTable> lockEvents;
    QList<EventsTable> mergedEvents;
    QList<EventsTable> timeDateTable;

    Config config;
    bool busAudit = false;
    bool dstApplied = false;

    // Empties the decoded lists. With clearRaw the raw audit and the lock record are
    // forgotten too, so a new audit never shows the previous lock's identity.
    void ResetContent(bool clearRaw);

    // Start-up state: every raw buffer and block zeroed.
    void ZeroAll();
};
