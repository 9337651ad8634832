#include "model/EventMerge.h"
#include "model/EventRows.h"

#include <QRandomGenerator>
#include <QtTest>

static EventsTable Event(int code, int user, qint64 time = 700000000, quint8 device = 1)
{
    return EventsTable { -1, -1, time, time, code, user, device, QString(), false };
}

constexpr qint64 Start2001 = 366 * 86400;

// Each event's cells in a single audit's columns, and whether its DST date is yellow.
static QVector<QStringList> Rows(const QList<EventsTable>& events, bool dstApplied, QVector<bool>* yellow = nullptr)
{
    const EventTexts texts(DisplaySettings {});
    QVector<QStringList> rows;
    for (const EventsTable& e : events) {
        QStringList cells;
        for (EventColumn c : EventColumnsOf(SingleAuditFace))
            cells << EventCellText(c, ShownEventOf(e), texts);
        rows << cells;
        if (yellow)
            *yellow << DstHighlighted(ShownEventOf(e), texts, dstApplied);
    }
    return rows;
}

class TestEventRows : public QObject
{
    Q_OBJECT

private slots:
    void dates()
    {
        const struct { qint64 seconds; int date, hour; const char* text; } cases[] = {
            { 700000000, 1, 1, "03/07/2022 08.26.40 PM" }, { 700000000, 0, 0, "07/03/2022 20.26.40" },
            { 700000000, 1, 0, "03/07/2022 20.26.40" }, { 700000000, 0, 1, "07/03/2022 08.26.40 PM" },
            { 700000000, 2, 0, "03/07/2022 08.26.40 PM" }, { 0, 1, 1, "" }, { 100000, 0, 0, "" },
            { Start2001 - 1, 0, 0, "" }, { Start2001, 1, 1, "01/01/2001 12.00.00 AM" }, { 1LL << 62, 0, 0, "" },
            { -1, 0, 0, "31/12/1999 23.59.59" } };
        for (const auto& c : cases)
            QCOMPARE(FormatAuditTime(c.seconds, DisplaySettings { c.date, c.hour }), QString::fromLatin1(c.text));
    }

    // Dates read in English whatever the user's locale.
    void datesIgnoreTheDefaultLocale()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        const QString text = FormatAuditTime(700000000, DisplaySettings { 1, 1 });
        QLocale::setDefault(saved);
        QCOMPARE(text, QStringLiteral("03/07/2022 08.26.40 PM"));
    }

    // Dates written by hand read as the locale writes them, in every pattern, one row after another
    // (a day's date made once) and alone; far years and the year 2000 as before.
    void datesAsTheLocaleWrites()
    {
        const QLocale english(QStringLiteral("en_EN"));
        QRandomGenerator random(5);
        QVector<qint64> times{ -1, -86400, -86401, 86399 + Start2001, Start2001, 1LL << 40, -(1LL << 36), 43200 + Start2001 };
        qint64 t = 700000000;
        for (int i = 0; i < 3000; ++i) {
            t += qint64(random.bounded(50000)) - (i % 17 == 0 ? 200000 : 0);
            times << t << t << qint64(random.generate64() % (1LL << 38)) - (1LL << 37);
        }
        for (int date = 0; date < 3; ++date) {
            for (int hour = 0; hour < 2; ++hour) {
                const DisplaySettings settings{ date, hour };
                const EventTexts texts(settings);
                for (qint64 seconds : times) {
                    const QDateTime at = AuditDateTime(seconds);
                    const QString expected = seconds == 0 || !at.isValid() || at.date().year() == 2000
                        ? QString()
                        : english.toString(at, DatePattern(settings));
                    QCOMPARE(texts.date(seconds), expected);
                    QCOMPARE(FormatAuditTime(seconds, settings), expected);
                }
            }
        }
    }

    // All in one list: every code, user and option text.
    void vocabulary()
    {
        const struct { int code, user; const char *userText, *eventText; } cases[] = {
            { 0x03, 100, "", "Lock installed/removed" }, { 0x03, 5, "User 05", "Code changed" },
            { 0x68, 9, "Unknown option", "Option changed" }, { 0x70, 3, "Configuration 03", "Configuration changed" },
            { 0x68, 3, "Option 03 (Manual closing)", "Option changed" }, { 0x01, 3, "User 03", "Valid code" },
            { 0x7F, 63, "User 63", "Unknown" }, { 0x05, 85, "", "Bolt open" }, { 0x60, 90, "", "Bolt open" },
            { 0xFF, 255, "", "Factory reset" }, { 2, 60, "Manager", "Valid code" }, { 5, 80, "Master", "Bolt open" },
            { 0xA0, 0, "", "Door opened (REED sensor" }, { 0xFA, 81, "Master 02", "Lock reset" },
            { 0x0C, 99, "ERC 2 user", "Valid code with silent alarm" } };
        QList<EventsTable> merged;
        for (const auto& c : cases)
            merged << Event(c.code, c.user, 700000000, merged.isEmpty() ? KeypadDevice : 1);
        NumberEvents(merged);
        const QVector<QStringList> rows = Rows(merged, false);
        QCOMPARE(rows.size(), merged.size());
        for (int k = 0; k < rows.size(); ++k) {
            const QStringList& r = rows[k];
            const QString n = QString::number(k + 1), id = QString::number(cases[k].code);
            QCOMPARE(QStringList({ r[0], merged[k].rowNumber, r[1], r[4], r[5], r[6] }),
                     QStringList({ n, n, k ? "Lock" : "Keypad", cases[k].userText, cases[k].eventText, id }));
        }
    }

    void unknownCodes()
    {
        const QByteArray named = QByteArray::fromHex("0102030405060708090b0c0d0e0f101112131426282930313233343536373839"
                                                     "4041606870a0a1e0e1e2f0f1f2f3f5f6f7f9faff");
        for (int code = 0; code < 256; ++code) // every other code reads "Unknown"
            QVERIFY2((EventText(code, 1) == "Unknown") != named.contains(code), qPrintable(QString::number(code)));
    }

    // With the correction applied, marked events and events without a DST date are highlighted.
    void dstHighlight()
    {
        QList<EventsTable> merged { Event(5, 1), Event(5, 1), Event(5, 1, 0), Event(5, 1, 100000) };
        merged[0].dstTime += 3600, merged[0].dstMarked = true;
        for (bool applied : { true, false }) {
            QVector<bool> yellow;
            const QVector<QStringList> r = Rows(merged, applied, &yellow);
            QCOMPARE(r[0][3], QStringLiteral("07/03/2022 21.26.40"));
            QCOMPARE(yellow, QVector<bool>({ applied, false, applied, applied }));
        }
    }
};

QTEST_GUILESS_MAIN(TestEventRows)
#include "tst_eventrows.moc"
