// A lock's history report from the archive, read back as its users read it (pdftotext, openpyxl),
// on a SQLite file and again on the test run's PostgreSQL server: its Findings are those
// `archive findings --lock` lists, its Evidence the SHA-256 sums `archive audits` writes and the
// chain head `archive verify` gives, a head that verify still accepts once the archive grew.

#include "AuditCli.h"
#include "CliRun.h"
#include "archive/FindingsFixtures.h"
#include "reports/ReadBack.h"
#include "reports/ReportFixtures.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QtTest>

using namespace archivefixtures;
using fixtures::WriteAll;

namespace {

const QString Serial = QStringLiteral("30051122");

// A CSV line's cells; the findings' texts hold no comma or quote.
QStringList Cells(const QString& line)
{
    return line.split(QLatin1Char(','));
}

QStringList CsvLines(const QString& csv)
{
    return csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// A PDF's lines as read, spaces run together, without the pages' header and footer lines.
QStringList PdfLines(const QString& path)
{
    QStringList lines;
    for (const QString& page : readback::PdfPages(path))
        for (const QString& line : page.split(QLatin1Char('\n'))) {
            const QString t = line.simplified();
            if (!t.isEmpty() && t != QLatin1String("Corvane Audit") && !t.startsWith(path + QLatin1Char(' ')))
                lines << t;
        }
    return lines;
}

// A table's row as pdftotext reads it: its cells that hold text, a space apart.
QString PdfRow(const QStringList& cells)
{
    QStringList shown;
    for (const QString& c : cells)
        if (!c.isEmpty())
            shown << c;
    return shown.join(QLatin1Char(' '));
}

} // namespace

class TestHistoryReportCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_count = 0;
    LockLife m_life = Week(Serial.toLatin1(), "BANK01");

    // Two visits of the week's lock: the week (a duress opening, a burst of wrong codes, openings
    // outside hours), then two days more.
    QString archive()
    {
        ++m_count;
        const QString location = backend == Backend::Sqlite ? m_dir.filePath(QStringLiteral("h-%1.sqlite").arg(m_count))
                                                            : FreshServerArchive(QStringLiteral("hcli_%1").arg(m_count));
        return Run({ "archive", "import", "--archive", location, "v1.kaud", "v2.kaud" }).code == 0 ? location : QString();
    }

    struct Expected
    {
        QStringList findings; // the listing's header and rows, less the lock's columns
        QStringList sums;     // SHA256SUMS's digests, by visit
        QString head;
    };
    // What the archive's own commands say of the lock.
    static bool Expect(const QString& location, const QStringList& options, const QString& folder, Expected* e)
    {
        const Run listed(QStringList{ "archive", "findings", "--archive", location, "--lock", Serial } + options
                         + QStringList{ "-" });
        const Run audits({ "archive", "audits", Serial, "--archive", location, folder });
        const Run verified({ "archive", "verify", "--archive", location });
        if (listed.code != 0 || audits.code != 0 || verified.code != 0)
            return false;
        for (const QString& line : CsvLines(listed.out))
            e->findings << Cells(line).mid(2).join(QLatin1Char(','));
        for (const QString& line : QString::fromLatin1(ReadAllFile(folder + "/SHA256SUMS")).split('\n', Qt::SkipEmptyParts))
            e->sums << line.section(QLatin1Char(' '), 0, 0);
        e->head = verified.out.trimmed().section(QLatin1Char(' '), -1);
        return e->head.size() == 64;
    }

public:
    Backend backend = Backend::Sqlite;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid() && QDir::setCurrent(m_dir.path()));
        // Not visited is judged at the day the report is printed: today, as the listing judges it.
        qunsetenv("SOURCE_DATE_EPOCH");
        // The catalogues go beside the program, where the command line looks.
        for (const char* language : { "en", "it", "es" }) {
            const QString name = QStringLiteral("/audit_%1.qm").arg(language);
            QFile::remove(QCoreApplication::applicationDirPath() + name);
            QVERIFY(QFile::copy(CORVANE_BINARY_DIR + name, QCoreApplication::applicationDirPath() + name));
        }
        QVERIFY(WriteAll("v1.kaud", m_life.download()));
        m_life.passDays(1);
        m_life.record(30);
        m_life.passDays(1);
        QVERIFY(WriteAll("v2.kaud", m_life.download()));
    }

    void sections_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("title");
        QTest::newRow("pdf") << "r.pdf" << QStringList() << "Lock 30051122 BANK01: 2 visits";
        QTest::newRow("workbook") << "r.xlsx" << QStringList() << "";
        // Two hours earlier, Monday's 08:00 opening is outside the hours too.
        QTest::newRow("pdf, corrected, in Italian")
            << "c.pdf" << QStringList{ "--dst", "1,1,1,5,0,10,subtract,2", "--language", "it" }
            << "Serratura 30051122 BANK01: 2 visite";
        QTest::newRow("workbook, corrected, mdy")
            << "c.xlsx" << QStringList{ "--dst", "1,1,1,5,0,10,subtract,2", "--date-format", "mdy" } << "";
    }
    void sections()
    {
        QFETCH(QString, output);
        QFETCH(QStringList, options);
        QFETCH(QString, title);
        const QString location = archive();
        QVERIFY(!location.isEmpty());
        const Run made(QStringList{ "archive", "history", Serial, "--archive", location } + options + QStringList{ output });
        QVERIFY2(made.code == 0, qPrintable(made.err));
        Expected e;
        QVERIFY(Expect(location, options, QStringLiteral("kept-%1").arg(m_count), &e));
        // The history judged is the one meant: a duress opening and a burst of wrong codes in it.
        if (!options.contains("it")) {
            const QString rows = e.findings.join('\n');
            QVERIFY2(rows.contains("\nDuress opening,") && rows.contains("\nWrong code burst,"), qPrintable(rows));
        }
        QCOMPARE(e.sums.size(), 2);

        if (output.endsWith(".xlsx")) {
            const QJsonObject book = readback::Workbook(output);
            QVERIFY2(!book.contains("error"), qPrintable(book.value("error").toString()));
            const QJsonArray sheets = book.value("sheets").toArray();
            QCOMPARE(sheets.first().toString(), QString("Findings"));
            QCOMPARE(sheets.last().toString(), QString("Evidence"));
            QCOMPARE(book.value("active").toString(), QString("Findings"));
            const QJsonObject findings = book.value("Findings").toObject().value("cells").toObject();
            const QString columns = "BCDEFGH";
            for (int r = 0; r < e.findings.size(); ++r) {
                const QStringList cells = Cells(e.findings[r]);
                for (int c = 0; c < cells.size(); ++c) {
                    const QString at = columns.mid(c, 1) + QString::number(2 + r);
                    QCOMPARE(findings.value(at).toString().section('|', 0, 0), cells[c]);
                }
            }
            // Nothing below the last finding.
            QVERIFY(!findings.contains("B" + QString::number(2 + e.findings.size())));
            const QJsonObject evidence = book.value("Evidence").toObject().value("cells").toObject();
            for (int v = 0; v < e.sums.size(); ++v) {
                QCOMPARE(evidence.value("B" + QString::number(3 + v)).toString().section('|', 0, 0), QString::number(v + 1));
                QCOMPARE(evidence.value("G" + QString::number(3 + v)).toString().section('|', 0, 0), e.sums[v]);
            }
            QCOMPARE(evidence.value("B6").toString().section('|', 0, 0),
                     "Chain head of the archive when this report was made: " + e.head);
            QVERIFY(evidence.value("B7").toString().startsWith("Check with: corvane-audit-cli archive verify --head "
                                                                + e.head + "; corvane-audit-cli archive audits 30051122 DIR;"));
            return;
        }

        const QStringList lines = PdfLines(output);
        // The findings first, then the events under the lock's title.
        const int findings = lines.indexOf(options.contains("it") ? "Rilievi" : "Findings");
        QVERIFY2(findings == 0, qPrintable(lines.mid(0, 3).join(" / ")));
        for (int r = 0; r < e.findings.size(); ++r)
            QCOMPARE(lines.value(1 + r), PdfRow(Cells(e.findings[r])));
        QVERIFY2(lines.value(1 + e.findings.size()).startsWith(title), qPrintable(lines.value(1 + e.findings.size())));
        // The evidence last: a visit a line, its SHA-256 whole at its end.
        const int evidence = lines.lastIndexOf(options.contains("it") ? "Prove" : "Evidence");
        QVERIFY(evidence > findings);
        for (int v = 0; v < e.sums.size(); ++v) {
            const QString line = lines.value(evidence + 2 + v);
            QVERIFY2(line.startsWith(QString::number(v + 1) + ' ') && line.endsWith(' ' + e.sums[v]), qPrintable(line));
        }
        const QString after = lines.mid(evidence + 2 + e.sums.size()).join(' ');
        QVERIFY2(after.contains(": " + e.head + ' ') || after.contains(": " + e.head), qPrintable(after));
        QVERIFY2(after.contains("corvane-audit-cli archive verify --head " + e.head + "; corvane-audit-cli archive audits "
                                + Serial + " DIR; sha256sum -c SHA256SUMS"),
                 qPrintable(after));
    }

    // The head a report quotes stays one the chain reaches once more audits came in.
    void quotedHeadAfterMoreImports()
    {
        const QString location = archive();
        QVERIFY(!location.isEmpty());
        QCOMPARE(Run({ "archive", "history", Serial, "--archive", location, "q.xlsx" }).code, 0);
        const QString head = readback::Workbook("q.xlsx")
                                 .value("Evidence").toObject().value("cells").toObject()
                                 .value("B6").toString().section('|', 0, 0).section(' ', -1);
        QCOMPARE(head.size(), 64);
        LockLife later = m_life;
        later.passDays(3);
        later.record(5);
        QVERIFY(WriteAll("v3.kaud", later.download()));
        QCOMPARE(Run({ "archive", "import", "--archive", location, "v3.kaud" }).code, 0);
        const Run verified({ "archive", "verify", "--archive", location, "--head", head });
        QVERIFY2(verified.code == 0, qPrintable(verified.out + verified.err));
        QVERIFY2(verified.out.startsWith("The chain reaches " + head + " at the import of "), qPrintable(verified.out));
        QVERIFY(!verified.out.trimmed().endsWith(head));
        // The next report quotes the new head, and a third visit.
        QCOMPARE(Run({ "archive", "history", Serial, "--archive", location, "q.xlsx" }).code, 0);
        const QJsonObject evidence = readback::Workbook("q.xlsx").value("Evidence").toObject().value("cells").toObject();
        QCOMPARE(evidence.value("B5").toString().section('|', 0, 0), QString("3"));
        QCOMPARE(evidence.value("B7").toString().section('|', 0, 0).section(' ', -1), verified.out.trimmed().section(' ', -1));
    }

    // The CSV of a history stays the events alone.
    void csvHasNoSections()
    {
        if (backend == Backend::Server)
            QSKIP("the same on either backend");
        const QString location = archive();
        const Run csv({ "archive", "history", Serial, "--archive", location, "-" });
        QCOMPARE(csv.code, 0);
        QVERIFY(csv.out.startsWith("#,Device,Date,"));
        QVERIFY(!csv.out.contains("SHA") && !csv.out.contains("Duress opening"));
    }
};

// Every case on each backend; the server is the one the test run started.
int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestHistoryReportCli sqlite;
    int failed = QTest::qExec(&sqlite, argc, argv);
    TestHistoryReportCli server;
    server.backend = Backend::Server;
    if (TestServerUrl().isEmpty()) {
        std::fprintf(stderr, "No PostgreSQL test server: %s is missing.\n", qPrintable(TestServerUrlFile()));
        return failed + 1;
    }
    failed += QTest::qExec(&server, argc, argv);
    return failed;
}
#include "tst_historyreportcli.moc"
