// Writes the seed corpus of the fuzz targets, made with the audit builders:
//     fuzz_seeds DIR [SAMPLES]   ->   DIR/dallas/*, DIR/bus/*, DIR/auditfile/* (with SAMPLES/*.kaud)

#include "../model/AuditFixtures.h"
#include "AuditFile.h"
#include "BusInput.h"

#include <QDir>
#include <QFile>
#include <QMap>

#include <cstdio>
#include <memory>

using namespace fixtures;

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s DIR [SAMPLES]\n", argv[0]);
        return 2;
    }
    QMap<QString, QByteArray> seeds; // by path under DIR

    // Dallas images: a key never presented, a typical one, one whose events run to the end, a damaged one.
    DallasImageBuilder toTheEnd, damaged;
    toTheEnd.addDateTime(2023, 1, 1, 0, 0);
    while (toTheEnd.streamSize() < 7800)
        toTheEnd.addEvents(0x01, LockEntries(100, 0));
    toTheEnd.addBlock(dallas::TagEvents, QByteArray(13, '\x01'), 0xFFFF);
    damaged.setChecksumStyle(ChecksumStyle::TwosComplement).addEvents(0x01, LockEntries(50, 10)).breakChecksum(1)
        .addBlock(dallas::TagConfig, QByteArray(87, '\x01'), 2000);
    seeds["dallas/request"] = RequestImage();
    seeds["dallas/full"] = DallasImage();
    seeds["dallas/to-the-end"] = toTheEnd.image();
    seeds["dallas/damaged"] = damaged.image();

    // Bus buffers: a typical download, a full record buffer, a report without line breaks.
    auto session = std::make_unique<AuditSession>();
    for (int events : { 200, AuditSession::BusRecordCapacity }) {
        LoadBus(*session, events);
        seeds[QStringLiteral("bus/%1-records").arg(events)] = JoinBusInput(*session, events);
    }
    BusAuditBuilder().setReportText("ABCDEFGHIJKLMNOPQRSTUVWXYZ").setKeypadVersion(1, 0).fill(*session);
    seeds["bus/no-line-break"] = JoinBusInput(*session, 0);

    // Audit files of both kinds, and the older and odder envelopes the reader still accepts.
    const QString label = QStringLiteral("14/03/2024 09.30.00");
    LoadDallas(*session, DallasImage(60, 20));
    seeds["auditfile/dallas"] = AuditFile::Serialize(*session, label);
    LoadBus(*session, 40);
    Present(*session);
    const QByteArray bus = AuditFile::Serialize(*session, label);
    QByteArray version0 = bus.chopped(68);
    version0.remove(version0.size() - 22, 6);
    version0[1] = 0; // no download time and no date/time table
    seeds["auditfile/bus"] = bus;
    seeds["auditfile/bus-empty-label"] = AuditFile::Serialize(*session, QString());
    seeds["auditfile/bus-version-1"] = bus.chopped(68).replace(1, 1, "\x01"); // no date/time table
    seeds["auditfile/bus-version-0"] = version0;
    seeds["auditfile/bus-kind-7"] = QByteArray(bus).replace(0, 1, "\x07");
    seeds["auditfile/bus-cut-after-digest"] = bus.chopped(68);
    // Version files: a plain one, and one with a NUL and a comment after the number.
    seeds["version/plain"] = "2.0.7.0\n";
    seeds["version/nul-and-comment"] = QByteArray("2.0.6\0.1 # beta\r\n", 17);

    bool ok = true;
    const QFileInfoList samples = argc == 3 ? QDir(argv[2]).entryInfoList({ "*.kaud" }, QDir::Files) : QFileInfoList();
    for (const QFileInfo& sample : samples) {
        QFile file(sample.filePath());
        ok = file.open(QIODevice::ReadOnly) && ok;
        seeds["auditfile/sample-" + sample.fileName()] = file.readAll();
    }
    for (auto s = seeds.cbegin(); s != seeds.cend(); ++s) {
        QFile file(QString::fromLocal8Bit(argv[1]) + '/' + s.key());
        if (!QDir().mkpath(QFileInfo(file).path()) || !file.open(QIODevice::WriteOnly) || file.write(*s) != s->size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
