#include "reports/CellTexts.h"

#include <QAbstractTextDocumentLayout>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QtTest>

// A cell's text as CellTexts lays it out, against the same text in a cell of a table that Qt laid
// out, on the PDF printer the reports are written with.
class TestCellTexts : public QObject
{
    Q_OBJECT

    QPrinter printer{ QPrinter::HighResolution };
    QTextDocument document;
    QTextTable* table = nullptr;

    // Qt's layout of `text` in the table's one cell.
    const QTextLayout* cellLayout(const QString& text)
    {
        document.setHtml(QStringLiteral("<table border=\"0\" style=\"width: 100%; font-family: Tahoma,Arial,Calibri; "
                                        "font-size: 8pt;\"><tr><td width=\"15%\">")
                         + text.toHtmlEscaped() + QStringLiteral("</td><td width=\"85%\"></td></tr></table>"));
        table = nullptr;
        for (QTextFrame* frame : document.rootFrame()->childFrames())
            table = table ? table : qobject_cast<QTextTable*>(frame);
        document.documentLayout()->documentSize(); // laid out
        return table ? table->cellAt(0, 0).firstCursorPosition().block().layout() : nullptr;
    }

private slots:
    void initTestCase()
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        document.setUseDesignMetrics(true);
        document.documentLayout()->setPaintDevice(&printer);
        document.setPageSize(QSizeF(12000, 1e7));
    }

    void sameAsQt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("composed"); // put together from its characters' glyphs
        QTest::newRow("a number") << "100234" << true;
        QTest::newRow("a date") << "07/03/2022 20.26.40" << true;
        QTest::newRow("kerned pairs") << "AVAV To. Ty 10.00 PM" << true;
        QTest::newRow("a ligature") << "Office fit" << false;
        QTest::newRow("white space folded") << "  Master \t of\n  keys  " << false;
        QTest::newRow("right to left") << QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d 12") << false;
        QTest::newRow("words that wrap") << "Option 01 (Bolt output/Hold-up) and more words to wrap" << false;
        QTest::newRow("a word broken anywhere") << QString(40, 'W') << false;
        QTest::newRow("nothing") << QString() << false;
    }

    // Lines, their heights and every glyph where Qt puts it; texts of digits and the like put
    // together from glyphs no differently.
    void sameAsQt()
    {
        QFETCH(QString, text);
        QFETCH(bool, composed);
        const QTextLayout* qt = cellLayout(text);
        QVERIFY(qt && qt->lineCount() > 0);
        const QTextBlock block = table->cellAt(0, 0).firstCursorPosition().block();
        CellTexts texts(&printer, qt->textOption(), document.defaultTextOption().alignment(), Qt::LayoutDirectionAuto,
                        { { block.charFormat().font(), qt->lineAt(0).width() } });
        const int before = texts.composedCount();
        // Twice: the second from the cache, or put together again.
        for (int round = 0; round < 2; ++round) {
            const CellText* mine = texts.text(0, text);
            QVERIFY(mine);
            QCOMPARE(mine->lines.size(), qt->lineCount());
            QVERIFY(*mine == texts.read(*qt));
        }
        QCOMPARE(texts.composedCount() - before, composed ? 2 : 0);
    }

    // What the widest word of a text needs, to size a column for it.
    void widestWord()
    {
        const QTextLayout* qt = cellLayout(QStringLiteral("x"));
        QVERIFY(qt);
        const QTextBlock block = table->cellAt(0, 0).firstCursorPosition().block();
        CellTexts texts(&printer, qt->textOption(), document.defaultTextOption().alignment(), Qt::LayoutDirectionAuto,
                        { { block.charFormat().font(), 400 } });
        const CellText* alone = texts.text(0, QStringLiteral("Configuration"));
        const CellText* among = texts.text(0, QStringLiteral("an old Configuration that wraps"));
        QVERIFY(alone && among);
        QVERIFY(alone->lines.size() > 1); // broken anywhere
        QVERIFY(among->lines.size() > 2);
        QCOMPARE(among->minimumWidth, alone->minimumWidth);
        QVERIFY(alone->minimumWidth > 400);
        QCOMPARE(texts.digitsWidth(0, QStringLiteral("100000")), 6 * texts.digitsWidth(0, QStringLiteral("0")));
        QCOMPARE(texts.digitsWidth(0, QStringLiteral("10.0")), -1.0);
    }
};

QTEST_MAIN(TestCellTexts)
#include "tst_celltexts.moc"
