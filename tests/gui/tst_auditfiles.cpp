#include "AuditCli.h"
#include "GuiTestSupport.h"

#include <QLabel>
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

    void openingAnInvalidFileEmptiesTheView_data()
    {
        QTest::addColumn<QString>("answer"); // empty: the dialog is cancelled
        QTest::newRow("raw image") << Samples + "dallas-audit.bin";
        QTest::newRow("missing") << dir.filePath("missing.kaud");
        QTest::newRow("cancelled") << QString();
    }

    void openingAnInvalidFileEmptiesTheView()
    {
        QFETCH(QString, answer);
        CapturedMessages messages;
        FileDialogs dialogs;
        MainWindow w, fresh;
        dialogs.answer = Samples + "bus-audit.kaud";
        w.on_buttonOpen_clicked();
        QVERIFY(View(w) != View(fresh));
        dialogs.answer = answer;
        w.on_buttonOpen_clicked();
        QCOMPARE(View(w), View(fresh));
        w.on_buttonSave_clicked(); // an empty session: no dialog, no message
        QCOMPARE(dialogs.asked, 2);
        QCOMPARE(messages.texts(), answer.isEmpty() ? QStringList() : QStringList{ "File not valid" });
        QVERIFY(answer.isEmpty() || messages.list.first().first == QMessageBox::Critical);
    }
};

QTEST_MAIN(AuditFilesTest)
#include "tst_auditfiles.moc"
