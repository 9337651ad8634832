// Opening audit files as the command line does: read, check, decode, order and build the rows.

#include "AuditBuilder.h"
#include "AuditCli.h"
#include "AuditFile.h"
#include "BenchCase.h"

#include <QTemporaryDir>

#include <memory>

namespace {

LockDescription FileLock(DelayEncoding delays)
{
    Config config;
    for (int user = 1; user <= 20; ++user) {
        config.openingMode[user] = 1;
        config.userStatus[user] = user % 7 ? 1 : 3;
    }
    config.openingMode[80] = 1;
    config.userStatus[80] = 1;
    config.timeDelay = 10;
    config.openWindow = 5;
    LockDescription lock = LockDescription::FromConfig(config, delays);
    lock.name = "BENCH2";
    lock.serialNumber = "00088888";
    return lock;
}

// Newest first, a mix of codes that the simple audit filters.
QVector<AuditEntry> Entries(int count, qint64 newest)
{
    static const quint8 codes[] = { 0x05, 0x09, 0x08, 0x01, 0x11, 0x01, 0xF9, 0x26, 0x05, 0x68, 0xE2, 0x13, 0x01 };
    QVector<AuditEntry> out;
    for (int i = 0; i < count; ++i)
        out.append({ newest - 600 * qint64(i), codes[i % int(sizeof(codes))], quint8(1 + i % 20) });
    return out;
}

// Writes the decoded session as the window saves it; the file lives as long as the case.
std::shared_ptr<QTemporaryDir> SaveAudit(AuditSession& session, const QString& name, QString& path)
{
    auto dir = std::make_shared<QTemporaryDir>();
    path = dir->filePath(name);
    DecodeAudit(session);
    if (!dir->isValid() || !AuditFile::Save(path, session, QStringLiteral("01/06/2024 12.00.00")))
        path.clear();
    return dir;
}

std::function<void()> OpenThroughCli(const std::shared_ptr<QTemporaryDir>& dir, const QString& path, QString& note)
{
    cli::Options options;
    options.command = QStringLiteral("export");
    options.input = path;
    QString errors;
    QTextStream err(&errors);
    cli::LoadedAudit probe;
    const bool ok = !path.isEmpty() && cli::LoadAudit(options, probe, err);
    err.flush();
    note = QStringLiteral("%1 bytes, %2 events, %3 rows%4")
               .arg(QFileInfo(path).size())
               .arg(probe.session->keypadEvents.size() + probe.session->lockEvents.size())
               .arg(probe.rows.size())
               .arg(ok && errors.isEmpty() ? QString() : QStringLiteral(", NOT CLEAN"));
    return [dir, options]() {
        QString discarded;
        QTextStream sink(&discarded);
        cli::LoadedAudit audit;
        cli::LoadAudit(options, audit, sink);
    };
}

BenchCase BusFile()
{
    BenchCase c;
    c.name = QStringLiteral("cli/open-bus-5600-file");
    c.iterations = 100;
    c.prepare = [](QString& note) {
        BusAuditBuilder builder;
        builder.setLock(FileLock(DelayEncoding::Bcd)).setKeypadVersion(2, 5);
        for (const AuditEntry& e : Entries(AuditSession::BusDownloadLimit, 780000000))
            builder.addEvent(e.time, e.event, e.user);
        for (int slot = 0; slot < 8; ++slot)
            builder.setTimeDateEntry(slot, 770000000 - slot * 86400, 0xE2, 80);
        auto session = std::make_unique<AuditSession>();
        builder.fill(*session);
        session->busAudit = true;
        session->config.downloadTime = QDateTime(QDate(2024, 9, 20), QTime(16, 30));
        QString path;
        const auto dir = SaveAudit(*session, QStringLiteral("bus-5600.kaud"), path);
        return OpenThroughCli(dir, path, note);
    };
    return c;
}

BenchCase FullDallasFile()
{
    BenchCase c;
    c.name = QStringLiteral("cli/open-full-dallas-file");
    c.iterations = 1000;
    c.prepare = [](QString& note) {
        DallasImageBuilder builder;
        builder.addDateTime(2024, 9, 20, 16, 30).addConfiguration(FileLock(DelayEncoding::Plain));
        builder.addTimeDateTable(Entries(8, 760000000));
        // Keypad and lock blocks of 100 events in turn, then lock events to the end of the key.
        constexpr int BlockBytes = 3 + 1 + 100 * 6 + 1;
        qint64 newest = 780000000;
        for (int k = 0; builder.streamSize() + BlockBytes <= dallas::StreamCapacity; ++k, newest -= 60000)
            builder.addEvents(k % 2 ? quint8(0x01) : KeypadDevice, Entries(100, newest - (k % 2) * 300));
        builder.addEvents(0x01, Entries((dallas::StreamCapacity - builder.streamSize() - 5) / 6, newest));
        const QByteArray image = builder.image();
        auto session = std::make_unique<AuditSession>();
        std::copy(image.begin(), image.end(), session->dallasImage.begin());
        QString path;
        const auto dir = SaveAudit(*session, QStringLiteral("dallas-full.kaud"), path);
        return OpenThroughCli(dir, path, note);
    };
    return c;
}

} // namespace

QVector<BenchCase> FileCases()
{
    return { BusFile(), FullDallasFile() };
}
