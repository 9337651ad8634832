#include "reports/PagedBody.h"
#include "reports/PdfReport.h"
#include "ReadBack.h"
#include "ReportFixtures.h"
#include "reports/TextPrinter.h"

#include <QPrinter>
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
        QTest::newRow("rows of two lines and of many, some across a page's end") << 7 << words << QString() << QString() << false;
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
        ReportTexts texts = Texts(true, 200);
        for (int i = 0; i < texts.events.size(); ++i) {
            if (wrapEvery && i % wrapEvery == 5)
                texts.events[i][User] = "Option 01 (Bolt output/Hold-up) and more words to wrap";
            if (!tall.isEmpty() && i % 67 == 40)
                texts.events[i][Event] = tall;
            if (!odd.isEmpty() && i % 13 == 2)
                texts.events[i][User] = odd;
        }
        if (!widest.isEmpty())
            texts.events[150][EventId] = widest;
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
};

QTEST_MAIN(TestPagedBody)
#include "tst_pagedbody.moc"
