// Writes the sample audits of the repository from the sample stories of the simulation library:
//     corvane-make-samples DIR   ->   DIR/dallas-audit.kaud, DIR/dallas-audit.bin, DIR/bus-audit.kaud

#include "model/AuditFile.h"
#include "model/AuditView.h"
#include "model/ConfigPresentation.h"
#include "model/EventMerge.h"
#include "sim/SampleAudits.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <memory>

namespace {

// Decodes the session as the window would, so the file gets the window's label and counts.
bool Save(const QString& path, AuditSession& session)
{
    session.decoded = DecodeAudit(session);
    if (!session.decoded.ok)
        return false;
    const ConfigPresentation p =
        PresentConfig(session.decoded.config, session.busAudit, session.decoded.lockEvents, DisplaySettings());
    QString error;
    if (!AuditFile::Save(path, session, p.keypadDownloadTime, &error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
        return false;
    }
    std::printf("%s: %d events\n", qPrintable(path), session.decoded.keypadEvents.size() + session.decoded.lockEvents.size());
    return true;
}

bool WriteDallas(const QString& dir)
{
    const DallasImageBuilder builder = NightSafeDallasImage();
    if (!builder.fits()) {
        std::fprintf(stderr, "the Dallas story needs %d stream bytes, more than a key holds\n", builder.streamSize());
        return false;
    }
    const QByteArray image = builder.image();
    QFile raw(dir + QStringLiteral("/dallas-audit.bin"));
    if (!raw.open(QIODevice::WriteOnly) || raw.write(image) != image.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(raw.fileName()));
        return false;
    }
    auto session = std::make_unique<AuditSession>();
    session->busAudit = false;
    std::copy(image.begin(), image.end(), session->dallasImage.begin());
    return Save(dir + QStringLiteral("/dallas-audit.kaud"), *session);
}

bool WriteBus(const QString& dir)
{
    QDateTime downloaded;
    const BusAuditBuilder builder = MainVaultBusAudit(&downloaded);
    if (builder.eventCount() > AuditSession::BusDownloadLimit) {
        std::fprintf(stderr, "the bus story has %d events, more than a download takes\n", builder.eventCount());
        return false;
    }
    auto session = std::make_unique<AuditSession>();
    builder.fill(*session);
    session->busAudit = true;
    session->downloadTime = downloaded;
    return Save(dir + QStringLiteral("/bus-audit.kaud"), *session);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    return WriteDallas(dir) && WriteBus(dir) ? 0 : 1;
}
