#include "sim/SampleAudits.h"

#include <QDate>
#include <QMap>

#include <algorithm>
#include <random>
#include <set>

namespace {

// Event codes of the story, in the lock's vocabulary.
constexpr quint8 ValidCode = code(EventCode::ValidCode);
constexpr quint8 CodeChanged = code(EventCode::CodeChanged);
constexpr quint8 BoltOpen = code(EventCode::BoltOpen);
constexpr quint8 BoltOpenLowBattery = code(EventCode::BoltOpenLowBattery);
constexpr quint8 TimeDelayStarted = code(EventCode::TimeDelayStarted);
constexpr quint8 OpenWindowStarted = code(EventCode::OpenWindowStarted);
constexpr quint8 SilentAlarmCode = code(EventCode::SilentAlarmCode);
constexpr quint8 RemoteBlock = code(EventCode::RemoteBlock);
constexpr quint8 LowBattery = code(EventCode::LowBatteryDuringOpening);
constexpr quint8 UserEnabled = code(EventCode::UserEnabled);
constexpr quint8 UserInstalled = code(EventCode::UserInstalled);
constexpr quint8 UserDisabled = code(EventCode::UserDisabled);
constexpr quint8 UserDeleted = code(EventCode::UserDeleted);
constexpr quint8 DelaysChanged = code(EventCode::DelaysChanged);
constexpr quint8 EnterChangeCode = code(EventCode::EnterChangeCode);
constexpr quint8 EnterInstallUser = code(EventCode::EnterInstallUser);
constexpr quint8 EnterDisableUser = code(EventCode::EnterDisableUser);
constexpr quint8 EnterDeleteUser = code(EventCode::EnterDeleteUser);
constexpr quint8 EnterBatteryCheck = code(EventCode::EnterBatteryCheck);
constexpr quint8 EnterSystemSettings = code(EventCode::EnterSystemSettings);
constexpr quint8 EnterAuditDownload = code(EventCode::EnterAuditDownload);
constexpr quint8 EnterChangeConfiguration = code(EventCode::EnterChangeConfiguration);
constexpr quint8 EnterChangeTimeDelay = code(EventCode::EnterChangeTimeDelay);
constexpr quint8 EnterSetTimeDate = code(EventCode::EnterSetTimeDate);
constexpr quint8 OptionChanged = code(EventCode::OptionChanged);
constexpr quint8 ConfigurationChanged = code(EventCode::ConfigurationChanged);
constexpr quint8 DoorOpened = code(EventCode::DoorOpened);
constexpr quint8 DoorClosed = code(EventCode::DoorClosed);
constexpr quint8 TimeAndDateChanged = code(EventCode::TimeAndDateChanged);
constexpr quint8 TimeChanged = code(EventCode::TimeChanged);
constexpr quint8 PowerReEnabled = code(EventCode::PowerReEnabled);
constexpr quint8 WrongTry = code(EventCode::WrongTry);
constexpr quint8 TimePenalty = code(EventCode::TimePenalty);
constexpr quint8 BoltClosed = code(EventCode::BoltClosed);

constexpr quint8 Master = users::Master;
constexpr quint8 Manager = users::Manager;
constexpr quint8 Manager2 = users::Manager2;
constexpr quint8 LockInstalledUser = users::LockInstaller;

qint64 At(const QDate& day, int hour, int minute, int second = 0)
{
    static const QDateTime epoch(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
    return epoch.secsTo(QDateTime(day, QTime(hour, minute, second), Qt::UTC));
}

struct StoryEvent
{
    qint64 time;
    quint8 code;
    quint8 user;
    bool keypad;
};

// One safe's year: who may open it, and every event, oldest first while it is written.
class Story
{
public:
    Story(quint32 seed, int timeDelayMinutes, int openWindowMinutes)
        : m_random(seed), m_delay(timeDelayMinutes * 60), m_window(openWindowMinutes * 60)
    {
    }

    int pick(int low, int high) { return low + int(m_random() % quint32(high - low + 1)); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

    void lock(qint64 t, quint8 code, quint8 user) { m_events.append({ t, code, user, false }); }
    void keypad(qint64 t, quint8 code, quint8 user) { m_events.append({ t, code, user, true }); }
    void setLowBattery(bool low) { m_lowBattery = low; }
    void setTimeDelay(int minutes) { m_delay = minutes * 60; }

    // Ordered, so the draws do not depend on hashing.
    std::set<quint8>& openers() { return m_openers; }

    // A code, the time delay, the open window, the second code, the bolt and the door.
    // Returns when the door stands open.
    qint64 opening(qint64 t, quint8 user, quint8 firstCode = ValidCode)
    {
        if (chance(4)) {
            keypad(t, WrongTry, 0);
            t += pick(8, 25);
        }
        lock(t, firstCode, user);
        lock(t + 1, TimeDelayStarted, user);
        t += 1 + m_delay;
        lock(t, OpenWindowStarted, user);
        t += pick(20, m_window - 30);
        lock(t, ValidCode, user);
        if (m_lowBattery)
            lock(t + 2, LowBattery, user);
        lock(t + 3, m_lowBattery ? BoltOpenLowBattery : BoltOpen, user);
        t += pick(6, 20);
        lock(t, DoorOpened, user);
        return t;
    }

    // The open window runs out because nobody came back with the second code.
    void missedWindow(qint64 t, quint8 user)
    {
        lock(t, ValidCode, user);
        lock(t + 1, TimeDelayStarted, user);
        lock(t + 1 + m_delay, OpenWindowStarted, user);
    }

    void closing(qint64 t)
    {
        lock(t, DoorClosed, 0);
        lock(t + pick(3, 9), BoltClosed, 0);
    }

    // A function of the keypad that the master's code opens, and what the lock records.
    void masterFunction(qint64 t, quint8 function, quint8 code, quint8 user)
    {
        keypad(t, function, Master);
        lock(t + pick(5, 15), ValidCode, Master);
        lock(t + pick(30, 90), code, user);
    }

    void changeCode(qint64 t, quint8 user)
    {
        keypad(t, EnterChangeCode, user);
        lock(t + pick(4, 10), ValidCode, user);
        lock(t + pick(25, 60), CodeChanged, user);
    }

    // An ordinary working day: a morning opening, sometimes a second one, the evening closing.
    void workingDay(const QDate& day)
    {
        const QVector<quint8> people(m_openers.begin(), m_openers.end());
        if (people.isEmpty())
            return;
        auto someone = [&]() { return people.at(pick(0, people.size() - 1)); };
        qint64 t = At(day, 7, pick(45, 59), pick(0, 59));
        if (chance(3)) {
            missedWindow(t, someone());
            t += m_delay + m_window + pick(120, 600);
        }
        opening(t, someone());
        if (chance(20)) {
            closing(At(day, 12, pick(0, 40), pick(0, 59)));
            opening(At(day, 14, pick(0, 30), pick(0, 59)), someone());
        }
        closing(At(day, 17, pick(30, 59), pick(0, 59)));
    }

    // Newest first, as the lock hands its events out; equal times keep the order of writing.
    QVector<StoryEvent> newestFirst(bool keypadEvents) const
    {
        QVector<StoryEvent> out;
        for (const StoryEvent& e : m_events)
            if (e.keypad == keypadEvents)
                out.append(e);
        std::stable_sort(out.begin(), out.end(), [](const StoryEvent& a, const StoryEvent& b) { return a.time > b.time; });
        return out;
    }

    // Lock and keypad events in one stream, as a bus download delivers them.
    QVector<StoryEvent> allNewestFirst() const
    {
        QVector<StoryEvent> out = m_events;
        std::stable_sort(out.begin(), out.end(), [](const StoryEvent& a, const StoryEvent& b) { return a.time > b.time; });
        return out;
    }

private:
    std::mt19937 m_random;
    int m_delay;
    int m_window;
    bool m_lowBattery = false;
    std::set<quint8> m_openers;
    QVector<StoryEvent> m_events;
};

bool Weekday(const QDate& day) { return day.dayOfWeek() <= 5; }

// The settings both safes share; users come from each story.
Config BranchConfig()
{
    Config c;
    c.usersDualMode = false;
    c.overrideDualMode = false;
    c.firstOverrideUser = 50;
    c.codeExpirationMonths = 6;
    c.codeDisablingMonths = 0;
    c.timedClosing = false;
    c.boltOpenAlarmMinutes = 30;
    c.inputConfiguration = 0;  // remote block from the alarm panel
    c.outputConfiguration = 0; // silent alarm output
    c.buzzerMuted = false;
    c.dateFormatUs = false;
    c.managerManagement = true;
    c.activeConfiguration = 1;
    c.timeDelay = 10;
    c.openWindow = 5;
    c.silentAlarm = true;
    c.overrideUsers = false;
    c.preSetup = false;
    return c;
}

void SetUser(Config& c, quint8 user, quint8 status, quint8 mode)
{
    c.userStatus[user] = status;
    c.openingMode[user] = mode;
}

enum : quint8 { Installed = 1, Disabled = 2, Deleted = 3 };
enum : quint8 { CodeOnly = 1, CodeAndKey = 2, KeyOnly = 3 };

struct Sample
{
    LockDescription lock;
    QVector<StoryEvent> lockEvents;   // newest first
    QVector<StoryEvent> keypadEvents; // newest first
    QVector<AuditEntry> timeDateTable;
    QDateTime downloaded;
};

// VAULT1: installed on 4 March 2024, downloaded over the bus on 3 March 2025.
Sample MainVault()
{
    Story s(20240304, 15, 5);
    const QDate installed(2024, 3, 4);
    QVector<AuditEntry> clock;

    // Installation: the lock, the clock, the configuration, the time delay, the staff.
    s.lock(At(installed, 9, 2), CodeChanged, LockInstalledUser);
    s.keypad(At(installed, 9, 5), EnterSetTimeDate, Master);
    s.lock(At(installed, 9, 5, 20), ValidCode, Master);
    s.lock(At(installed, 9, 6), TimeAndDateChanged, Master);
    clock.append({ At(installed, 9, 6), TimeAndDateChanged, Master });
    s.masterFunction(At(installed, 9, 10), EnterChangeConfiguration, ConfigurationChanged, 1);
    int minute = 20;
    for (quint8 user : { Manager, Manager2, quint8(1), quint8(2), quint8(3), quint8(4), quint8(5), quint8(6), quint8(7) }) {
        s.masterFunction(At(installed, 9, minute), EnterInstallUser, UserInstalled, user);
        s.openers().insert(user);
        minute += s.pick(3, 5);
    }

    const QDate end(2025, 3, 3);
    QMap<QDate, int> codeChanges; // day -> user
    for (quint8 user : s.openers())
        for (QDate d = installed.addDays(30 + user % 20 * 5); d < end; d = d.addDays(s.pick(80, 100)))
            codeChanges.insert(Weekday(d) ? d : d.addDays(8 - d.dayOfWeek()), user);

    for (QDate day = installed.addDays(1); day < end; day = day.addDays(1)) {
        if (day == QDate(2024, 3, 31) || day == QDate(2024, 10, 27)) {
            // Summer and winter time: the manager sets the lock's clock on the next visit.
            const qint64 t = At(day, 10, 15);
            s.keypad(t, EnterSetTimeDate, Master);
            s.lock(t + 12, ValidCode, Master);
            s.lock(t + 40, TimeChanged, Master);
            clock.append({ t + 40, TimeChanged, Master });
        }
        if (day == QDate(2024, 4, 15)) {
            // The time delay comes down from 15 to 10 minutes after the first weeks.
            s.masterFunction(At(day, 16, 40), EnterChangeTimeDelay, DelaysChanged, Master);
            s.setTimeDelay(10);
        }
        if (day == QDate(2024, 5, 20))
            s.masterFunction(At(day, 16, 50), EnterSystemSettings, OptionChanged, 3); // manual closing
        if (day == QDate(2024, 6, 3)) {
            s.masterFunction(At(day, 9, 30), EnterInstallUser, UserInstalled, 8);
            s.openers().insert(8);
        }
        if (day == QDate(2024, 8, 1)) {
            s.masterFunction(At(day, 18, 5), EnterDisableUser, UserDisabled, 3); // on leave
            s.openers().erase(3);
        }
        if (day == QDate(2024, 9, 2)) {
            s.masterFunction(At(day, 7, 30), EnterDisableUser, UserEnabled, 3);
            s.openers().insert(3);
        }
        if (day == QDate(2024, 9, 30)) {
            s.masterFunction(At(day, 18, 10), EnterDeleteUser, UserDeleted, 6); // left the branch
            s.openers().erase(6);
        }
        if (day == QDate(2024, 11, 14)) {
            // A hold-up: user 5 opens with the duress code; the silent alarm calls the police.
            s.closing(s.opening(At(day, 8, 12, 40), 5, SilentAlarmCode) + 1500);
            // The manager opens again once the police have left.
            s.opening(At(day, 11, 30), Manager);
            s.closing(At(day, 17, 45));
            continue;
        }
        if (day == QDate(2024, 12, 9)) {
            // Three wrong codes in a row earn a time penalty.
            const qint64 t = At(day, 7, 41);
            s.keypad(t, WrongTry, 0);
            s.keypad(t + 14, WrongTry, 0);
            s.keypad(t + 31, WrongTry, 0);
            s.keypad(t + 32, TimePenalty, 0);
        }
        if (day == QDate(2025, 1, 20))
            s.setLowBattery(true);
        if (day == QDate(2025, 1, 27)) {
            s.keypad(At(day, 7, 20), EnterBatteryCheck, Master);
            s.lock(At(day, 7, 35), PowerReEnabled, 0); // new batteries
            s.setLowBattery(false);
        }
        if (day == QDate(2025, 2, 12))
            s.lock(At(day, 22, 14), RemoteBlock, 0); // the alarm panel armed
        if (day == QDate(2025, 2, 17)) {
            s.masterFunction(At(day, 18, 0), EnterDisableUser, UserDisabled, 7); // long leave
            s.openers().erase(7);
        }
        if (codeChanges.contains(day) && s.openers().count(quint8(codeChanges.value(day))))
            s.changeCode(At(day, s.pick(10, 11), s.pick(0, 59)), quint8(codeChanges.value(day)));
        if (Weekday(day))
            s.workingDay(day);
        else if (day.dayOfWeek() == 6 && s.chance(8))
            s.closing(s.opening(At(day, 10, 5), Manager) + 2400); // a Saturday count
    }
    // The download itself.
    s.keypad(At(end, 16, 44), EnterAuditDownload, Master);
    s.lock(At(end, 16, 44, 15), ValidCode, Master);

    Config c = BranchConfig();
    SetUser(c, Master, Installed, CodeOnly);
    SetUser(c, Manager, Installed, CodeAndKey);
    SetUser(c, Manager2, Installed, CodeOnly);
    for (quint8 user : { 1, 2, 3, 5, 8 })
        SetUser(c, user, Installed, CodeOnly);
    SetUser(c, 4, Installed, CodeAndKey);
    SetUser(c, 6, Deleted, CodeOnly);
    SetUser(c, 7, Disabled, CodeOnly);

    Sample sample;
    sample.lock = LockDescription::FromConfig(c, DelayEncoding::Bcd);
    sample.lock.name = "VAULT1";
    sample.lock.serialNumber = "23041207";
    sample.lock.lockMajor = 1;
    sample.lock.lockMinor = 7;
    sample.lock.keypadMajor = 2;
    sample.lock.keypadMinor = 5;
    sample.lockEvents = s.allNewestFirst();
    sample.timeDateTable = clock;
    sample.downloaded = QDateTime(end, QTime(16, 45, 12));
    return sample;
}

// VAULT2: read with a Dallas audit key on 17 March 2025, about 15 weeks of events.
Sample NightSafe()
{
    Story s(20241202, 10, 5);
    const QDate start(2024, 12, 2);
    QVector<AuditEntry> clock { { At(QDate(2024, 3, 31), 10, 40), TimeChanged, Master },
                                { At(QDate(2024, 10, 27), 10, 30), TimeChanged, Master } };
    for (quint8 user : { Manager, quint8(1), quint8(2), quint8(3), quint8(4) })
        s.openers().insert(user);

    const QDate end(2025, 3, 17);
    for (QDate day = start; day < end; day = day.addDays(1)) {
        if (day == QDate(2025, 1, 13)) {
            s.masterFunction(At(day, 8, 20), EnterInstallUser, UserInstalled, 5);
            s.openers().insert(5);
        }
        if (day == QDate(2025, 2, 3)) {
            s.masterFunction(At(day, 18, 20), EnterDeleteUser, UserDeleted, 2);
            s.openers().erase(2);
        }
        if (day == QDate(2025, 2, 24))
            s.changeCode(At(day, 12, 30), 4);
        if (day == QDate(2025, 3, 3))
            s.setLowBattery(true);
        if (day == QDate(2025, 3, 10)) {
            s.keypad(At(day, 7, 30), EnterBatteryCheck, Manager);
            s.lock(At(day, 7, 42), PowerReEnabled, 0);
            s.setLowBattery(false);
        }
        // The night safe is emptied on Mondays, Wednesdays and Fridays.
        if (day.dayOfWeek() % 2 == 1 && day.dayOfWeek() <= 5) {
            const QVector<quint8> people(s.openers().begin(), s.openers().end());
            const qint64 open = s.opening(At(day, 8, s.pick(0, 30), s.pick(0, 59)), people.at(s.pick(0, people.size() - 1)));
            s.closing(open + s.pick(600, 1500));
        }
    }
    s.keypad(At(end, 10, 9), EnterAuditDownload, Manager);
    s.lock(At(end, 10, 9, 20), ValidCode, Manager);

    Config c = BranchConfig();
    c.codeExpirationMonths = 0;
    SetUser(c, Master, Installed, CodeOnly);
    SetUser(c, Manager, Installed, CodeAndKey);
    for (quint8 user : { 1, 3, 4, 5 })
        SetUser(c, user, Installed, CodeOnly);
    SetUser(c, 2, Deleted, CodeOnly);

    Sample sample;
    sample.lock = LockDescription::FromConfig(c, DelayEncoding::Plain);
    sample.lock.name = "VAULT2";
    sample.lock.serialNumber = "23041208";
    sample.lock.lockMajor = 1;
    sample.lock.lockMinor = 7;
    sample.lock.keypadMajor = 2;
    sample.lock.keypadMinor = 5;
    sample.lockEvents = s.newestFirst(false);
    sample.keypadEvents = s.newestFirst(true);
    sample.timeDateTable = clock;
    sample.downloaded = QDateTime(end, QTime(10, 12), Qt::UTC);
    return sample;
}

QVector<AuditEntry> Entries(const QVector<StoryEvent>& events)
{
    QVector<AuditEntry> out;
    for (const StoryEvent& e : events)
        out.append({ e.time, e.code, e.user });
    return out;
}

} // namespace

BusAuditBuilder MainVaultBusAudit(QDateTime* downloaded)
{
    const Sample sample = MainVault();
    BusAuditBuilder builder;
    builder.setLock(sample.lock);
    // The table keeps the latest eight clock settings, newest in slot 0.
    for (int slot = 0; slot < 8 && slot < sample.timeDateTable.size(); ++slot) {
        const AuditEntry& e = sample.timeDateTable.at(sample.timeDateTable.size() - 1 - slot);
        builder.setTimeDateEntry(slot, e.time, e.event, e.user);
    }
    for (const StoryEvent& e : sample.lockEvents)
        builder.addEvent(e.time, e.code, e.user);
    if (downloaded)
        *downloaded = sample.downloaded;
    return builder;
}

DallasImageBuilder NightSafeDallasImage()
{
    const Sample sample = NightSafe();
    const QDateTime& d = sample.downloaded;
    DallasImageBuilder builder;
    builder.addDateTime(d.date().year(), d.date().month(), d.date().day(), d.time().hour(), d.time().minute())
        .addConfiguration(sample.lock)
        .addTimeDateTable(sample.timeDateTable)
        .addEvents(KeypadDevice, Entries(sample.keypadEvents))
        .addEvents(LockDevice, Entries(sample.lockEvents));
    return builder;
}
