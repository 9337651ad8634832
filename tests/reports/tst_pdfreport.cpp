#include "PdfReport.h"
#include "ReadBack.h"
#include "ReportFixtures.h"
#include "TextPrinter.h"

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

    // A history's report: "Visit", the gap as a row of its own and in the title, and a footer that
    // says when it was printed beside the lock's clock at download.
    void historyReport()
    {
        qputenv("SOURCE_DATE_EPOCH", "1767225600");
        PresentationOptions options;
        options.auditType = FullAudit;
        AuditView view;
        QString error;
        QVERIFY2(PresentHistory(ThreeVisits(), options, false, &view, &error), qPrintable(error));
        const QString path = dir.filePath("history.pdf");
        QVERIFY(WritePdfReport(ReportFromView(view), path, "history.pdf"));
        qunsetenv("SOURCE_DATE_EPOCH");
        const QStringList pages = readback::PdfPages(path);
        QCOMPARE(pages.size(), 2);
        const QString text = pages.join(' ').simplified();
        QVERIFY2(text.contains("Lock 24110042 ATM-07: 3 visits, 05/10/2024 to 15/10/2024, 1 gap "
                               "# Device Date User Event Event ID Visit 1 Lock 24/10/2024 17.00.00"),
                 qPrintable(text));
        QVERIFY2(text.contains("Install user' function 49 3 Events may be missing here 8 Lock 23/10/2024 17.00.00"), qPrintable(text));
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
