#include "EventRows.h"

#include <QCoreApplication>
#include <QLocale>

#include <array>

namespace {

constexpr int CodeChangedEvent = 0x03;
constexpr int OptionChangedEvent = 0x68;
constexpr int ConfigurationChangedEvent = 0x70;
constexpr int LockInstalledUser = 100;

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
    n.text[0x01] = QT_TRANSLATE_NOOP("MainWindow", "Valid code");
    n.text[0x02] = QT_TRANSLATE_NOOP("MainWindow", "Valid code");
    n.text[0x03] = QT_TRANSLATE_NOOP("MainWindow", "Code changed");
    n.text[0x04] = QT_TRANSLATE_NOOP("MainWindow", "Motor in open position (bolt not open)");
    n.text[0x05] = QT_TRANSLATE_NOOP("MainWindow", "Bolt open");
    n.text[0x06] = QT_TRANSLATE_NOOP("MainWindow", "Motor in open position (low battery - bolt not open)");
    n.text[0x07] = QT_TRANSLATE_NOOP("MainWindow", "Bolt open (low battery)");
    n.text[0x08] = QT_TRANSLATE_NOOP("MainWindow", "Time delay started");
    n.text[0x09] = QT_TRANSLATE_NOOP("MainWindow", "Open window started");
    n.text[0x0B] = QT_TRANSLATE_NOOP("MainWindow", "Access attempt with expired user");
    n.text[0x0C] = QT_TRANSLATE_NOOP("MainWindow", "Valid code with silent alarm");
    n.text[0x0D] = QT_TRANSLATE_NOOP("MainWindow", "Remote block");
    n.text[0x0E] = QT_TRANSLATE_NOOP("MainWindow", "Low battery detected during opening");
    n.text[0x0F] = QT_TRANSLATE_NOOP("MainWindow", "Access attempt with user deleted for inactivity");
    n.text[0x10] = QT_TRANSLATE_NOOP("MainWindow", "User enabled");
    n.text[0x11] = QT_TRANSLATE_NOOP("MainWindow", "User installed");
    n.text[0x12] = QT_TRANSLATE_NOOP("MainWindow", "User disabled");
    n.text[0x13] = QT_TRANSLATE_NOOP("MainWindow", "User deleted");
    n.text[0x14] = QT_TRANSLATE_NOOP("MainWindow", "Motor timeout");
    n.text[0x26] = QT_TRANSLATE_NOOP("MainWindow", "Command 22");
    n.text[0x28] = QT_TRANSLATE_NOOP("MainWindow", "Command 89 (write)");
    n.text[0x29] = QT_TRANSLATE_NOOP("MainWindow", "Time delay and open window changed");
    n.text[0x30] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Change code' function");
    n.text[0x31] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Install user' function");
    n.text[0x32] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Disable/enable user' function");
    n.text[0x33] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Delete user' function");
    n.text[0x34] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Battery check' function");
    n.text[0x35] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Keypad check' function");
    n.text[0x36] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'System settings' function");
    n.text[0x37] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Users status/audit download' function");
    n.text[0x38] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Change configuration' function");
    n.text[0x39] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Change time delay' function");
    n.text[0x40] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Lock reset' function");
    n.text[0x41] = QT_TRANSLATE_NOOP("MainWindow", "Entered 'Set time/date' function");
    n.text[0x60] = QT_TRANSLATE_NOOP("MainWindow", "Bolt open");
    n.text[0x68] = QT_TRANSLATE_NOOP("MainWindow", "Option changed");
    n.text[0x70] = QT_TRANSLATE_NOOP("MainWindow", "Configuration changed");
    // The unbalanced parentheses are the lock's own wording.
    n.text[0xA0] = QT_TRANSLATE_NOOP("MainWindow", "Door opened (REED sensor");
    n.text[0xA1] = QT_TRANSLATE_NOOP("MainWindow", "Door closed (REED sensor");
    n.text[0xE0] = QT_TRANSLATE_NOOP("MainWindow", "Time and date changed");
    n.text[0xE1] = QT_TRANSLATE_NOOP("MainWindow", "Date changed");
    n.text[0xE2] = QT_TRANSLATE_NOOP("MainWindow", "Time changed");
    n.text[0xF0] = QT_TRANSLATE_NOOP("MainWindow", "Power re-enabled");
    n.text[0xF1] = QT_TRANSLATE_NOOP("MainWindow", "Power re-enabled");
    n.text[0xF2] = QT_TRANSLATE_NOOP("MainWindow", "CPU restart");
    n.text[0xF3] = QT_TRANSLATE_NOOP("MainWindow", "CPU restart");
    n.text[0xF5] = QT_TRANSLATE_NOOP("MainWindow", "Wrong try");
    n.text[0xF6] = QT_TRANSLATE_NOOP("MainWindow", "Time penalty");
    n.text[0xF7] = QT_TRANSLATE_NOOP("MainWindow", "Stop count");
    n.text[0xF9] = QT_TRANSLATE_NOOP("MainWindow", "Bolt closed");
    n.text[0xFA] = QT_TRANSLATE_NOOP("MainWindow", "Lock reset");
    n.text[0xFF] = QT_TRANSLATE_NOOP("MainWindow", "Factory reset");
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

const char* const eventHeaders[] = {
    QT_TRANSLATE_NOOP("MainWindow", "#"),
    QT_TRANSLATE_NOOP("MainWindow", "Device"),
    QT_TRANSLATE_NOOP("MainWindow", "Date"),
    QT_TRANSLATE_NOOP("MainWindow", "Date with DST"),
    QT_TRANSLATE_NOOP("MainWindow", "User"),
    QT_TRANSLATE_NOOP("MainWindow", "Event"),
    QT_TRANSLATE_NOOP("MainWindow", "Event ID"),
};

QString userName(int user)
{
    if ((user >= 1 && user <= 59) || (user >= 63 && user <= 79))
        return QCoreApplication::translate("MainWindow", "User %1").arg(twoDigits(user));
    switch (user) {
    case 60: return QCoreApplication::translate("MainWindow", "Manager");
    case 61: return QCoreApplication::translate("MainWindow", "Manager 02");
    case 62: return QCoreApplication::translate("MainWindow", "Manager 03");
    case 80: return QCoreApplication::translate("MainWindow", "Master");
    case 81: return QCoreApplication::translate("MainWindow", "Master 02");
    case 98: return QCoreApplication::translate("MainWindow", "ERC 1 user");
    case 99: return QCoreApplication::translate("MainWindow", "ERC 2 user");
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

// One locale and pattern per batch of rows: building a QLocale costs more than a date.
class TimeFormatter
{
public:
    explicit TimeFormatter(const DisplaySettings& settings)
        : locale_(QStringLiteral("en_EN")), pattern_(DatePattern(settings))
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
        const QDateTime t = AuditDateTime(seconds);
        return t.isValid() && t.date().year() != 2000 ? locale_.toString(t, pattern_) : QString();
    }

private:
    QLocale locale_;
    QString pattern_;
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
    if (event == ConfigurationChangedEvent)
        return configurationName(user);
    if (event == OptionChangedEvent)
        return optionName(user);
    return userName(user);
}

QString EventText(int event, int user)
{
    if (event == CodeChangedEvent && user == LockInstalledUser)
        return translate(lockInstalledText);
    if (event < 0 || event > 255)
        return QCoreApplication::translate("MainWindow", "Unknown");
    return translate(eventNames.text[event]);
}

QVector<EventRow> BuildEventRows(QList<EventsTable>& merged, const DisplaySettings& settings,
                                 bool dstApplied)
{
    const TimeFormatter formatter(settings);
    const QString keypad = DeviceText(KeypadDevice);
    const QString lock = DeviceText(0);

    QVector<EventRow> rows(merged.size());
    for (int k = 0; k < merged.size(); ++k) {
        EventsTable& e = merged[k];
        EventRow& row = rows[k];
        row.number = QString::number(k + 1);
        e.rowNumber = row.number;
        row.device = e.device == KeypadDevice ? keypad : lock;
        row.date = formatter.auditTime(e.time);
        row.dstDate = e.dstTime == e.time ? row.date : formatter.auditTime(e.dstTime);

        row.user = UserText(e.event, e.user);
        row.event = EventText(e.event, e.user);
        row.eventId = QString::number(e.event);
        row.dstHighlight = dstApplied && (e.dstMarked || row.dstDate.isEmpty());
    }
    return rows;
}

QStringList EventColumnHeaders()
{
    QStringList headers;
    for (const char* header : eventHeaders)
        headers << translate(header);
    return headers;
}
