#include "model/EventRows.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>

#include <array>
#include <vector>

namespace {


QString translate(const char* text)
{
    return QCoreApplication::translate("MainWindow", text);
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

struct EventNames
{
    const char* text[256];
};

constexpr EventNames makeEventNames()
{
    EventNames n{};
    for (const char*& t : n.text)
        t = QT_TRANSLATE_NOOP("MainWindow", "Unknown");
    n.text[code(EventCode::ValidCode)] = QT_TRANSLATE_NOOP("MainWindow", "Valid code");
    n.text[code(EventCode::ValidSecondCode)] = QT_TRANSLATE_NOOP("MainWindow", "Valid code");
    n.text[code(EventCode::CodeChanged)] = QT_TRANSLATE_NOOP("MainWindow", "Code changed");
    n.text[code(EventCode::MotorOpenBoltNotOpen)] = QT_TRANSLATE_NOOP("MainWindow", "Motor in open position (bolt not open)");
    n.text[code(EventCode::BoltOpen)] = QT_TRANSLATE_NOOP("MainWindow", "Bolt open");
    n.text[code(EventCode::MotorOpenLowBatteryBoltNotOpen)] = QT_TRANSLATE_NOOP("MainWindow", "Motor in open position (low battery - bolt not open)");
    n.text[code(EventCode::BoltOpenLowBattery)] = QT_TRANSLATE_NOOP("MainWindow", "Bolt open (low battery)");
    n.text[code(EventCode::TimeDelayStarted)] = QT_TRANSLATE_NOOP("MainWindow", "Time delay started");
    n.text[code(EventCode::OpenWindowStarted)] = QT_TRANSLATE_NOOP("MainWindow", "Open window started");
    n.text[code(EventCode::ExpiredUserAttempt)] = QT_TRANSLATE_NOOP("MainWindow", "Access attempt with expired user");
    n.text[code(EventCode::SilentAlarmCode)] = QT_TRANSLATE_NOOP("MainWindow", "Valid code with silent alarm");
    n.text[code(EventCode::RemoteBlock)] = QT_TRANSLATE_NOOP("MainWindow", "Remote block");
    n.text[code(EventCode::LowBatteryDuringOpening)] = QT_TRANSLATE_NOOP("MainWindow", "Low battery detected during opening");
    n.text[code(EventCode::InactiveUserAttempt)] = QT_TRANSLATE_NOOP("MainWindow", "Access attempt with user deleted for inactivity");
    n.text[code(EventCode::UserEnabled)] = QT_TRANSLATE_NOOP("MainWindow", "User enabled");
    n.text[code(EventCode::UserInstalled)] = QT_TRANSLATE_NOOP("MainWindow", "User installed");
    n.text[code(EventCode::UserDisabled)] = QT_TRANSLATE_NOOP("MainWindow", "User disabled");
    n.text[code(EventCode::UserDeleted)] = QT_TRANSLATE_NOOP("MainWindow", "User deleted");
    n.text[code(EventCode::MotorTimeout)] = QT_TRANSLATE_NOOP("MainWindow", "Motor timeout");
    n.text[code(EventCode::Command22)] = QT_TRANSLATE_NOOP("MainWindow", "Command 22");
    n.text[code(EventCode::Command89Write)] = QT_TRANSLATE_NOOP("MainWindow", "Command 89 (write)");
    n.text[code(EventCode::DelaysChanged)] = QT_TRANSLATE_NOOP("MainWindow", "Time delay and open window changed");
    n.text[code(EventCode::EnterChangeCode)] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Change code' function");
    n.text[code(EventCode::EnterInstallUser)] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Install user' function");
    n.text[code(EventCode::EnterDisableUser)] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Disable/enable user' function");
    n.text[code(EventCode::EnterDeleteUser)] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Delete user' function");
    n.text[code(EventCode::EnterBatteryCheck)] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Battery check' function");
    n.text[code(EventCode::EnterKeypadCheck)] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Keypad check' function");
    n.text[code(EventCode::EnterSystemSettings)] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'System settings' function");
    n.text[code(EventCode::EnterAuditDownload)] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Users status/audit download' function");
    n.text[code(EventCode::EnterChangeConfiguration)] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Change configuration' function");
    n.text[code(EventCode::EnterChangeTimeDelay)] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Change time delay' function");
    n.text[code(EventCode::EnterLockReset)] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Lock reset' function");
    n.text[code(EventCode::EnterSetTimeDate)] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Set time/date' function");
    n.text[code(EventCode::BoltOpenRemote)] = QT_TRANSLATE_NOOP("MainWindow", "Bolt open");
    n.text[code(EventCode::OptionChanged)] = QT_TRANSLATE_NOOP("MainWindow", "Option changed");
    n.text[code(EventCode::ConfigurationChanged)] = QT_TRANSLATE_NOOP("MainWindow", "Configuration changed");
    // The unbalanced parentheses are the lock's own wording.
    n.text[code(EventCode::DoorOpened)] = QT_TRANSLATE_NOOP("MainWindow", "Door opened (REED sensor");
    n.text[code(EventCode::DoorClosed)] = QT_TRANSLATE_NOOP("MainWindow", "Door closed (REED sensor");
    n.text[code(EventCode::TimeAndDateChanged)] = QT_TRANSLATE_NOOP("MainWindow", "Time and date changed");
    n.text[code(EventCode::DateChanged)] = QT_TRANSLATE_NOOP("MainWindow", "Date changed");
    n.text[code(EventCode::TimeChanged)] = QT_TRANSLATE_NOOP("MainWindow", "Time changed");
    n.text[code(EventCode::PowerReEnabled)] = QT_TRANSLATE_NOOP("MainWindow", "Power re-enabled");
    n.text[code(EventCode::PowerReEnabledOther)] = QT_TRANSLATE_NOOP("MainWindow", "Power re-enabled");
    n.text[code(EventCode::CpuRestart)] = QT_TRANSLATE_NOOP("MainWindow", "CPU restart");
    n.text[code(EventCode::CpuRestartOther)] = QT_TRANSLATE_NOOP("MainWindow", "CPU restart");
    n.text[code(EventCode::WrongTry)] = QT_TRANSLATE_NOOP("MainWindow", "Wrong try");
    n.text[code(EventCode::TimePenalty)] = QT_TRANSLATE_NOOP("MainWindow", "Time penalty");
    n.text[code(EventCode::StopCount)] = QT_TRANSLATE_NOOP("MainWindow", "Stop count");
    n.text[code(EventCode::BoltClosed)] = QT_TRANSLATE_NOOP("MainWindow", "Bolt closed");
    n.text[code(EventCode::LockReset)] = QT_TRANSLATE_NOOP("MainWindow", "Lock reset");
    n.text[code(EventCode::FactoryReset)] = QT_TRANSLATE_NOOP("MainWindow", "Factory reset");
    return n;
}

constexpr EventNames eventNames = makeEventNames();

const char* const lockInstalledText = QT_TRANSLATE_NOOP("MainWindow", "Lock installed/removed");

const char* const optionNames[] = {
    QT_TRANSLATE_NOOP("MainWindow", "Option 00 (Remote override/Remode disable opening)"),
    QT_TRANSLATE_NOOP("MainWindow", "Option 01 (Bolt output/Hold-up)"),
    QT_TRANSLATE_NOOP("MainWindow", "Option 02 (Door alarm)"),
    QT_TRANSLATE_NOOP("MainWindow", "Option 03 (Manual closing)"),
    QT_TRANSLATE_NOOP("MainWindow", "Option 04 (Buzzer silencing)"),
    QT_TRANSLATE_NOOP("MainWindow", "Option 05 (Date format)"),
    QT_TRANSLATE_NOOP("MainWindow", "Option 06 (Changing code expiring)"),
    QT_TRANSLATE_NOOP("MainWindow", "Option 07 (Disabling code expiring)"),
};
constexpr int optionCount = int(sizeof(optionNames) / sizeof(optionNames[0]));

QString userName(int user)
{
    if ((user >= users::FirstUser && user <= users::LastUser) || (user >= users::FirstOtherUser && user <= users::LastOtherUser))
        return QCoreApplication::translate("MainWindow", "User %1").arg(twoDigits(user));
    switch (user) {
    case users::Manager: return QCoreApplication::translate("MainWindow", "Manager");
    case users::Manager2: return QCoreApplication::translate("MainWindow", "Manager 02");
    case users::Manager3: return QCoreApplication::translate("MainWindow", "Manager 03");
    case users::Master: return QCoreApplication::translate("MainWindow", "Master");
    case users::Master2: return QCoreApplication::translate("MainWindow", "Master 02");
    case users::Erc1: return QCoreApplication::translate("MainWindow", "ERC 1 user");
    case users::Erc2: return QCoreApplication::translate("MainWindow", "ERC 2 user");
    default: return QString();
    }
}

QString optionName(int option)
{
    if (option >= 0 && option < optionCount)
        return translate(optionNames[option]);
    return QCoreApplication::translate("MainWindow", "Unknown option");
}

QString configurationName(int configuration)
{
    return QCoreApplication::translate("MainWindow", "Configuration %1").arg(twoDigits(configuration));
}

const QDate& epoch()
{
    static const QDate date(2000, 1, 1);
    return date;
}

// Audit times are kept within four-digit years; the bound also keeps addSecs() clear of
// overflow when a damaged file carries an absurd time.
bool inDateRange(qint64 seconds)
{
    static const qint64 minSeconds = -QDate(1, 1, 1).daysTo(epoch()) * 86400;
    static const qint64 maxSeconds = epoch().daysTo(QDate(10000, 1, 1)) * 86400 - 1;
    return seconds >= minSeconds && seconds <= maxSeconds;
}

// One locale and pattern per batch of rows: building a QLocale costs more than a date. Audit times
// of four-digit years are written by hand, a day's date once for all its times; they read as the
// locale writes them.
class TimeFormatter
{
public:
    explicit TimeFormatter(const DisplaySettings& settings)
        : locale_(QStringLiteral("en_EN")), pattern_(DatePattern(settings)), dayFirst_(settings.dateFormat == 0),
          twentyFour_(settings.hourFormat == 0 && (settings.dateFormat == 0 || settings.dateFormat == 1))
    {
    }

    QString dateTime(const QDateTime& dateTime) const
    {
        return dateTime.isValid() ? locale_.toString(dateTime, pattern_) : QString();
    }

    QString auditTime(qint64 seconds) const
    {
        if (seconds == 0)
            return QString();
        // A row's two dates are mostly one.
        if (seconds != lastSeconds_) {
            lastSeconds_ = seconds;
            lastText_ = format(seconds);
        }
        return lastText_;
    }

private:
    enum class Day { Empty, ByHand, ByLocale };

    QString format(qint64 seconds) const
    {
        const qint64 day = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
        if (day != day_ || !dayKnown_)
            learnDay(day, seconds);
        if (dayKind_ == Day::Empty)
            return QString();
        if (dayKind_ == Day::ByLocale) {
            const QDateTime t = AuditDateTime(seconds);
            return t.isValid() ? locale_.toString(t, pattern_) : QString();
        }
        const int inDay = int(seconds - day * 86400);
        int hour = inDay / 3600;
        const int minute = inDay / 60 % 60, second = inDay % 60;
        QString text = dayText_;
        const bool pm = hour >= 12;
        if (!twentyFour_)
            hour = hour % 12 == 0 ? 12 : hour % 12;
        const QChar digits[] = { QChar('0' + hour / 10), QChar('0' + hour % 10), QLatin1Char('.'),
                                 QChar('0' + minute / 10), QChar('0' + minute % 10), QLatin1Char('.'),
                                 QChar('0' + second / 10), QChar('0' + second % 10) };
        text.append(digits, 8);
        if (!twentyFour_)
            text.append(pm ? QLatin1String(" PM") : QLatin1String(" AM"));
        return text;
    }

    void learnDay(qint64 day, qint64 seconds) const
    {
        day_ = day;
        dayKnown_ = true;
        const QDateTime t = AuditDateTime(seconds);
        const int year = t.isValid() ? t.date().year() : 0;
        // The year 2000 is a clock never set; far years are left to the locale.
        dayKind_ = !t.isValid() || year == 2000 ? Day::Empty : year < 1000 || year > 9999 ? Day::ByLocale : Day::ByHand;
        if (dayKind_ != Day::ByHand)
            return;
        const QString dd = QStringLiteral("%1").arg(t.date().day(), 2, 10, QLatin1Char('0'));
        const QString mm = QStringLiteral("%1").arg(t.date().month(), 2, 10, QLatin1Char('0'));
        dayText_ = (dayFirst_ ? dd : mm) + QLatin1Char('/') + (dayFirst_ ? mm : dd) + QLatin1Char('/')
            + QString::number(year) + QLatin1Char(' ');
    }

    QLocale locale_;
    QString pattern_;
    bool dayFirst_;
    bool twentyFour_;
    mutable qint64 lastSeconds_ = 0;
    mutable QString lastText_;
    mutable qint64 day_ = 0;
    mutable bool dayKnown_ = false;
    mutable Day dayKind_ = Day::Empty;
    mutable QString dayText_;
};

} // namespace

QString DatePattern(const DisplaySettings& settings)
{
    if (settings.dateFormat == 0 && settings.hourFormat == 0)
        return QStringLiteral("dd/MM/yyyy HH.mm.ss");
    if (settings.dateFormat == 0 && settings.hourFormat == 1)
        return QStringLiteral("dd/MM/yyyy hh.mm.ss AP");
    if (settings.dateFormat == 1 && settings.hourFormat == 0)
        return QStringLiteral("MM/dd/yyyy HH.mm.ss");
    return QStringLiteral("MM/dd/yyyy hh.mm.ss AP");
}

QDateTime AuditDateTime(qint64 seconds)
{
    if (!inDateRange(seconds))
        return QDateTime();
    return QDateTime(epoch(), QTime(0, 0), Qt::UTC).addSecs(seconds);
}

QString FormatAuditTime(qint64 seconds, const DisplaySettings& settings)
{
    return TimeFormatter(settings).auditTime(seconds);
}

QString FormatDateTime(const QDateTime& dateTime, const DisplaySettings& settings)
{
    return TimeFormatter(settings).dateTime(dateTime);
}

QString DeviceText(quint8 device)
{
    if (device == KeypadDevice)
        return QCoreApplication::translate("MainWindow", "Keypad");
    return QCoreApplication::translate("MainWindow", "Lock");
}

QString UserText(int event, int user)
{
    if (Is(event, EventCode::ConfigurationChanged))
        return configurationName(user);
    if (Is(event, EventCode::OptionChanged))
        return optionName(user);
    return userName(user);
}

QString EventText(int event, int user)
{
    if (Is(event, EventCode::CodeChanged) && user == users::LockInstaller)
        return translate(lockInstalledText);
    if (event < 0 || event > 255)
        return QCoreApplication::translate("MainWindow", "Unknown");
    return translate(eventNames.text[event]);
}

struct EventTexts::Cache
{
    explicit Cache(const DisplaySettings& settings) : formatter(settings) {}
    TimeFormatter formatter;
    QString keypad = DeviceText(KeypadDevice);
    QString lock = DeviceText(0);
    // By (event, user): the user's and the event's text. Codes and users a lock records are
    // bytes: those are found by place, without hashing, once the first is asked.
    mutable QHash<quint32, QPair<QString, QString>> texts;
    mutable std::vector<const QPair<QString, QString>*> byByte;

    const QPair<QString, QString>& of(int event, int user) const
    {
        const bool bytes = quint32(event) < 256 && quint32(user) < 256;
        const size_t place = bytes ? size_t(event) << 8 | size_t(user) : 0;
        if (bytes && !byByte.empty() && byByte[place])
            return *byByte[place];
        const quint32 key = quint32(event & 0xFFFF) << 16 | quint32(user & 0xFFFF);
        auto it = texts.find(key);
        if (it == texts.end())
            it = texts.insert(key, { UserText(event, user), EventText(event, user) });
        if (bytes) {
            if (byByte.empty())
                byByte.resize(256 * 256, nullptr);
            // A QHash's values stay where they are while other keys are added.
            byByte[place] = &it.value();
        }
        return it.value();
    }
};

EventTexts::EventTexts(const DisplaySettings& settings) : m_cache(new Cache(settings)) {}

EventTexts::~EventTexts()
{
    delete m_cache;
}

QString EventTexts::date(qint64 seconds) const
{
    return m_cache->formatter.auditTime(seconds);
}

QString EventTexts::user(int event, int user) const
{
    return m_cache->of(event, user).first;
}

QString EventTexts::event(int event, int user) const
{
    return m_cache->of(event, user).second;
}

QString EventTexts::device(quint8 device) const
{
    return device == KeypadDevice ? m_cache->keypad : m_cache->lock;
}
