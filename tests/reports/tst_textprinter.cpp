#include "ReadBack.h"
#include "reports/TextPrinter.h"

#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

// Pages "P1", "P2", ... each but the last ending in a page break.
static QString Pages(int count)
{
    QString html;
    for (int i = 1; i <= count; ++i)
        html += QString("<p%1>P%2</p>").arg(i < count ? " style=\"page-break-after: always\"" : "").arg(i);
    return html;
}

class TestTextPrinter : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void pageSizeFollowsTheCountry()
    {
        for (QLocale::Country c : { QLocale::UnitedStates, QLocale::UnitedStatesMinorOutlyingIslands, QLocale::Canada,
                                    QLocale::AnyCountry, QLocale::Italy, QLocale::Mexico })
            QCOMPARE(TextPrinter::defaultPageSize(c), c == QLocale::Italy || c == QLocale::Mexico ? QPageSize::A4 : QPageSize::Letter);
    }

    // On portrait A4 (210 x 297 mm): sides below half the width, top and bottom below a quarter of
    // the height, spacing, header and footer up to an eighth; anything else, or not positive, is 0.
    void bounds()
    {
        using P = TextPrinter;
        const struct { void (P::*set)(double); double (P::*get)() const; double value, kept; } cases[] = {
            { &P::setLeftMargin, &P::leftMargin, 104, 104 }, { &P::setLeftMargin, &P::leftMargin, 106, 0 }, { &P::setLeftMargin, &P::leftMargin, -3, 0 },
            { &P::setRightMargin, &P::rightMargin, 0, 0 }, { &P::setRightMargin, &P::rightMargin, 106, 0 }, { &P::setTopMargin, &P::topMargin, 74, 74 },
            { &P::setTopMargin, &P::topMargin, 75, 0 }, { &P::setBottomMargin, &P::bottomMargin, 75, 0 }, { &P::setSpacing, &P::spacing, 37, 37 },
            { &P::setSpacing, &P::spacing, 38, 0 }, { &P::setHeaderSize, &P::headerSize, 38, 0 }, { &P::setFooterSize, &P::footerSize, -7, 0 },
            { &P::setHeaderRule, &P::headerRule, 0.25, 0.25 }, { &P::setFooterRule, &P::footerRule, 0, 0 },
            // All four at once: below half the width and half the height, else all four 0.
            { &P::setMargins, &P::topMargin, 80, 80 }, { &P::setMargins, &P::leftMargin, 106, 0 } };
        for (const auto& c : cases) {
            TextPrinter p;
            p.setPageSize(QPageSize::A4);
            p.setMargins(9);
            (p.*c.set)(c.value);
            QCOMPARE((p.*c.get)(), c.kept);
            if (c.set == &TextPrinter::setMargins)
                QVERIFY(p.leftMargin() == c.kept && p.rightMargin() == c.kept && p.bottomMargin() == c.kept);
        }
    }

    // In the device's own dots: the printer's paper (A4 in whole points) scaled to 300 dpi, lengths in millimetres.
    void geometry()
    {
        QImage image(10, 10, QImage::Format_RGB32);
        image.setDotsPerMeterX(11811), image.setDotsPerMeterY(11811);
        const double mm = 0.039370147 * 300;
        for (double header : { 0.0, 10.0 }) {
            TextPrinter p;
            p.setPageSize(QPageSize::A4);
            p.setLeftMargin(12), p.setRightMargin(7), p.setTopMargin(11), p.setBottomMargin(9), p.setSpacing(4);
            p.setHeaderSize(header), p.setFooterSize(header ? 8 : 0);
            const QRectF paper = p.paperRect(&image);
            QCOMPARE(paper, QRectF(0, 0, qRound(595 / 72.0 * 1200) / 4.0, qRound(842 / 72.0 * 1200) / 4.0));
            const double top = header ? 11 + 10 + 4 : 11, bottom = header ? 9 + 8 + 4 : 9;
            QCOMPARE(p.contentRect(&image), paper.adjusted(12 * mm, top * mm, -7 * mm, -bottom * mm));
            QCOMPARE(p.headerRect(&image), QRectF(12 * mm, 11 * mm, paper.width() - 19 * mm, header * mm));
            QCOMPARE(p.footerRect(&image).bottom(), paper.height() - 9 * mm);
        }
    }

    // Replaced on every page in header and footer; other spellings stay.
    void substitutions()
    {
        TextPrinter p;
        p.setHeaderSize(10), p.setFooterSize(10);
        p.setHeaderText("H &page;/&total; &PAGE; &Total; &date;");
        p.setFooterText("F &date;");
        p.setBodyText(Pages(7));
        const QString path = dir.filePath("placeholders.pdf");
        for (const QString format : { "yyyy.MM.dd", "" }) {
            p.setDateFormat(format);
            QVERIFY(p.saveAsPdf(nullptr, path));
            const QString today = format.isEmpty() ? QDate::currentDate().toString(Qt::TextDate) : QDate::currentDate().toString(format);
            QCOMPARE(readback::PdfPages(path).value(2).simplified(), QString("H 3/7 &PAGE; &Total; %1 P3 F %1").arg(today));
        }
        QVERIFY(!p.saveAsPdf(nullptr, dir.filePath("missing/folder/report.pdf")));
    }

    // Header and footer are laid out once a job and only their page numbers put in page by page:
    // in whatever order the pages come, and where a number stands in an attribute as well.
    void pageNumbersOnEveryPage()
    {
        for (const QString footer : { "F &page; of &total;", "<a href=\"#&page;\">F &page;</a> of &total;" }) {
            TextPrinter p;
            p.setHeaderSize(10), p.setFooterSize(10);
            p.setHeaderText("Head &page;");
            p.setFooterText(footer);
            p.setBodyText(Pages(4));
            p.printer()->setCopyCount(2);
            p.printer()->setCollateCopies(true);
            p.printer()->setPageOrder(QPrinter::LastPageFirst);
            const QString path = dir.filePath("numbers.pdf");
            QVERIFY(p.saveAsPdf(nullptr, path));
            QStringList expected;
            for (int page = 4; page >= 1; --page)
                expected << QString("Head %1 P%1 F %1 of 4").arg(page) << QString("Head %1 P%1 F %1 of 4").arg(page);
            QStringList pages = readback::PdfPages(path);
            for (QString& page : pages)
                page = page.simplified();
            QCOMPARE(pages, expected);
        }
    }

    // Collated copies repeat each page, the others the range; the range may run backwards.
    void copiesAndRanges()
    {
        const struct { int copies; bool collate; int from, to; bool lastFirst; const char* pages; } cases[] = {
            { 1, false, 0, 0, false, "P1 P2 P3" }, { 2, true, 0, 0, false, "P1 P1 P2 P2 P3 P3" },
            { 2, false, 0, 0, false, "P1 P2 P3 P1 P2 P3" }, { 1, false, 2, 3, true, "P3 P2" }, { 2, false, 3, 9, false, "P3 P3" } };
        for (const auto& c : cases) {
            TextPrinter p;
            p.setBodyText(Pages(3));
            p.printer()->setCopyCount(c.copies);
            p.printer()->setCollateCopies(c.collate);
            p.printer()->setFromTo(c.from, c.to);
            p.printer()->setPageOrder(c.lastFirst ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
            const QString path = dir.filePath("copies.pdf");
            QVERIFY(p.saveAsPdf(nullptr, path));
            QCOMPARE(readback::PdfPages(path).join(' ').simplified(), QString(c.pages));
        }
    }
};

QTEST_MAIN(TestTextPrinter)
#include "tst_textprinter.moc"
