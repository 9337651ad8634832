#include "reports/PdfReport.h"
#include "ReadBack.h"
#include "ReportFixtures.h"
#include "reports/TextPrinter.h"

#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

using namespace fixtures;

class TestPdfReport : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY(InstallEnglish()); }

    void pages_data()
    {
        QTest::addColumn<bool>("dst");
        QTest::newRow("six columns") << false;
        QTest::newRow("seven columns with the correction") << true;
    }

    // Title and footer on every page, "Page i of n" right, every event once, users and configuration at the end.
    void pages()
    {
        QFETCH(bool, dst);
        const QString path = dir.filePath("report.pdf");
        QVERIFY(WritePdfReport(Report(dst, 150), path, "shown/name.pdf"));
        const QStringList pages = readback::PdfPages(path);
        QVERIFY(pages.size() > 3);
        for (int i = 0; i < pages.size(); ++i) {
            const QStringList lines = pages[i].trimmed().split('\n');
            QCOMPARE(lines.first().trimmed(), QStringLiteral("Corvane Audit"));
            QCOMPARE(lines.last().simplified(), QString("shown/name.pdf Page %1 of %2 08/03/2022 09.00.00").arg(i + 1).arg(pages.size()));
        }
        const QString all = pages.join('\n');
        const QString header = dst ? "# Device Date Date with DST User Event Event ID" : "# Device Date User Event Event ID";
        QVERIFY(pages[0].simplified().contains("Audit " + header + " 1 Lock 07/03/2022 20.26.40 "));
        QCOMPARE(all.contains("21.26.40"), dst);
        for (int n = 4; n < 154; ++n)
            QCOMPARE(all.count(QRegularExpression(QString("Event text %1\\b").arg(n))), 1);
        const QString last = pages.last().simplified();
        QCOMPARE(all.count(QRegularExpression("^Users$", QRegularExpression::MultilineOption)), 1);
        QVERIFY(last.contains("User Status Opening mode Master Installed Code only User 01 Disabled"));
        QVERIFY(last.contains("Configuration Active configuration: 00 Bolt open alarm: No Time delay: 10"));
        QVERIFY(last.contains("Code disabling: No Closing time: Manual"));
    }

    void longHistory_data()
    {
        QTest::addColumn<int>("paper");
        QTest::newRow("Letter") << int(QPageSize::Letter);
        QTest::newRow("A4") << int(QPageSize::A4);
    }

    // A history of more than 99 999 events keeps its numbers whole on every paper: each row one
    // line, every page but the first and the last as full as the paper lets it be. The whole
    // history is laid out; its last pages are written.
    void longHistory()
    {
        QFETCH(int, paper);
        ReportTexts texts = Texts(false, 100017);
        const int events = texts.events.size();
        const QStringList names = { "Bolt open", "Valid code", "Time delay started", "Open window started" };
        for (int i = 0; i < events; ++i)
            texts.events[i][5] = names.at(i % names.size());
        const ReportContent content = Report(texts);
        TextPrinter printer;
        SetUpReportPrinter(printer, content, "history.pdf");
        printer.setPageSize(QPageSize::PageSizeId(paper));
        printer.printer()->setFromTo(2200, 9999);
        const QString path = dir.filePath("history.pdf");
        QVERIFY(printer.saveAsPdf(nullptr, path));
        const QStringList pages = readback::PdfPages(path);
        QVERIFY(pages.size() > 30);
        // The rows of each page: the numbers at the lines' starts, in order from the first page
        // written on, each whole.
        const QRegularExpression row("^\\s*(\\d+)\\s+(Lock|Keypad)\\s", QRegularExpression::MultilineOption);
        QVector<int> rows;
        int next = -1, first = -1;
        for (const QString& page : pages) {
            int count = 0;
            for (auto m = row.globalMatch(page); m.hasNext(); ++count) {
                const int number = m.next().captured(1).toInt();
                if (next < 0)
                    first = next = number;
                QCOMPARE(number, next++);
            }
            rows << count;
        }
        QCOMPARE(next, events + 1);
        int last = rows.size() - 1; // the table's last page; the users and the configuration may follow
        while (last > 0 && rows[last] == 0)
            --last;
        QVERIFY(rows.size() - 1 - last <= 1);
        const int full = rows.first();
        QVERIFY(full > 30);
        for (int i = 0; i < last; ++i)
            QCOMPARE(rows[i], full);
        QVERIFY(rows[last] >= 1 && rows[last] <= full);
        // As many pages as that: the first page's rows, then full pages to page 2200 and on.
        const int onFirstPage = first - 1 - (2200 - 2) * full;
        QVERIFY(onFirstPage > 0 && onFirstPage < full);
        const QString footer = QString("Page 2200 of %1").arg(2200 + pages.size() - 1);
        QVERIFY2(pages.first().simplified().contains(footer), qPrintable(footer));
        QCOMPARE(2200 + last, 1 + (events - onFirstPage + full - 1) / full);
        QVERIFY(pages.last().contains("Closing time: Manual"));
    }

    // A history's report: "Visit", the gap as a row of its own and in the title, and a footer that
    // says when it was printed beside the lock's clock at download.
    void historyReport()
    {
        qputenv("SOURCE_DATE_EPOCH", "1767225600");
        PresentationOptions options;
        options.auditType = FullAudit;
        AuditView view;
        QString error;
        LockHistory history = ThreeVisits();
        history.people = ThreeVisitsPeople();
        QVERIFY2(PresentHistory(history, options, false, &view, &error), qPrintable(error));
        const QString path = dir.filePath("history.pdf");
        QVERIFY(WritePdfReport(ReportFromView(view), path, "history.pdf"));
        qunsetenv("SOURCE_DATE_EPOCH");
        const QStringList pages = readback::PdfPages(path);
        QCOMPARE(pages.size(), 2);
        const QString text = pages.join(' ').simplified();
        QVERIFY2(text.contains("Lock 24110042 ATM-07: 3 visits, 05/10/2024 to 15/10/2024, 1 gap "
                               "# Device Date User Person Event Event ID Visit 1 Lock 24/10/2024 17.00.00 User 02 Open"),
                 qPrintable(text));
        // User 03 before and after the hand-over; user 02, whom no one holds, with an empty Person.
        QVERIFY2(text.contains("6 Keypad 24/10/2024 10.43.20 User 03 Paolo Neri Entered"), qPrintable(text));
        QVERIFY2(text.contains("7 Keypad 23/10/2024 23.36.40 User 03 Anna Verdi Entered"), qPrintable(text));
        QVERIFY2(text.contains("Install user' function 49 3 Events may be missing here 8 Lock 23/10/2024 17.00.00 "
                               "User 01 Maria Rossi Bolt open"),
                 qPrintable(text));
        QVERIFY(text.contains("history.pdf Page 1 of 2 Keypad date/time at audit download: 24/10/2024 17.00.00 "
                              "Printed 01/01/2026 00.00.00"));
    }

    // Texts are printed as they are, whatever markup they hold.
    void specialCharactersPrintLiterally()
    {
        ReportTexts texts = Texts(true);
        texts.events[0][4] = "<b>A & B</b>";
        texts.events[1][5] = "x &amp; y <i>";
        texts.users[0][0] = "M<aster>";
        texts.configuration[1] = QStringList{ "Delay <&>:", "10 & <20>" };
        texts.keypadDownloadTime = "&page; <>";
        const QString path = dir.filePath("escaped.pdf");
        QVERIFY(WritePdfReport(Report(texts), path, "a&b <c>.pdf"));
        const QString text = readback::PdfPages(path).join('\n').simplified();
        for (const char* literal : { "<b>A & B</b>", "x &amp; y <i>", "M<aster>", "Delay <&>: 10 & <20>",
                                     "a&b <c>.pdf Page 1 of 2 &page; <>" })
            QVERIFY2(text.contains(literal), literal);
    }

    // The body is laid out once, after the page settings: the same pages and text as a document laid
    // out before them, which the printer then lays out again.
    void fastLayoutKeepsPagesAndText()
    {
        TextPrinter printer;
        SetUpReportPrinter(printer, Report(true, 120), "report.pdf");
        QTextDocument laidOut;
        laidOut.setHtml(printer.bodyText());
        const QString fast = dir.filePath("fast.pdf"), relaid = dir.filePath("relaid.pdf");
        QVERIFY(printer.saveAsPdf(nullptr, fast) && printer.saveAsPdf(&laidOut, relaid));
        QVERIFY(readback::PdfPages(fast).size() > 2);
        QCOMPARE(readback::PdfPages(fast), readback::PdfPages(relaid));
    }

    // Only a complete PDF replaces the file; a refused one leaves the previous file as it was.
    void completePdfOnly()
    {
        const QString kept = dir.filePath("read-only.pdf");
        QVERIFY(WriteAll(kept, "previous report") && QFile::setPermissions(kept, QFile::ReadOwner));
        QString error;
        QVERIFY(!WritePdfReport(Report(false), kept, kept, &error));
        QCOMPARE(error, QStringLiteral("Permission denied"));
        QCOMPARE(ReadAll(kept), QByteArray("previous report"));

        const QString path = dir.filePath("whole.pdf"), other = dir.filePath("other.pdf");
        QVERIFY(WritePdfReport(Report(false), path, path));
        const QByteArray whole = ReadAll(path);
        for (const QByteArray& bytes : { whole, whole + "\r\n", whole.left(whole.size() - 20), whole.mid(1), QByteArray("%PDF-1.4\n%%EOF") }) {
            QVERIFY(WriteAll(other, bytes));
            QCOMPARE(IsCompletePdf(other), bytes.startsWith(whole));
        }
    }
};

QTEST_MAIN(TestPdfReport)
#include "tst_pdfreport.moc"
