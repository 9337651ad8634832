#include "PagedBody.h"
#include "PdfReport.h"
#include "ReadBack.h"
#include "ReportFixtures.h"
#include "TextPrinter.h"

#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace fixtures;

// The columns of the fixtures' event texts.
enum { User = 4, Event = 5, EventId = 6 };

// The report's body laid out a page at a time, read back with poppler.
class TestPagedBody : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY(InstallEnglish()); }

    void pagedAsOneDocument_data()
    {
        QTest::addColumn<int>("wrapEvery"); // a row whose user text takes two lines; 0: none
        QTest::addColumn<QString>("tall");  // an event text of many lines in some rows
        QTest::addColumn<QString>("odd");   // a user text in some rows: white space, right-to-left
        QTest::addColumn<QString>("widest"); // a text that cannot break within its column
        QTest::addColumn<bool>("portrait");
        const QString words = QString("many words in a narrow column ").repeated(6);
        const QString hebrew = QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d");
        QTest::newRow("plain rows") << 0 << QString() << QString() << QString() << false;
        QTest::newRow("rows of two lines, some across a page's end") << 23 << QString() << QString() << QString() << false;
        QTest::newRow("rows of two lines and of many") << 3 << words << QString() << QString() << false;
        QTest::newRow("a row longer than a page") << 0 << words.repeated(12) << QString() << QString() << true;
        QTest::newRow("white space folded, right to left")
            << 11 << "  Master \t of\u2029  keys  " + hebrew + " x" << hebrew + " User 01" << QString() << true;
        QTest::newRow("a text that cannot break within its column") << 0 << QString() << QString() << QString(40, 'W') << false;
    }

    // Laid out a page at a time, the report is the report laid out as one document, page for page;
    // a column widened for its widest word is as wide in both.
    void pagedAsOneDocument()
    {
        QFETCH(int, wrapEvery);
        QFETCH(QString, tall);
        QFETCH(QString, odd);
        QFETCH(QString, widest);
        QFETCH(bool, portrait);
        ReportTexts texts = Texts(true, 250);
        for (int i = 0; i < texts.events.size(); ++i) {
            if (wrapEvery && i % wrapEvery == 5)
                texts.events[i][User] = "Option 01 (Bolt output/Hold-up) and more words to wrap";
            if (!tall.isEmpty() && i % 97 == 40)
                texts.events[i][Event] = tall;
            if (!odd.isEmpty() && i % 13 == 2)
                texts.events[i][User] = odd;
        }
        if (!widest.isEmpty())
            texts.events[200][EventId] = widest;
        const ReportContent content = Report(texts);
        TextPrinter printer;
        SetUpReportPrinter(printer, content, "report.pdf");
        if (portrait)
            printer.setOrientation(QPageLayout::Portrait);
        printer.printer()->setOutputFormat(QPrinter::PdfFormat);
        BodyTable table = PdfReportTable(content);
        const PagedBody body(table, printer.printer(), printer.contentRect(printer.printer()).size());
        QVERIFY(!body.asOneDocument());
        QCOMPARE(body.columnWidths() != table.columnWidths, !widest.isEmpty());
        const QString paged = dir.filePath("paged.pdf"), whole = dir.filePath("whole.pdf");
        QVERIFY(printer.saveAsPdf(nullptr, paged));
        QVERIFY(table.setColumnWidths(body.columnWidths()));
        printer.setBodyText(table.html());
        QVERIFY(printer.saveAsPdf(nullptr, whole));
        const QStringList pages = readback::PdfPages(paged);
        QVERIFY(pages.size() > 4);
        QCOMPARE(pages.size(), body.pageCount());
        QCOMPARE(pages, readback::PdfPages(whole));
        if (!widest.isEmpty())
            QVERIFY(pages.join('\n').contains(widest));
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
            texts.events[i][Event] = names.at(i % names.size());
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
};

QTEST_MAIN(TestPagedBody)
#include "tst_pagedbody.moc"
