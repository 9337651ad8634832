#include "ReadBack.h"
#include "TextPrinter.h"

#include <QFileDialog>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

namespace {

const double Mm = 0.039370147 * 300; // dots per millimetre of the 300 dpi image below

// Pages "P1", "P2", ... each ending in a page break.
QString Pages(int count)
{
    QString html;
    for (int i = 1; i <= count; ++i)
        html += QString("<p%1>P%2</p>").arg(i < count ? " style=\"page-break-after: always\"" : "").arg(i);
    return html;
}

// The first word of each page's body.
QStringList BodyWords(const QString& path)
{
    QStringList words;
    for (const QString& page : readback::PdfPages(path))
        words << page.simplified().section(' ', 0, 0);
    return words;
}

} // namespace

class TestTextPrinter : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void pageSizeFollowsTheCountry()
    {
        for (QLocale::Country c : { QLocale::UnitedStates, QLocale::UnitedStatesMinorOutlyingIslands, QLocale::Canada,
                                    QLocale::AnyCountry })
            QCOMPARE(TextPrinter::defaultPageSize(c), QPageSize::Letter);
        for (QLocale::Country c : { QLocale::Italy, QLocale::Spain, QLocale::UnitedKingdom, QLocale::Mexico })
            QCOMPARE(TextPrinter::defaultPageSize(c), QPageSize::A4);
    }

    // On portrait A4 (210 x 297 mm): left and right below half the width, top and bottom below a
    // quarter of the height, spacing, header and footer up to an eighth of it.
    void bounds_data()
    {
        QTest::addColumn<QString>("setter");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("kept");
        const struct { const char* setter; double value, kept; } cases[] = {
            { "left", 10, 10 }, { "left", 0, 0 }, { "left", -3, 0 }, { "left", 104, 104 }, { "left", 106, 0 },
            { "right", 104, 104 }, { "right", 106, 0 }, { "top", 74, 74 }, { "top", 75, 0 }, { "top", -1, 0 },
            { "bottom", 74, 74 }, { "bottom", 75, 0 }, { "spacing", 37, 37 }, { "spacing", 38, 0 }, { "spacing", 0, 0 },
            { "header", 7, 7 }, { "header", 38, 0 }, { "footer", 37, 37 }, { "footer", -7, 0 },
            { "headerRule", 2, 2 }, { "headerRule", 0, 0 }, { "footerRule", -1, 0 }, { "footerRule", 0.25, 0.25 },
            // All four at once: below half the width and half the height, or all four 0.
            { "margins", 80, 80 }, { "margins", 106, 0 }, { "margins", 0, 0 } };
        for (const auto& c : cases)
            QTest::addRow("%s %g", c.setter, c.value) << QString(c.setter) << c.value << c.kept;
    }

    void bounds()
    {
        QFETCH(QString, setter);
        QFETCH(double, value);
        QFETCH(double, kept);
        TextPrinter p;
        p.setPageSize(QPageSize::A4);
        p.setMargins(9); // something to lose
        const QMap<QString, std::function<double()>> set {
            { "left", [&] { p.setLeftMargin(value); return p.leftMargin(); } },
            { "right", [&] { p.setRightMargin(value); return p.rightMargin(); } },
            { "top", [&] { p.setTopMargin(value); return p.topMargin(); } },
            { "bottom", [&] { p.setBottomMargin(value); return p.bottomMargin(); } },
            { "spacing", [&] { p.setSpacing(value); return p.spacing(); } },
            { "header", [&] { p.setHeaderSize(value); return p.headerSize(); } },
            { "footer", [&] { p.setFooterSize(value); return p.footerSize(); } },
            { "headerRule", [&] { p.setHeaderRule(value); return p.headerRule(); } },
            { "footerRule", [&] { p.setFooterRule(value); return p.footerRule(); } },
            { "margins", [&] { p.setMargins(value); return p.leftMargin(); } },
        };
        QCOMPARE(set[setter](), kept);
        if (setter == "margins")
            QCOMPARE(QVector<double>({ p.rightMargin(), p.topMargin(), p.bottomMargin() }), QVector<double>(3, kept));
    }

    // Rectangles in the device's own dots: the paper scaled to its resolution, margins and sizes in millimetres.
    void geometry_data()
    {
        QTest::addColumn<double>("header");
        QTest::addColumn<double>("footer");
        QTest::newRow("no header, no footer: the paper less the margins") << 0.0 << 0.0;
        QTest::newRow("header and footer, each with its spacing") << 10.0 << 8.0;
    }

    void geometry()
    {
        QFETCH(double, header);
        QFETCH(double, footer);
        TextPrinter p;
        p.setPageSize(QPageSize::A4);
        p.setLeftMargin(12), p.setRightMargin(7), p.setTopMargin(11), p.setBottomMargin(9), p.setSpacing(4);
        p.setHeaderSize(header), p.setFooterSize(footer);
        QImage image(10, 10, QImage::Format_RGB32);
        image.setDotsPerMeterX(11811), image.setDotsPerMeterY(11811); // 300 dpi
        QCOMPARE(image.logicalDpiX(), 300);
        const QRectF paper = p.paperRect(&image);
        // A4 as the printer holds it, in whole points (595 x 842).
        QCOMPARE(paper, QRectF(0, 0, qRound(595 / 72.0 * 1200) / 4.0, qRound(842 / 72.0 * 1200) / 4.0));
        const QRectF content = p.contentRect(&image);
        const double top = 11 + (header > 0 ? header + 4 : 0), bottom = 9 + (footer > 0 ? footer + 4 : 0);
        QCOMPARE(content, paper.adjusted(12 * Mm, top * Mm, -7 * Mm, -bottom * Mm));
        QCOMPARE(p.headerRect(&image), QRectF(12 * Mm, 11 * Mm, paper.width() - 19 * Mm, header * Mm));
        QCOMPARE(p.footerRect(&image), QRectF(12 * Mm, paper.height() - (9 + footer) * Mm, paper.width() - 19 * Mm, footer * Mm));
    }

    // "&page;", "&total;" and "&date;" on every page, in header and footer; other spellings stay.
    void substitutions()
    {
        TextPrinter p;
        p.setHeaderSize(10), p.setFooterSize(10);
        p.setHeaderText("H &page;/&total; &PAGE; &Total; &date;");
        p.setFooterText("F &page; of &total; &date;");
        p.setDateFormat("yyyy.MM.dd");
        p.setBodyText(Pages(7));
        const QString path = dir.filePath("placeholders.pdf");
        QVERIFY(p.saveAsPdf(nullptr, path));
        const QStringList pages = readback::PdfPages(path);
        QCOMPARE(pages.size(), 7);
        const QString today = QDate::currentDate().toString("yyyy.MM.dd");
        QCOMPARE(pages[2].simplified(), QString("H 3/7 &PAGE; &Total; %1 P3 F 3 of 7 %1").arg(today));

        p.setDateFormat(QString()); // the platform's text date
        p.setHeaderSize(0);
        QVERIFY(p.saveAsPdf(nullptr, path));
        QCOMPARE(readback::PdfPages(path).value(6).simplified(),
                 QString("P7 F 7 of 7 %1").arg(QDate::currentDate().toString(Qt::TextDate)));
    }

    void copiesAndRanges_data()
    {
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("collate");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("lastFirst");
        QTest::addColumn<QString>("pages");
        QTest::newRow("one copy") << 1 << false << 0 << 0 << false << "P1 P2 P3";
        QTest::newRow("collated copies repeat each page") << 2 << true << 0 << 0 << false << "P1 P1 P2 P2 P3 P3";
        QTest::newRow("uncollated copies repeat the range") << 2 << false << 0 << 0 << false << "P1 P2 P3 P1 P2 P3";
        QTest::newRow("range, last page first") << 1 << false << 2 << 3 << true << "P3 P2";
        QTest::newRow("range past the end") << 2 << false << 3 << 9 << false << "P3 P3";
    }

    void copiesAndRanges()
    {
        QFETCH(int, copies);
        QFETCH(bool, collate);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, lastFirst);
        QFETCH(QString, pages);
        TextPrinter p;
        p.setBodyText(Pages(3));
        p.printer()->setCopyCount(copies);
        p.printer()->setCollateCopies(collate);
        p.printer()->setFromTo(from, to);
        p.printer()->setPageOrder(lastFirst ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
        const QString path = dir.filePath("copies.pdf");
        QVERIFY(p.saveAsPdf(nullptr, path));
        QCOMPARE(BodyWords(path).join(' '), pages);
    }

    // An existing name is written without asking; otherwise the dialog's name gets ".pdf" when it has no suffix.
    void getAndSavePdf()
    {
        TextPrinter p;
        QTextDocument document;
        document.setHtml("<p>given document</p>");
        const QString existing = dir.filePath("existing.pdf");
        QVERIFY(QFile(existing).open(QIODevice::WriteOnly));
        QVERIFY(p.getAndSavePdf(&document, QString(), existing));
        QCOMPARE(BodyWords(existing), QStringList { "given" });

        const auto answer = [this](const QString& name) {
            QTimer::singleShot(0, [this, name] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* d = qobject_cast<QFileDialog*>(w)) {
                        QCOMPARE(d->windowTitle(), QStringLiteral("Export PDF"));
                        if (!name.isEmpty())
                            d->selectFile(dir.filePath(name));
                        QMetaObject::invokeMethod(d, name.isEmpty() ? "reject" : "accept");
                    }
            });
        };
        answer("chosen");
        QVERIFY(p.getAndSavePdf(nullptr, QString(), dir.filePath("new.pdf")));
        QVERIFY(QFile::exists(dir.filePath("chosen.pdf")) && !QFile::exists(dir.filePath("new.pdf")));
        answer(QString());
        QVERIFY(!p.getAndSavePdf(nullptr, QString(), dir.filePath("cancelled.pdf")));
    }

    void unwritablePdfFails()
    {
        TextPrinter p;
        QVERIFY(!p.saveAsPdf(nullptr, dir.filePath("missing/folder/report.pdf")));
    }
};

QTEST_MAIN(TestTextPrinter)
#include "tst_textprinter.moc"
