#include "EventRows.h"

#include <QtTest>

namespace {

EventsTable makeEvent(int code, int user, qint64 time = 700000000, quint8 device = 1)
{
    EventsTable e;
    e.event = code;
    e.user = user;
    e.time = time;
    e.dstTime = time;
    e.device = device;
    return e;
}

constexpr qint64 Start2001 = 366 * 86400; // 2000 is a leap year

} // namespace

class TestEventRows : public QObject
{
    Q_OBJECT

private slots:
    void formatAuditTime_data();
    void formatAuditTime();
    void formatIgnoresDefaultLocale();
    void formatMatchesLocale();
    void formatDateTime();

    void vocabulary_data();
    void vocabulary();
    void unknownEventCodes();

    void rows();
    void rowsMatchVocabulary();
    void dstHighlight_data();
    void dstHighlight();
};

void TestEventRows::formatAuditTime_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<int>("dateFormat");
    QTest::addColumn<int>("hourFormat");
    QTest::addColumn<QString>("expected");

    QTest::newRow("month first, 12 h") << qint64(700000000) << 1 << 1 << "03/07/2022 08.26.40 PM";
    QTest::newRow("day first, 24 h") << qint64(700000000) << 0 << 0 << "07/03/2022 20.26.40";
    QTest::newRow("month first, 24 h") << qint64(700000000) << 1 << 0 << "03/07/2022 20.26.40";
    QTest::newRow("other combination") << qint64(700000000) << 2 << 0 << "03/07/2022 08.26.40 PM";
    QTest::newRow("no time") << qint64(0) << 0 << 0 << "";
    QTest::newRow("within 2000") << qint64(100000) << 0 << 0 << "";
    QTest::newRow("last second of 2000") << Start2001 - 1 << 0 << 0 << "";
    QTest::newRow("first second of 2001") << Start2001 << 0 << 0 << "01/01/2001 00.00.00";
    QTest::newRow("midnight is 12 AM") << Start2001 << 1 << 1 << "01/01/2001 12.00.00 AM";
    QTest::newRow("noon is 12 PM") << Start2001 + 12 * 3600 << 1 << 1 << "01/01/2001 12.00.00 PM";
    QTest::newRow("before 2000 is shown") << qint64(-1) << 0 << 0 << "31/12/1999 23.59.59";
    QTest::newRow("absurd time") << (qint64(1) << 62) << 0 << 0 << "";
}

void TestEventRows::formatAuditTime()
{
    QFETCH(qint64, seconds);
    QFETCH(int, dateFormat);
    QFETCH(int, hourFormat);
    QFETCH(QString, expected);

    QCOMPARE(FormatAuditTime(seconds, DisplaySettings{dateFormat, hourFormat}), expected);
}

void TestEventRows::formatIgnoresDefaultLocale()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    const QString text = FormatAuditTime(700000000, DisplaySettings{1, 1});
    QLocale::setDefault(saved);
    QCOMPARE(text, QStringLiteral("03/07/2022 08.26.40 PM"));
}

// Event dates are composed without going through QLocale; they must read exactly as the
// locale would write them.
void TestEventRows::formatMatchesLocale()
{
    const QLocale english(QStringLiteral("en_EN"));
    const QDateTime epoch(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
    QList<qint64> times;
    for (qint64 t = -63000000000LL; t < 252000000000LL; t += 7777777777LL)
        times << t;
    for (int hour = 0; hour < 24; ++hour)
        times << Start2001 + hour * 3600 + 59 * 60 + 59 << 700000000 + hour * 3600;
    const qint64 leapDay2024 = epoch.secsTo(QDateTime(QDate(2024, 2, 29), QTime(23, 0), Qt::UTC));
    times << leapDay2024 << -86400 * 365 * 1500LL << Start2001 - 1 << -1;

    for (const QList<int>& setting : {QList<int>{0, 0}, {0, 1}, {1, 0}, {1, 1}}) {
        const DisplaySettings settings{setting[0], setting[1]};
        const QString pattern = DatePattern(settings);
        QList<EventsTable> merged;
        for (qint64 t : times)
            merged << makeEvent(0x05, 1, t);
        const QVector<EventRow> rows = BuildEventRows(merged, settings, false);
        for (int k = 0; k < times.size(); ++k) {
            const QDateTime dt = epoch.addSecs(times[k]);
            const QString expected = dt.date().year() == 2000 ? QString() : english.toString(dt, pattern);
            QCOMPARE(rows[k].date, expected);
            QCOMPARE(FormatAuditTime(times[k], settings), expected);
        }
    }
}

void TestEventRows::formatDateTime()
{
    const DisplaySettings usa{1, 1};
    QCOMPARE(FormatDateTime(QDateTime(), usa), QString());
    // No year-2000 rule here.
    QCOMPARE(FormatDateTime(AuditDateTime(3600), usa), QStringLiteral("01/01/2000 01.00.00 AM"));
    // Shown as the clock read it, whatever its zone.
    QCOMPARE(FormatDateTime(QDateTime(QDate(2022, 3, 7), QTime(20, 26, 40), Qt::LocalTime), DisplaySettings{}),
             QStringLiteral("07/03/2022 20.26.40"));
}

void TestEventRows::vocabulary_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("user");
    QTest::addColumn<QString>("userText");
    QTest::addColumn<QString>("eventText");

    QTest::newRow("lock installed") << 0x03 << 100 << "" << "Lock installed/removed";
    QTest::newRow("code changed") << 0x03 << 5 << "User 05" << "Code changed";
    QTest::newRow("option 0") << 0x68 << 0 << "Option 00 (Remote override/Remode disable opening)"
                              << "Option changed";
    QTest::newRow("option 7") << 0x68 << 7 << "Option 07 (Disabling code expiring)" << "Option changed";
    QTest::newRow("option 9") << 0x68 << 9 << "Unknown option" << "Option changed";
    QTest::newRow("option 80 is no master") << 0x68 << 80 << "Unknown option" << "Option changed";
    QTest::newRow("configuration 03") << 0x70 << 3 << "Configuration 03" << "Configuration changed";
    QTest::newRow("unknown 0x7F") << 0x7F << 1 << "User 01" << "Unknown";
    QTest::newRow("reed open") << 0xA0 << 0 << "" << "Door opened (REED sensor";
    QTest::newRow("user 59") << 0x01 << 59 << "User 59" << "Valid code";
    QTest::newRow("manager") << 0x02 << 60 << "Manager" << "Valid code";
    QTest::newRow("manager 2") << 0x0C << 61 << "Manager 02" << "Valid code with silent alarm";
    QTest::newRow("user 63") << 0x60 << 63 << "User 63" << "Bolt open";
    QTest::newRow("user 79") << 0x11 << 79 << "User 79" << "User installed";
    QTest::newRow("master") << 0xF9 << 80 << "Master" << "Bolt closed";
    QTest::newRow("master 2") << 0xFA << 81 << "Master 02" << "Lock reset";
    QTest::newRow("user 85") << 0x05 << 85 << "" << "Bolt open";
    QTest::newRow("user 90") << 0x05 << 90 << "" << "Bolt open";
    QTest::newRow("erc 1") << 0x05 << 98 << "ERC 1 user" << "Bolt open";
    QTest::newRow("user 100 without event 3") << 0x05 << 100 << "" << "Bolt open";
    QTest::newRow("user 255") << 0xFF << 255 << "" << "Factory reset";
    QTest::newRow("event out of range") << 300 << 1 << "User 01" << "Unknown";
    QTest::newRow("user out of range") << 0x05 << 1000 << "" << "Bolt open";
    QTest::newRow("negative option") << 0x68 << -1 << "Unknown option" << "Option changed";
}

void TestEventRows::vocabulary()
{
    QFETCH(int, code);
    QFETCH(int, user);
    QFETCH(QString, userText);
    QFETCH(QString, eventText);

    QCOMPARE(UserText(code, user), userText);
    QCOMPARE(EventText(code, user), eventText);
}

void TestEventRows::unknownEventCodes()
{
    const QList<int> known = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0B, 0x0C, 0x0D, 0x0E,
                              0x0F, 0x10, 0x11, 0x12, 0x13, 0x14, 0x26, 0x28, 0x29, 0x30, 0x31, 0x32, 0x33,
                              0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x40, 0x41, 0x60, 0x68, 0x70, 0xA0, 0xA1,
                              0xE0, 0xE1, 0xE2, 0xF0, 0xF1, 0xF2, 0xF3, 0xF5, 0xF6, 0xF7, 0xF9, 0xFA, 0xFF};
    for (int code = 0; code < 256; ++code) {
        const bool unknown = EventText(code, 1) == QLatin1String("Unknown");
        if (unknown == known.contains(code))
            QFAIL(qPrintable(QStringLiteral("code 0x%1").arg(code, 2, 16, QLatin1Char('0'))));
    }
}

void TestEventRows::rows()
{
    QList<EventsTable> merged = {makeEvent(0x05, 1, 700000000, KeypadDevice), makeEvent(0x7F, 0, 0),
                                 makeEvent(0x70, 3, 100000)};
    merged[0].rowNumber = QStringLiteral("stale");
    const QVector<EventRow> rows = BuildEventRows(merged, DisplaySettings{}, false);

    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].number, QStringLiteral("1"));
    QCOMPARE(rows[0].device, QStringLiteral("Keypad"));
    QCOMPARE(rows[0].date, QStringLiteral("07/03/2022 20.26.40"));
    QCOMPARE(rows[0].dstDate, rows[0].date);
    QCOMPARE(rows[0].user, QStringLiteral("User 01"));
    QCOMPARE(rows[0].event, QStringLiteral("Bolt open"));
    QCOMPARE(rows[0].eventId, QStringLiteral("5"));

    QCOMPARE(rows[1].device, QStringLiteral("Lock"));
    QCOMPARE(rows[1].date, QString());
    QCOMPARE(rows[1].dstDate, QString());
    QCOMPARE(rows[1].event, QStringLiteral("Unknown"));
    QCOMPARE(rows[1].eventId, QStringLiteral("127"));

    QCOMPARE(rows[2].number, QStringLiteral("3"));
    QCOMPARE(rows[2].date, QString());
    QCOMPARE(rows[2].user, QStringLiteral("Configuration 03"));

    for (int k = 0; k < merged.size(); ++k)
        QCOMPARE(merged[k].rowNumber, QString::number(k + 1));

    QList<EventsTable> none;
    QVERIFY(BuildEventRows(none, DisplaySettings{}, true).isEmpty());
}

// The rows reuse texts between events; the same code or user byte must not leak its text
// into an event that reads it differently.
void TestEventRows::rowsMatchVocabulary()
{
    QList<EventsTable> merged;
    for (int code : {0x03, 0x68, 0x70, 0x05, 0x7F})
        for (int user : {5, 100, 3, 9, 0, 100, 5, 61, 300, -2})
            merged << makeEvent(code, user);
    for (int code = -1; code <= 256; ++code)
        merged << makeEvent(code, 100);

    const QVector<EventRow> rows = BuildEventRows(merged, DisplaySettings{}, false);
    QCOMPARE(rows.size(), merged.size());
    for (int k = 0; k < rows.size(); ++k) {
        const EventsTable& e = merged[k];
        QCOMPARE(rows[k].user, UserText(e.event, e.user));
        QCOMPARE(rows[k].event, EventText(e.event, e.user));
        QCOMPARE(rows[k].eventId, QString::number(e.event));
    }
}

void TestEventRows::dstHighlight_data()
{
    QTest::addColumn<bool>("applied");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<qint64>("time");
    QTest::addColumn<qint64>("dstTime");
    QTest::addColumn<QString>("dstDate");
    QTest::addColumn<bool>("highlight");

    const qint64 t = 700000000;
    QTest::newRow("marked") << true << true << t << t + 3600 << "07/03/2022 21.26.40" << true;
    QTest::newRow("not marked") << true << false << t << t << "07/03/2022 20.26.40" << false;
    QTest::newRow("no time") << true << false << qint64(0) << qint64(0) << "" << true;
    QTest::newRow("year 2000") << true << false << qint64(100000) << qint64(100000) << "" << true;
    QTest::newRow("not applied, marked") << false << true << t << t + 3600 << "07/03/2022 21.26.40" << false;
    QTest::newRow("not applied, no time") << false << false << qint64(0) << qint64(0) << "" << false;
}

void TestEventRows::dstHighlight()
{
    QFETCH(bool, applied);
    QFETCH(bool, marked);
    QFETCH(qint64, time);
    QFETCH(qint64, dstTime);
    QFETCH(QString, dstDate);
    QFETCH(bool, highlight);

    EventsTable e = makeEvent(0x05, 1, time);
    e.dstTime = dstTime;
    e.dstMarked = marked;
    QList<EventsTable> merged{e};
    const QVector<EventRow> rows = BuildEventRows(merged, DisplaySettings{}, applied);
    QCOMPARE(rows[0].date, FormatAuditTime(time, DisplaySettings{}));
    QCOMPARE(rows[0].dstDate, dstDate);
    QCOMPARE(rows[0].dstHighlight, highlight);
}

QTEST_GUILESS_MAIN(TestEventRows)
#include "tst_eventrows.moc"
