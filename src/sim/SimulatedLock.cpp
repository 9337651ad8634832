#include "sim/SimulatedLock.h"

#include "model/AuditFile.h"
#include "model/BusDecoder.h"
#include "model/Bytes.h"
#include "model/DallasDecoder.h"
#include "model/EventMerge.h"
#include "model/EventRows.h"
#include "sim/AuditBuilder.h"
#include "sim/SampleAudits.h"

#include <algorithm>
#include <memory>

namespace {

constexpr quint8 MasterSlot = users::Master;
constexpr int MaxSlot = users::Erc2;
constexpr quint8 InstalledKind = 0x01; // a users log entry of an installation
// Slot types as the report characters give them: logged by a user, or installed at set-up.
constexpr char LoggedType = 'C';
constexpr char SetupType = '4';

QVector<AuditEntry> Entries(const QList<EventsTable>& events, int count)
{
    QVector<AuditEntry> out;
    for (int i = 0; i < events.size() && i < count; ++i)
        out.append({ events.at(i).time, quint8(events.at(i).event), quint8(events.at(i).user) });
    return out;
}

LockDescription Describe(const Config& config, DelayEncoding delays)
{
    LockDescription lock = LockDescription::FromConfig(config, delays);
    lock.name = config.lockName.toUtf8();
    lock.serialNumber = config.serialNumber.toUtf8();
    return lock;
}

// The image the lock writes into a key that holds a request: its newest events, as many as fit.
QByteArray RenderDallasImage(const Config& config, const QList<EventsTable>& newestFirst,
                             const QList<EventsTable>& timeDateTable)
{
    const qint64 newest = newestFirst.isEmpty() ? 0 : newestFirst.first().time;
    const QDateTime clock = AuditDateTime(newest + 120);
    const QDate day = clock.isValid() ? clock.date() : QDate(2000, 1, 1);
    const QTime time = clock.isValid() ? clock.time() : QTime(0, 0);
    DallasImageBuilder builder;
    builder.addDateTime(day.year(), day.month(), day.day(), time.hour(), time.minute())
        .addConfiguration(Describe(config, DelayEncoding::Plain))
        .addTimeDateTable(Entries(timeDateTable, dallas::TimeDateEntries));
    // The block's tag, length and device byte, its records, and the zero record that ends them.
    const int room = (dallas::StreamCapacity - builder.streamSize() - 4 - dallas::EventRecordSize) / dallas::EventRecordSize;
    builder.addEvents(LockDevice, Entries(newestFirst, std::max(room, 0)));
    return builder.image();
}

// Who installed each user, as far as the events tell: the slot's latest "User installed"
// event and the code entered just before it. Users the events do not show installing were
// installed at set-up.
void DeriveUsersLog(const Config& config, const QList<EventsTable>& newestFirst, LockAudit& lock)
{
    for (int slot = 1; slot <= MaxSlot && slot < UserSlots; ++slot) {
        if (config.userStatus[slot] == 0)
            continue;
        const auto install = std::find_if(newestFirst.begin(), newestFirst.end(), [slot](const EventsTable& e) {
            return Is(e.event, EventCode::UserInstalled) && e.user == slot && e.time != 0;
        });
        if (slot == MasterSlot || install == newestFirst.end()) {
            lock.userTypes[slot] = SetupType;
            continue;
        }
        const QDateTime at = AuditDateTime(install->time);
        const int installer = install->prevUser > 0 && install->prevUser <= MaxSlot ? install->prevUser : MasterSlot;
        lock.logged[slot] = true;
        lock.userTypes[slot] = LoggedType;
        lock.logEntries[slot] = { quint8(at.date().year() - 2000), quint8(at.date().month()), quint8(at.date().day()),
                                  quint8(at.time().hour()), quint8(at.time().minute()), quint8(at.time().second()),
                                  InstalledKind, quint8(installer) };
    }
}

} // namespace

void LockAudit::setFirmwareVersion(const QByteArray& text)
{
    // The version stands 10 characters after the first CR LF counted from report byte 3.
    const QByteArray window(reinterpret_cast<const char*>(report.data()) + 3, 33);
    const int crlf = window.indexOf("\r\n");
    const int at = 3 + crlf + 10;
    for (int i = 0; i < 4 && at + i < int(report.size()); ++i)
        report[at + i] = quint8(i < text.size() ? text.at(i) : ' ');
}

bool LockAuditFromSession(const AuditSession& session, LockAudit& lock)
{
    lock = LockAudit();
    if (session.busAudit) {
        lock.version = session.busVersion;
        lock.report = session.busReport;
        lock.status = session.busStatus;
        lock.configuration = session.busConfig;
        lock.dateTimeTable = session.busDateTimeTable;
        const char* records = reinterpret_cast<const char*>(session.busEvents.data());
        for (int k = 0; k < AuditSession::BusRecordCapacity; ++k) {
            const quint8* record = session.busEvents.data() + k * AuditSession::BusRecordSize;
            if (bytes::allZero(record, AuditSession::BusRecordSize))
                break;
            lock.records.append(records + k * AuditSession::BusRecordSize, AuditSession::BusRecordSize);
        }
        const DecodedAudit audit = DecodeBusAudit(session);
        lock.name = audit.config.lockName.trimmed();
        lock.dallasImage = RenderDallasImage(audit.config, audit.lockEvents, audit.timeDateTable);
        DeriveUsersLog(audit.config, audit.lockEvents, lock);
        return true;
    }

    const DecodedAudit audit = DecodeDallasImage(session.dallasImage.data());
    if (!audit.ok)
        return false;
    lock.dallasImage = QByteArray(reinterpret_cast<const char*>(session.dallasImage.data()), AuditSession::DallasImageSize);
    const QList<EventsTable> merged = MergeEvents(audit.lockEvents, audit.keypadEvents);
    BusAuditBuilder builder;
    builder.setLock(Describe(audit.config, DelayEncoding::Bcd));
    // The table keeps the latest clock settings, newest in slot 0.
    for (int slot = 0; slot < bus::TableEntries && slot < audit.timeDateTable.size(); ++slot) {
        const EventsTable& e = audit.timeDateTable.at(audit.timeDateTable.size() - 1 - slot);
        builder.setTimeDateEntry(slot, e.time, quint8(e.event), quint8(e.user));
    }
    for (const EventsTable& e : merged)
        builder.addEvent(e.time, quint8(e.event), quint8(e.user));
    auto bus = std::make_unique<AuditSession>();
    builder.fill(*bus);
    bus->busAudit = true;
    LockAudit fromBus;
    LockAuditFromSession(*bus, fromBus);
    fromBus.dallasImage = lock.dallasImage;
    lock = fromBus;
    return true;
}

int RecordEvents(LockAudit& lock, int count)
{
    auto session = std::make_unique<AuditSession>();
    session->busAudit = true;
    session->busVersion = lock.version;
    session->busReport = lock.report;
    session->busStatus = lock.status;
    session->busConfig = lock.configuration;
    session->busDateTimeTable = lock.dateTimeTable;
    std::copy(lock.records.begin(), lock.records.end(), session->busEvents.begin());
    const QList<EventsTable> held = DecodeBusEvents(*session);
    qint64 newest = held.isEmpty() ? 0 : held.first().time;

    struct Step { EventCode event; bool byUser; };
    static const Step day[] = { { EventCode::ValidCode, true },   { EventCode::TimeDelayStarted, true },
                                { EventCode::OpenWindowStarted, true }, { EventCode::ValidCode, true },
                                { EventCode::BoltOpen, true },    { EventCode::DoorOpened, false },
                                { EventCode::DoorClosed, false }, { EventCode::BoltClosed, false } };
    BusAuditBuilder builder;
    QVector<AuditEntry> added;
    for (int i = 0; i < count; ++i) {
        newest += 120;
        const Step& step = day[(lock.eventCount() + i) % std::size(day)];
        added.prepend({ newest, quint8(code(step.event)), quint8(step.byUser ? 1 + (i / 8) % 5 : 0) });
    }
    for (const AuditEntry& e : added)
        builder.addEvent(e.time, e.event, e.user);
    auto fresh = std::make_unique<AuditSession>();
    builder.fill(*fresh);
    const int kept = std::min(count, AuditSession::BusDownloadLimit);
    QByteArray records(reinterpret_cast<const char*>(fresh->busEvents.data()), kept * AuditSession::BusRecordSize);
    records += lock.records;
    records.truncate(AuditSession::BusDownloadLimit * AuditSession::BusRecordSize);

    session->busEvents.fill(0);
    std::copy(records.begin(), records.end(), session->busEvents.begin());
    const QByteArray types = lock.userTypes;
    LockAuditFromSession(*session, lock);
    lock.userTypes = types;
    return kept;
}

int RecordScene(LockAudit& lock, const QString& scene)
{
    auto session = std::make_unique<AuditSession>();
    session->busAudit = true;
    session->busVersion = lock.version;
    session->busReport = lock.report;
    session->busStatus = lock.status;
    session->busConfig = lock.configuration;
    session->busDateTimeTable = lock.dateTimeTable;
    std::copy(lock.records.begin(), lock.records.end(), session->busEvents.begin());
    const QList<EventsTable> held = DecodeBusEvents(*session);
    const qint64 newest = held.isEmpty() ? 0 : held.first().time;

    // The first time of day `minutes` after the newest event, on a working day if asked.
    const auto next = [newest](int minutes, bool workingDay) {
        qint64 day = newest / 86400;
        while ((day * 86400 + minutes * 60 <= newest) || (workingDay && QDate(2000, 1, 1).addDays(day).dayOfWeek() > 5))
            ++day;
        return day * 86400 + minutes * 60;
    };
    const auto at = [](qint64 time, EventCode e, int user) { return AuditEntry{ time, quint8(code(e)), quint8(user) }; };
    QVector<AuditEntry> oldestFirst;
    if (scene == QLatin1String("duress")) {
        const qint64 t = next(10 * 60, true);
        oldestFirst = { at(t, EventCode::SilentAlarmCode, 2), at(t + 60, EventCode::BoltOpen, 2),
                        at(t + 90, EventCode::DoorOpened, 0), at(t + 400, EventCode::DoorClosed, 0),
                        at(t + 420, EventCode::BoltClosed, 0) };
    } else if (scene == QLatin1String("wrong-codes")) {
        const qint64 t = next(11 * 60, true);
        for (int k = 0; k < 6; ++k)
            oldestFirst.append(at(t + 60 * k, EventCode::WrongTry, 0));
    } else if (scene == QLatin1String("night")) {
        const qint64 t = next(23 * 60 + 30, false);
        oldestFirst = { at(t, EventCode::ValidCode, 4), at(t + 30, EventCode::BoltOpen, 4),
                        at(t + 60, EventCode::DoorOpened, 0), at(t + 600, EventCode::DoorClosed, 0),
                        at(t + 620, EventCode::BoltClosed, 0) };
    } else {
        return 0;
    }

    BusAuditBuilder builder;
    for (auto e = oldestFirst.crbegin(); e != oldestFirst.crend(); ++e)
        builder.addEvent(e->time, e->event, e->user);
    auto fresh = std::make_unique<AuditSession>();
    builder.fill(*fresh);
    QByteArray records(reinterpret_cast<const char*>(fresh->busEvents.data()),
                       oldestFirst.size() * AuditSession::BusRecordSize);
    records += lock.records;
    records.truncate(AuditSession::BusDownloadLimit * AuditSession::BusRecordSize);
    session->busEvents.fill(0);
    std::copy(records.begin(), records.end(), session->busEvents.begin());
    const QByteArray types = lock.userTypes;
    LockAuditFromSession(*session, lock);
    lock.userTypes = types;
    return oldestFirst.size();
}

LockAudit SampleLock()
{
    auto session = std::make_unique<AuditSession>();
    MainVaultBusAudit().fill(*session);
    session->busAudit = true;
    LockAudit lock;
    LockAuditFromSession(*session, lock);
    return lock;
}

bool LoadLockAudit(const QString& path, LockAudit& lock, QString* error)
{
    auto session = std::make_unique<AuditSession>();
    if (!AuditFile::Load(path, *session).valid) {
        *error = QStringLiteral("%1: not a valid audit file").arg(path);
        return false;
    }
    if (!LockAuditFromSession(*session, lock)) {
        *error = QStringLiteral("%1: the Dallas audit image does not decode").arg(path);
        return false;
    }
    return true;
}
