#include "ReadBack.h"
#include "ReportFixtures.h"
#include "reports/XlsxReport.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

using namespace fixtures;

namespace {

// Cells of one sheet row from column B on: texts, one fill letter per cell, borders per cell or for all.
void AddRow(QVariantMap& cells, int row, const QStringList& texts, const QString& fills, const QStringList& borders)
{
    for (int i = 0; i < texts.size(); ++i) {
        cells[QString(QChar('B' + i)) + QString::number(row)] =
            texts[i] + "|" + fills[i] + "|" + (borders.size() == 1 ? borders[0] : borders[i]);
    }
}

} // namespace

class TestXlsxReport : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY(InstallEnglish()); }

    // Every cell of the three sheets with the correction applied: texts, white and yellow fills, the medium header borders and
    // the thin data borders (none above and below the first row; none left of the users' status and mode).
    void workbook()
    {
        const ReportTexts texts = Texts(true);
        const ReportContent content = Report(texts);
        const QString path = dir.filePath("audit.xlsx");
        QVERIFY(WriteXlsxReport(content, path));
        const QJsonObject book = readback::Workbook(path);
        QVERIFY2(!book.contains("error"), qPrintable(book["error"].toString()));
        QCOMPARE(book["sheets"].toVariant().toStringList(), (QStringList { "Audit", "Users", "Configuration" }));
        QCOMPARE(book["active"].toString(), QStringLiteral("Audit"));

        const QVariantMap widths { { "B", 5 }, { "C", 30 }, { "D", 30 }, { "E", 30 }, { "F", 30 }, { "G", 70 }, { "H", 15 } };
        QCOMPARE(book["Audit"]["widths"].toVariant().toMap(), widths);
        QCOMPARE(book["Users"]["widths"].toVariant().toMap(), (QVariantMap { { "B", 50 }, { "C", 50 }, { "D", 50 } }));
        QCOMPARE(book["Configuration"]["widths"].toVariant().toMap(), (QVariantMap { { "B", 50 }, { "C", 50 } }));

        QVariantMap audit;
        AddRow(audit, 2, { "#", "Device", "Date", "Date with DST", "User", "Event", "Event ID" }, "-------", { "mmmm" });
        AddRow(audit, 3, { "1", "Lock", "07/03/2022 20.26.40", "07/03/2022 21.26.40", "User 01", "Bolt open", "5" },
               "WWWYWWW", { "-t-t" });
        AddRow(audit, 4, { "2", "Keypad", "06/03/2022 20.26.40", "06/03/2022 20.26.40", "Master", "Valid code", "1" },
               "WWWWWWW", { "tttt" });
        AddRow(audit, 5, { "3", "Lock", "", "", "", "Time changed", "226" }, "WWWYWWW", { "tttt" });
        QCOMPARE(book["Audit"]["cells"].toVariant().toMap(), audit);

        QVariantMap users;
        AddRow(users, 2, { "User", "Status", "Opening mode" }, "---", { "mmmm" });
        AddRow(users, 3, { "Master", "Installed", "Code only" }, "WWW", { "-t-t", "-t--", "-t--" });
        AddRow(users, 4, { "User 01", "Disabled", "" }, "WWW", { "tttt", "ttt-", "ttt-" });
        QCOMPARE(book["Users"]["cells"].toVariant().toMap(), users);

        QVariantMap configuration;
        QCOMPARE(texts.configuration.size(), 18);
        for (int i = 0; i < 18; ++i)
            AddRow(configuration, 2 + i, texts.configuration[i], "WW", { "tttt" });
        QCOMPARE(book["Configuration"]["cells"].toVariant().toMap(), configuration);
        QCOMPARE(configuration["B3"].toString(), QStringLiteral("Time delay:|W|tttt"));
        QCOMPARE(configuration["C3"].toString(), QStringLiteral("10|W|tttt"));

        // Without the correction the dates with DST are there, in a column of no width.
        QVERIFY(WriteXlsxReport(Report(false), path));
        QCOMPARE(readback::Workbook(path).value("Audit")["widths"]["E"].toInt(), 0);
    }

    // A history's workbook: "Visit", the gap as a separator row and in the title, the latest visit
    // in bold, numbers and dates as such, the header frozen with an autofilter; written a row at a
    // time in constant memory it reads back as the workbook made in memory does.
    void historyWorkbook()
    {
        PresentationOptions options;
        options.auditType = FullAudit;
        AuditView view;
        QString error;
        LockHistory history = ThreeVisits();
        history.people = ThreeVisitsPeople();
        QVERIFY2(PresentHistory(history, options, false, &view, &error), qPrintable(error));
        const ReportContent content = ReportFromView(view);
        const QString streamed = dir.filePath("streamed.xlsx"), inMemory = dir.filePath("memory.xlsx");
        QVERIFY(WriteXlsxReport(content, streamed, nullptr, XlsxMode::ConstantMemory));
        QVERIFY(WriteXlsxReport(content, inMemory, nullptr, XlsxMode::InMemory));
        const QStringList dump = readback::WorkbookDump(streamed);
        QCOMPARE(dump, readback::WorkbookDump(inMemory));

        const auto line = [&dump](const QString& start) {
            for (const QString& l : dump)
                if (l.startsWith(start))
                    return l;
            return QString();
        };
        QCOMPARE(line("B1|"), QStringLiteral("B1|Lock 24110042 ATM-07: 3 visits, 05/10/2024 to 15/10/2024, 1 gap|-|----"));
        QCOMPARE(line("F2|"), QStringLiteral("F2|User|-|mmmm"));
        QCOMPARE(line("G2|"), QStringLiteral("G2|Person|-|mmmm"));
        QCOMPARE(line("J2|"), QStringLiteral("J2|Visit|-|mmmm"));
        QCOMPARE(line("frozen"), QStringLiteral("frozen: A3"));
        QCOMPARE(line("autofilter"), QStringLiteral("autofilter: B2:J17"));
        // Newest first: the newer run's five lock events, then two keypad events, the gap, the older
        // run with the first keypad event among it; the latest visit's events (three lock, three
        // keypad) in bold.
        QCOMPARE(line("B3|"), QStringLiteral("B3|1|W|-t-t|#|bold"));
        QCOMPARE(line("D3|"), QStringLiteral("D3|2024-10-24 17:00:00|W|-t-t|dd/mm/yyyy hh.mm.ss|bold"));
        QCOMPARE(line("H3|"), QStringLiteral("H3|Open window started|W|-t-t|bold"));
        QCOMPARE(line("J3|"), QStringLiteral("J3|3|W|-t-t|#|bold"));
        QCOMPARE(line("J6|"), QStringLiteral("J6|2|W|tttt|#"));
        QCOMPARE(line("J9|"), QStringLiteral("J9|3|W|tttt|#|bold"));
        // The person of each user on the event's day: none for user 02, user 03's two holders on
        // either side of the hand-over.
        QCOMPARE(line("G3|"), QStringLiteral("G3||W|-t-t|bold"));
        QCOMPARE(line("G8|"), QStringLiteral("G8|Paolo Neri|W|tttt|bold"));
        QCOMPARE(line("G9|"), QStringLiteral("G9|Anna Verdi|W|tttt|bold"));
        QCOMPARE(line("G11|"), QStringLiteral("G11|Maria Rossi|W|tttt"));
        // Above the older run: the separator, no number of its own.
        QCOMPARE(line("H10|"), QStringLiteral("H10|Events may be missing here|G|tttt|italic"));
        QCOMPARE(line("B10|"), QStringLiteral("B10||G|tttt|italic"));
        QCOMPARE(line("B11|"), QStringLiteral("B11|8|W|tttt|#"));
        QCOMPARE(line("J11|"), QStringLiteral("J11|1|W|tttt|#"));

        // A single audit's workbook keeps its texts as texts.
        QVERIFY(WriteXlsxReport(Report(true), inMemory, nullptr, XlsxMode::ConstantMemory));
        for (const QString& l : readback::WorkbookDump(inMemory))
            QVERIFY2(!l.endsWith("|#") && !l.startsWith("frozen"), qPrintable(l));
    }

    // A read-only file, or a cell beyond Excel's limit.
    void failureKeepsThePreviousFile()
    {
        for (const auto& c : { qMakePair(QString("read-only.xlsx"), 10), qMakePair(QString("kept.xlsx"), 40000) }) {
            QTemporaryDir folder;
            const QString path = folder.filePath(c.first);
            QVERIFY(WriteAll(path, "previous workbook"));
            if (c.second == 10)
                QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
            ReportTexts texts = Texts(true);
            texts.configuration[0][1] = QString(c.second, 'x');
            QString error;
            QVERIFY(!WriteXlsxReport(Report(texts), path, &error));
            QCOMPARE(error, c.second == 10 ? QStringLiteral("Permission denied") : QStringLiteral("a cell holds more than a workbook can"));
            QCOMPARE(ReadAll(path), QByteArray("previous workbook"));
            QCOMPARE(Entries(folder.path()), QStringList { c.first });
        }
    }
};

QTEST_MAIN(TestXlsxReport)
#include "tst_xlsxreport.moc"
