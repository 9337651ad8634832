// Opening audit files as the command line does: read, check, decode, order and build the rows.

#include "BenchAudits.h"
#include "AuditCli.h"
#include "model/AuditFile.h"
#include "BenchCase.h"

#include <QTemporaryDir>

#include <memory>

namespace {

// Writes the decoded session as the window saves it; the file lives as long as the case.
std::shared_ptr<QTemporaryDir> SaveAudit(AuditSession& session, const QString& name, QString& path)
{
    auto dir = std::make_shared<QTemporaryDir>();
    path = dir->filePath(name);
    session.decoded = DecodeAudit(session);
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
               .arg(probe.session->decoded.keypadEvents.size() + probe.session->decoded.lockEvents.size())
               .arg(probe.view.events.size())
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
        const BusAuditBuilder builder = FullBusAudit();
        auto session = std::make_unique<AuditSession>();
        builder.fill(*session);
        session->busAudit = true;
        session->downloadTime = QDateTime(QDate(2024, 9, 20), QTime(16, 30));
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
        const DallasImageBuilder builder = FullDallasImage();
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
