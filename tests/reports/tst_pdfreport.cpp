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

    // Texts are printed as they are, whatever markup they hold.
    void specialCharactersPrintLiterally()
    {
        ReportContent content = Report(true);
        content.events[0].user = "<b>A & B</b>";
        content.events[1].event = "x &amp; y <i>";
        content.users[0].name = "M<aster>";
        content.configuration[1].value = "10 & <20>";
        content.configuration[1].caption = "Delay <&>:";
        content.keypadDownloadTime = "&page; <>";
        const QString path = dir.filePath("escaped.pdf");
        QVERIFY(WritePdfReport(content, path, "a&b <c>.pdf"));
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
