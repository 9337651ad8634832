// A history's findings and evidence as sections of a report, read back: what a lock without
// findings says, the kinds and importers of its visits, and the notes below each table, after the
// configuration's table too.

#include "reports/PdfReport.h"
#include "ReadBack.h"
#include "ReportFixtures.h"
#include "reports/XlsxReport.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace fixtures;

namespace {

HistoryEvidence Evidence()
{
    HistoryEvidence e;
    e.serial = QStringLiteral("30051122");
    e.chainHead = QString(63, QLatin1Char('a')) + QLatin1Char('b');
    const QStringList kinds{ "bus download", "Dallas key", "file", "carrier pigeon" };
    for (int v = 0; v < kinds.size(); ++v) {
        Visit visit;
        visit.number = v + 1;
        visit.kind = kinds[v];
        visit.sha256 = QByteArray(64, char('0' + v));
        visit.downloaded = QDateTime(QDate(2025, 1, 6 + v), QTime(12, 5));
        visit.imported = QDateTime(QDate(2025, 2, 1), QTime(9, v));
        visit.importedBy = QStringLiteral("maria");
        visit.importedHost = v == 3 ? QString() : QStringLiteral("laptop-%1").arg(v);
        e.visits << visit;
    }
    return e;
}

} // namespace

class TestHistorySections : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY(InstallEnglish()); }

    void evidenceRows_data()
    {
        QTest::addColumn<int>("visit");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("a bus download") << 0 << QStringList{ "1", "06/01/2025 12.05.00", "bus download", "maria@laptop-0",
                                                             "01/02/2025 09.00.00", QString(64, '0') };
        QTest::newRow("a key") << 1 << QStringList{ "2", "07/01/2025 12.05.00", "Dallas key", "maria@laptop-1",
                                                    "01/02/2025 09.01.00", QString(64, '1') };
        // A kind this version does not know is shown as stored; no computer, no "@".
        QTest::newRow("an unknown kind, no computer")
            << 3 << QStringList{ "4", "09/01/2025 12.05.00", "carrier pigeon", "maria", "01/02/2025 09.03.00", QString(64, '3') };
    }
    void evidenceRows()
    {
        QFETCH(int, visit);
        QFETCH(QStringList, cells);
        const ReportSection section = EvidenceSection(Evidence(), DisplaySettings());
        QCOMPARE(section.rowCount, 4);
        QStringList texts;
        for (const ReportCell& c : section.rowAt(visit).cells)
            texts << c.text;
        QCOMPARE(texts, cells);
        QCOMPARE(section.notes.size(), 2);
        QVERIFY(section.notes[1].startsWith("Check with: corvane-audit-cli archive verify --head " + Evidence().chainHead
                                            + "; corvane-audit-cli archive audits 30051122 DIR;"));
    }

    // A lock without findings says so below the header; the evidence's notes follow its rows, after
    // the configuration's table that a report always left open.
    void notesReadBack()
    {
        ReportContent content = Report(false);
        content.history = true;
        LockFindings none{ "30051122", "BANK01", {}, {} };
        content.sections.prepend(FindingsSection(none, content.display));
        content.sections.append(EvidenceSection(Evidence(), content.display));

        const QString book = dir.filePath("h.xlsx");
        QVERIFY(WriteXlsxReport(content, book));
        const QJsonObject read = readback::Workbook(book);
        QVERIFY2(!read.contains("error"), qPrintable(read["error"].toString()));
        QCOMPARE(read["sheets"].toVariant().toStringList(),
                 (QStringList{ "Findings", "Audit", "Users", "Configuration", "Evidence" }));
        const QVariantMap findings = read["Findings"]["cells"].toVariant().toMap();
        QCOMPARE(findings.value("B2").toString(), "Finding|-|mmmm");
        QCOMPARE(findings.value("B4").toString(), "Nothing deserves a look.|-|----");
        QCOMPARE(findings.size(), 7 + 1);
        const QVariantMap evidence = read["Evidence"]["cells"].toVariant().toMap();
        QCOMPARE(evidence.value("G6").toString().section('|', 0, 0), QString(64, '3'));
        QVERIFY(!evidence.contains("B7"));
        QCOMPARE(evidence.value("B8").toString().section('|', 0, 0),
                 "Chain head of the archive when this report was made: " + Evidence().chainHead);

        const QString pdf = dir.filePath("h.pdf");
        QVERIFY(WritePdfReport(content, pdf, "h.pdf"));
        QStringList lines;
        for (const QString& page : readback::PdfPages(pdf))
            for (const QString& line : page.split('\n'))
                if (!line.simplified().isEmpty())
                    lines << line.simplified();
        const int findingsAt = lines.indexOf("Findings");
        QVERIFY(findingsAt >= 0);
        QCOMPARE(lines.value(findingsAt + 1), "Finding Date Until User Person Events Visit");
        QCOMPARE(lines.value(findingsAt + 2), "Nothing deserves a look.");
        const int evidenceAt = lines.indexOf("Evidence");
        QVERIFY(evidenceAt > findingsAt);
        QCOMPARE(lines.value(evidenceAt + 1), "Visit Downloaded Kind Imported by Imported at SHA-256");
        // Each SHA-256 on its row's line, even one of the widest digits only.
        QCOMPARE(lines.value(evidenceAt + 5), "4 09/01/2025 12.05.00 carrier pigeon maria 01/02/2025 09.03.00 " + QString(64, '3'));
        QVERIFY(lines.mid(evidenceAt).join(' ').contains("made: " + Evidence().chainHead));
    }
};

QTEST_MAIN(TestHistorySections)
#include "tst_historysections.moc"
