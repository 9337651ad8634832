#include "AuditCli.h"
#include "AuditFile.h"
#include "Bytes.h"
#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "model/AuditFixtures.h"

#include <QHeaderView>
#include <QLabel>
#include <QMap>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace guitest;

namespace {

// Answers the file dialogs and counts how often each was asked.
struct FileDialogs
{
    QString answer;
    int saves = 0;
    int opens = 0;
    FileDialogs()
    {
        Messages::setFileNameInterceptor([this](bool save) {
            ++(save ? saves : opens);
            return answer;
        });
    }
    ~FileDialogs() { Messages::setFileNameInterceptor(nullptr); }
};

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString CsvField(QString text)
{
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\r'))
        || text.contains(QLatin1Char('\n')))
        return QLatin1Char('"') + text.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
    return text;
}

QString Cell(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

// The table as the user sees it, header and every cell (hidden columns too), joined as CSV.
QString TableCsv(const QTableWidget* table)
{
    QString csv;
    QStringList fields;
    for (int c = 0; c < table->columnCount(); ++c)
        fields << CsvField(table->horizontalHeaderItem(c)->text());
    csv += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (int r = 0; r < table->rowCount(); ++r) {
        fields.clear();
        for (int c = 0; c < table->columnCount(); ++c)
            fields << CsvField(Cell(table, r, c));
        csv += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return csv;
}

// Everything the three tabs show: the events and users tables and every label's text.
struct View
{
    QString events;
    QString users;
    QMap<QString, QString> labels;
    int rows = 0;
};

View Snapshot(MainWindow& w)
{
    View v;
    const auto* events = w.findChild<QTableWidget*>(QStringLiteral("tableWidget"));
    const auto* users = w.findChild<QTableWidget*>(QStringLiteral("tableWidget_2"));
    v.events = TableCsv(events);
    v.users = TableCsv(users);
    v.rows = events->rowCount();
    for (const QLabel* label : w.findChildren<QLabel*>())
        if (!label->objectName().isEmpty())
            v.labels.insert(label->objectName(), label->text());
    return v;
}

void Load(MainWindow& w, bool bus)
{
    if (bus)
        fixtures::LoadBus(w.session(), 400);
    else
        fixtures::LoadDallas(w.session(), fixtures::DallasImage());
}

} // namespace

class AuditFilesTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    static QLabel* label(MainWindow& w, const char* name) { return w.findChild<QLabel*>(QLatin1String(name)); }

private slots:
    void init() { removeSettings(); }

    void saveWithEmptySessionDoesNothing()
    {
        CapturedMessages messages;
        FileDialogs dialogs;
        dialogs.answer = dir.filePath("never.kaud");
        MainWindow w;
        w.on_buttonSave_clicked();
        Load(w, true);
        QVERIFY(w.ShowLoadedAudit());
        w.on_buttonNew_clicked();
        w.on_buttonSave_clicked();
        QCOMPARE(dialogs.saves, 0);
        QVERIFY(messages.list.isEmpty());
        QVERIFY(!QFileInfo::exists(dialogs.answer));
    }

    void saveThenOpen_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::addColumn<int>("auditType");
        QTest::newRow("dallas") << false << 1;
        QTest::newRow("bus") << true << 1;
        QTest::newRow("dallas, full audit, US dates") << false << 0;
        QTest::newRow("bus, full audit, US dates") << true << 0;
    }

    void saveThenOpen()
    {
        QFETCH(bool, bus);
        QFETCH(int, auditType);
        writeSetting("AuditType", auditType);
        writeSetting("DateFormat", auditType == 0 ? 1 : 0);
        writeSetting("HourFormat", auditType == 0 ? 1 : 0);
        CapturedMessages messages;
        FileDialogs dialogs;
        dialogs.answer = dir.filePath(QStringLiteral("round-trip-%1.kaud").arg(QTest::currentDataTag()));

        MainWindow saver;
        Load(saver, bus);
        QVERIFY(saver.ShowLoadedAudit());
        const View shown = Snapshot(saver);
        QVERIFY(shown.rows > 100);
        const QByteArray expectedFile = AuditFile::Serialize(saver.session(), label(saver, "labelDlDate")->text());

        // When "Done" appears, the whole file is already in place.
        QByteArray onDisk;
        Messages::setInterceptor([&](QMessageBox::Icon icon, const QString& text) {
            messages.list.append({ icon, text });
            onDisk = ReadAll(dialogs.answer);
        });
        saver.on_buttonSave_clicked();
        QCOMPARE(dialogs.saves, 1);
        QCOMPARE(messages.texts(), QStringList { "Done" });
        QCOMPARE(messages.list.first().first, QMessageBox::Information);
        QCOMPARE(onDisk, expectedFile);

        messages.list.clear();
        MainWindow opener;
        opener.on_buttonOpen_clicked();
        QCOMPARE(dialogs.opens, 1);
        QVERIFY2(messages.list.isEmpty(), qPrintable(messages.texts().join('|')));
        const View reopened = Snapshot(opener);
        QCOMPARE(reopened.rows, shown.rows);
        QCOMPARE(reopened.events, shown.events);
        QCOMPARE(reopened.users, shown.users);
        QCOMPARE(reopened.labels, shown.labels);
        QCOMPARE(opener.session().busAudit, bus);

        // What was opened saves again to the same bytes.
        dialogs.answer = dir.filePath("again.kaud");
        opener.on_buttonSave_clicked();
        QCOMPARE(ReadAll(dialogs.answer), expectedFile);
    }

    void failedSaveKeepsThePreviousFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("existing");
        QTest::newRow("no such folder") << dir.filePath("missing/folder/a.kaud") << false;
        // The temporary name adds 7 characters: past the longest file name, it cannot be made.
        QTest::newRow("no room for the temporary name") << dir.filePath(QString(250, 'k') + ".kaud") << true;
    }

    void failedSaveKeepsThePreviousFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, existing);
        const QByteArray previous("a previous audit file");
        if (existing)
            QVERIFY(WriteAll(target, previous));
        CapturedMessages messages;
        FileDialogs dialogs;
        dialogs.answer = target;
        MainWindow w;
        Load(w, true);
        QVERIFY(w.ShowLoadedAudit());
        w.on_buttonSave_clicked();
        QCOMPARE(messages.texts(), QStringList { "Unable to save file" });
        QCOMPARE(messages.list.first().first, QMessageBox::Critical);
        QCOMPARE(QFileInfo::exists(target), existing);
        if (existing)
            QCOMPARE(ReadAll(target), previous);
        QCOMPARE(QDir(dir.path()).entryList({ "*.kaud.*" }, QDir::Files | QDir::Hidden), QStringList());
    }

    void invalidFileLeavesAnEmptyView_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no such file
        auto session = std::make_unique<AuditSession>();
        fixtures::LoadBus(*session, 50);
        fixtures::Present(*session);
        const QByteArray good = AuditFile::Serialize(*session, QStringLiteral("06/05/2024 07.00.00"));
        QByteArray digest = good;
        digest[digest.size() - 68 - 1] = char(digest[digest.size() - 68 - 1] ^ 0x10);
        QTest::newRow("digest altered") << digest;
        QTest::newRow("cut inside the events") << good.left(200);
        QTest::newRow("cut inside the digest") << good.left(good.size() - 70);
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("missing") << QByteArray();
    }

    void invalidFileLeavesAnEmptyView()
    {
        QFETCH(QByteArray, content);
        const QString path = dir.filePath("invalid.kaud");
        QFile::remove(path);
        if (!content.isNull())
            QVERIFY(WriteAll(path, content));
        CapturedMessages messages;
        FileDialogs dialogs;
        MainWindow w;
        Load(w, false); // something shown before
        QVERIFY(w.ShowLoadedAudit());
        dialogs.answer = path;
        w.on_buttonOpen_clicked();
        QCOMPARE(messages.texts(), QStringList { "File not valid" });
        QCOMPARE(messages.list.first().first, QMessageBox::Critical);
        const View v = Snapshot(w);
        QCOMPARE(v.rows, 0);
        QCOMPARE(w.findChild<QTableWidget*>("tableWidget_2")->rowCount(), 0);
        for (const char* name : { "labelDlDate", "labelDlDate2", "labelLockName", "labelLockSN", "labelTD" })
            QVERIFY2(v.labels.value(name).isEmpty(), name);
        QVERIFY(w.session().mergedEvents.isEmpty());
        QVERIFY(bytes::allZero(w.session().dallasImage.data(), 8192));

        // Nothing rejected can be saved again.
        messages.list.clear();
        w.on_buttonSave_clicked();
        QCOMPARE(dialogs.saves, 0);
        QVERIFY(messages.list.isEmpty());
    }

    void cancelledOpenEmptiesTheView()
    {
        CapturedMessages messages;
        FileDialogs dialogs; // answers with nothing: cancel
        MainWindow w;
        Load(w, true);
        QVERIFY(w.ShowLoadedAudit());
        w.on_buttonOpen_clicked();
        QCOMPARE(dialogs.opens, 1);
        QVERIFY(messages.list.isEmpty());
        QCOMPARE(Snapshot(w).rows, 0);
        QVERIFY(w.session().mergedEvents.isEmpty());
    }

    // A file with a good digest around an image the decoder refuses: the decoder's message.
    void damagedImageInAGoodFile()
    {
        QByteArray image = RequestImage();
        image[32] = 0x01;
        const quint16 sum = DallasBlockChecksum(reinterpret_cast<const quint8*>(image.constData()));
        image[126] = char(sum >> 8);
        image[127] = char(sum & 0xFF);
        auto session = std::make_unique<AuditSession>();
        fixtures::LoadDallas(*session, image);
        const QString path = dir.filePath("damaged.kaud");
        QVERIFY(AuditFile::Save(path, *session, QStringLiteral("stored label")));

        CapturedMessages messages;
        FileDialogs dialogs;
        dialogs.answer = path;
        MainWindow w;
        w.on_buttonOpen_clicked();
        QCOMPARE(messages.texts(), QStringList { "Dallas key data error" });
        QCOMPARE(Snapshot(w).rows, 0);
    }

    void windowFileReadByTheCommandLine_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("bus") << true << QStringList();
        QTest::newRow("dallas") << false << QStringList();
        QTest::newRow("bus, full audit, mdy, 12 hours")
            << true << QStringList { "--audit", "full", "--date-format", "mdy", "--hour-format", "12" };
        QTest::newRow("dallas, full audit, mdy, 12 hours")
            << false << QStringList { "--audit", "full", "--date-format", "mdy", "--hour-format", "12" };
    }

    void windowFileReadByTheCommandLine()
    {
        QFETCH(bool, bus);
        QFETCH(QStringList, options);
        if (!options.isEmpty()) {
            writeSetting("AuditType", 0);
            writeSetting("DateFormat", 1);
            writeSetting("HourFormat", 1);
        }
        CapturedMessages messages;
        FileDialogs dialogs;
        dialogs.answer = dir.filePath("for-the-cli.kaud");
        MainWindow w;
        Load(w, bus);
        QVERIFY(w.ShowLoadedAudit());
        w.on_buttonSave_clicked();
        QCOMPARE(messages.texts(), QStringList { "Done" });
        const QString shown = TableCsv(w.findChild<QTableWidget*>("tableWidget"));

        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        const int code = cli::Run(QStringList { "export", dialogs.answer, "-" } + options, outStream, errStream);
        outStream.flush();
        errStream.flush();
        QCOMPARE(code, 0);
        QVERIFY2(err.isEmpty(), qPrintable(err));
        QCOMPARE(out.count(QStringLiteral("\r\n")), shown.count(QStringLiteral("\r\n")));
        QCOMPARE(out.count(QStringLiteral("\r\n")), Snapshot(w).rows + 1);
        QCOMPARE(out, shown);
    }

    // The files in samples/ open cleanly, and the command line reads them as the window does.
    void samplesOpen_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("raw");
        QTest::addColumn<int>("minimumRows");
        QTest::newRow("dallas") << "dallas-audit.kaud" << "dallas-audit.bin" << 200;
        QTest::newRow("bus") << "bus-audit.kaud" << QString() << 1500;
    }

    void samplesOpen()
    {
        QFETCH(QString, file);
        QFETCH(QString, raw);
        QFETCH(int, minimumRows);
        const QString samples = QStringLiteral(CORVANE_SOURCE_DIR "/samples/");
        CapturedMessages messages;
        FileDialogs dialogs;
        dialogs.answer = samples + file;
        MainWindow w;
        w.on_buttonOpen_clicked();
        QVERIFY2(messages.list.isEmpty(), qPrintable(messages.texts().join('|')));
        const View v = Snapshot(w);
        QVERIFY(v.rows >= minimumRows);
        QVERIFY(v.labels.value("labelLockName").startsWith("VAULT"));
        QCOMPARE(v.labels.value("labelTD"), QStringLiteral("10"));
        QCOMPARE(v.labels.value("labelOW"), QStringLiteral("05"));

        for (const QString& input : { file, raw }) {
            if (input.isEmpty())
                continue;
            QString out, err;
            QTextStream outStream(&out), errStream(&err);
            QCOMPARE(cli::Run({ "export", samples + input, "-" }, outStream, errStream), 0);
            outStream.flush();
            QCOMPARE(out.count(QStringLiteral("\r\n")), v.rows + 1);
            QCOMPARE(out, v.events);
        }
    }
};

QTEST_MAIN(AuditFilesTest)
#include "tst_auditfiles.moc"
