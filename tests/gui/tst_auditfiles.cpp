#include "AuditCli.h"
#include "model/AuditFile.h"
#include "GuiTestSupport.h"

#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace guitest;

namespace {

const QString Samples = QStringLiteral(CORVANE_SOURCE_DIR "/samples/");

// Answers the file dialogs with `answer` and counts them.
struct FileDialogs
{
    QString answer;
    int asked = 0;
    FileDialogs() { Messages::setFileNameInterceptor([this](bool) { return ++asked, answer; }); }
    ~FileDialogs() { Messages::setFileNameInterceptor(nullptr); }
};

QByteArray ReadAll(const QString& path) { QFile f(path); return f.open(QFile::ReadOnly) ? f.readAll() : QByteArray(); }

// A table as the user sees it, header and every cell (hidden columns too), written as the command line writes.
QByteArray TableCsv(MainWindow& w, const char* name)
{
    const auto* table = child<QTableView>(w, name);
    TextTable text;
    for (int r = -1; r < rows(table); ++r) {
        QStringList fields;
        for (int c = 0; c < table->model()->columnCount(); ++c)
            fields << (r < 0 ? header(table, c) : cell(table, r, c));
        text.rows.append(fields);
    }
    return ToCsv(text);
}

// Everything the three tabs show: both tables and every named label.
QByteArray View(MainWindow& w)
{
    QByteArray view = TableCsv(w, "tableWidget") + TableCsv(w, "tableWidget_2");
    for (const QLabel* label : w.findChildren<QLabel*>())
        view += (label->objectName() + '=' + label->text() + '\n').toUtf8();
    return view;
}

} // namespace

class AuditFilesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void init() { removeSettings(); }

    // The committed samples open cleanly. A save that fails leaves the file it was to replace; saved again and
    // reopened they show the same; the command line reads the file as the window shows it, options as settings.
    void saveThenOpen_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("dallas") << "dallas-audit.kaud" << QStringList();
        QTest::newRow("bus") << "bus-audit.kaud" << QStringList();
        QTest::newRow("dallas, full, mdy") << "dallas-audit.kaud"
                                           << QStringList{ "--audit", "full", "--date-format", "mdy" };
        QTest::newRow("bus, full, 12 hours") << "bus-audit.kaud"
                                             << QStringList{ "--audit", "full", "--hour-format", "12" };
    }

    void saveThenOpen()
    {
        QFETCH(QString, sample);
        QFETCH(QStringList, options);
        writeSetting("AuditType", options.contains("full") ? 0 : 1);
        writeSetting("DateFormat", options.contains("mdy") ? 1 : 0);
        writeSetting("HourFormat", options.contains("12") ? 1 : 0);
        FileDialogs dialogs;
        CapturedMessages messages;
        QByteArray onDisk; // when a message appears
        Messages::setInterceptor([&](QMessageBox::Icon icon, const QString& text) {
            messages.list.append({ icon, text });
            onDisk = ReadAll(dialogs.answer);
        });
        MainWindow first, second;
        dialogs.answer = Samples + sample;
        first.on_buttonOpen_clicked();
        const QByteArray shown = View(first), events = TableCsv(first, "tableWidget");
        QVERIFY(events.count("\r\n") > 100 && child<QLabel>(first, "labelLockName")->text().startsWith("VAULT"));
        // A read-only file is not replaced.
        dialogs.answer = dir.filePath(QTest::currentDataTag() + QStringLiteral("-read-only.kaud"));
        QFile::copy(Samples + "dallas-audit.bin", dialogs.answer);
        QFile::setPermissions(dialogs.answer, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        first.on_buttonSave_clicked();
        QCOMPARE(ReadAll(dialogs.answer), ReadAll(Samples + "dallas-audit.bin"));
        dialogs.answer = dir.filePath(QTest::currentDataTag() + QStringLiteral(".kaud"));
        first.on_buttonSave_clicked();
        QCOMPARE(onDisk, ReadAll(dialogs.answer));
        second.on_buttonOpen_clicked();
        QCOMPARE(View(second), shown);
        QCOMPARE(messages.texts(), (QStringList{ "Unable to save file", "Done" }));
        QCOMPARE(messages.list.first().first, QMessageBox::Critical);
        QCOMPARE(messages.list.last().first, QMessageBox::Information);

        QString out, err;
        {
            QTextStream o(&out), e(&err); // flushed as they go
            QCOMPARE(cli::Run(QStringList{ "export", dialogs.answer, "-" } + options, o, e), 0);
        }
        QVERIFY(err.isEmpty());
        QCOMPARE(out.count("\r\n"), events.count("\r\n"));
        QCOMPARE(out.toUtf8(), events);
    }

    // No export replaces the file the audit on display came from, by whatever name it is chosen.
    void exportsNeverReplaceTheOpenedFile()
    {
        const QString opened = dir.filePath("opened.kaud"), link = dir.filePath("opened-link.kaud");
        QVERIFY(QFile::copy(Samples + "dallas-audit.kaud", opened) && QFile::link(opened, link));
        const QByteArray before = ReadAll(opened);
        FileDialogs dialogs;
        CapturedMessages messages;
        MainWindow w;
        dialogs.answer = opened;
        w.on_buttonOpen_clicked();
        dialogs.answer = link;
        w.onExportPdf();
        w.onExportXlsx();
        QCOMPARE(ReadAll(opened), before);
        const QString refused = link + " is the audit file on display: choose another name for the export.";
        QCOMPARE(messages.texts(), (QStringList{ refused, refused }));
        dialogs.answer = opened;
        w.on_buttonSave_clicked(); // the same audit saved over its own file is a save like any other
        QCOMPARE(messages.texts().last(), QStringLiteral("Done"));
    }

    // Nothing on screen changes until a file has been chosen and read: a cancelled dialog, a file
    // that is no audit file, one that is gone, and a key's file that holds no audit leave the
    // audit on display, which can still be saved.
    void aFailedOpenLeavesTheViewAsItWas_data()
    {
        QTest::addColumn<QString>("answer"); // empty: the dialog is cancelled
        QTest::addColumn<QStringList>("messages");
        auto session = std::make_unique<AuditSession>();
        const QByteArray noAudit = DallasImageBuilder().addBlock(0x42, QByteArray(87, '\0')).breakChecksum(0).image();
        std::copy(noAudit.begin(), noAudit.end(), session->dallasImage.begin());
        const QString key = dir.filePath("no-audit.kaud");
        QVERIFY(AuditFile::Save(key, *session, QString()));
        QTest::newRow("cancelled") << QString() << QStringList();
        QTest::newRow("raw image") << Samples + "dallas-audit.bin" << QStringList{ "File not valid" };
        QTest::newRow("missing") << dir.filePath("missing.kaud") << QStringList{ "File not valid" };
        QTest::newRow("key without audit") << key << QStringList{ "CRC error", "Dallas key data error" };
    }

    void aFailedOpenLeavesTheViewAsItWas()
    {
        QFETCH(QString, answer);
        QFETCH(QStringList, messages);
        CapturedMessages shown;
        FileDialogs dialogs;
        MainWindow w;
        dialogs.answer = Samples + "bus-audit.kaud";
        w.on_buttonOpen_clicked();
        const QByteArray before = View(w);
        QVERIFY(before.count("\r\n") > 100);
        dialogs.answer = answer;
        w.on_buttonOpen_clicked();
        QCOMPARE(View(w), before);
        QCOMPARE(shown.texts(), messages);
        dialogs.answer = dir.filePath(QTest::currentDataTag() + QStringLiteral(" kept.kaud"));
        w.on_buttonSave_clicked();
        MainWindow reopened;
        reopened.OpenAuditFile(dialogs.answer);
        QCOMPARE(View(reopened), before);
    }

    // Each kind of file dialog starts in the folder used last for that kind, also in a later
    // session; a save proposes the lock's serial number and the day of the download.
    void dialogsStartWhereTheirKindWentLast()
    {
        CapturedMessages shown;
        QStringList starts;
        QStringList answers;
        Messages::setFileNameInterceptor([&](bool, const QString& start) { return starts << start, answers.takeFirst(); });
        const QString audits = dir.filePath("audits"), reports = dir.filePath("reports"), books = dir.filePath("books");
        for (const QString& folder : { audits, reports, books })
            QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(Samples + "dallas-audit.kaud", audits + "/vault2.kaud"));
        {
            MainWindow w;
            answers = QStringList{ Samples + "bus-audit.kaud", audits + "/vault1.kaud", reports + "/vault1.pdf",
                                   books + "/vault1.xlsx", audits + "/vault2.kaud", QString(), QString() };
            w.on_buttonOpen_clicked();
            w.on_buttonSave_clicked();
            w.onExportPdf();
            w.onExportXlsx();
            w.on_buttonOpen_clicked();
            w.onExportPdf();
            w.onExportXlsx();
        }
        QCOMPARE(starts, (QStringList{ QString(), Samples + "23041207 2025-03-03.kaud", "23041207 2025-03-03.pdf",
                                       "23041207 2025-03-03.xlsx", audits, reports + "/23041208 2025-03-17.pdf",
                                       books + "/23041208 2025-03-17.xlsx" }));
        starts.clear();
        answers = QStringList{ QString() };
        MainWindow later;
        later.on_buttonOpen_clicked();
        QCOMPARE(starts, QStringList{ audits });
        Messages::setFileNameInterceptor(nullptr);
        QCOMPARE(shown.texts(), (QStringList{ "Done", "Audit successfully exported", "Audit successfully exported",
                                              "No audit to export" }));
    }

    // Open's menu lists the last eight audit files opened or saved, newest first, without those
    // gone from the disk; one picked opens.
    void recentFilesInOpensMenu()
    {
        QStringList files;
        for (int i = 1; i <= 9; ++i) {
            files.prepend(dir.filePath(QStringLiteral("recent & %1.kaud").arg(i)));
            QFile::remove(files.first());
            QVERIFY(QFile::copy(Samples + (i % 2 ? "bus-audit.kaud" : "dallas-audit.kaud"), files.first()));
        }
        {
            MainWindow w;
            for (int i = 8; i >= 0; --i)
                w.OpenAuditFile(files.at(i));
        }
        MainWindow w;
        QMenu* menu = child<QToolButton>(w, "buttonOpen")->menu();
        const auto listed = [menu] {
            emit menu->aboutToShow();
            QStringList shown;
            for (QAction* action : menu->actions())
                if (!action->data().toString().isEmpty())
                    shown << action->data().toString();
            return shown;
        };
        QCOMPARE(listed(), files.mid(0, 8));
        QCOMPARE(menu->actions().at(3)->text(), QDir::toNativeSeparators(files.first()).replace("&", "&&"));
        QVERIFY(QFile::remove(files.at(2)));
        files.removeAt(2);
        QCOMPARE(listed(), files.mid(0, 7));
        QCOMPARE(readSetting("RecentFiles").toStringList(), files.mid(0, 7));
        menu->actions().at(3 + 4)->trigger();
        QCOMPARE(child<QLabel>(w, "labelLockName")->text(), QStringLiteral("VAULT2"));
        QCOMPARE(listed().first(), files.at(4));
    }
};

QTEST_MAIN(AuditFilesTest)
#include "tst_auditfiles.moc"
