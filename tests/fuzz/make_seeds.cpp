// Writes the seed corpus of the fuzz targets, made with the audit builders:
//     fuzz_seeds DIR [SAMPLES]   ->   DIR/dallas/*, DIR/bus/*, DIR/auditfile/* (with SAMPLES/*.kaud)

#include "AuditBuilder.h"
#include "AuditFile.h"
#include "BusInput.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

QVector<AuditEntry> Entries(int count, qint64 firstTime)
{
    QVector<AuditEntry> out;
    for (int i = 0; i < count; ++i)
        out.append({ firstTime + 37 * i, quint8(0x01 + i % 0x70), quint8(1 + i % 81) });
    return out;
}

Config SeedConfig()
{
    Config c;
    for (int user = 1; user <= 81; ++user) {
        c.openingMode[user] = quint8(user % 4);
        c.userStatus[user] = quint8((user / 4) % 4);
    }
    c.ercEnabled = true;
    c.timedClosing = true;
    c.closingTimeSeconds = 6;
    c.firstOverrideUser = 30;
    c.codeExpirationMonths = 3;
    c.timeDelay = 15;
    c.openWindow = 5;
    c.silentAlarm = true;
    return c;
}

LockDescription SeedLock(DelayEncoding delays)
{
    LockDescription lock = LockDescription::FromConfig(SeedConfig(), delays);
    lock.name = "SEED01";
    lock.serialNumber = "00012345";
    lock.lockMajor = 1;
    lock.lockMinor = 5;
    lock.keypadMajor = 2;
    lock.keypadMinor = 5;
    return lock;
}

bool Write(const QString& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

bool WriteDallasSeeds(const QString& dir)
{
    const QVector<AuditEntry> table { { 4000, 0x70, 1 }, AuditEntry(), { 2000, 0x71, 2 } };
    DallasImageBuilder full;
    full.addDateTime(2024, 3, 14, 9, 30)
        .addConfiguration(SeedLock(DelayEncoding::Plain))
        .addTimeDateTable(table)
        .addEvents(KeypadDevice, Entries(40, 100))
        .addEvents(0x01, Entries(300, 5000));

    DallasImageBuilder toTheEnd;
    toTheEnd.addDateTime(2023, 1, 1, 0, 0);
    while (toTheEnd.streamSize() < 7800)
        toTheEnd.addEvents(0x01, Entries(100, 0));
    toTheEnd.addBlock(dallas::TagEvents, QByteArray(13, '\x01'), 0xFFFF);

    DallasImageBuilder damaged;
    damaged.setChecksumStyle(ChecksumStyle::TwosComplement)
        .addEvents(0x01, Entries(50, 10))
        .breakChecksum(1)
        .addBlock(dallas::TagConfig, QByteArray(87, '\x01'), 2000);

    return Write(dir, "request", RequestImage())
        && Write(dir, "full", full.image())
        && Write(dir, "to-the-end", toTheEnd.image())
        && Write(dir, "damaged", damaged.image());
}

bool WriteBusSeeds(const QString& dir)
{
    auto session = std::make_unique<AuditSession>();
    BusAuditBuilder typical;
    typical.setLock(SeedLock(DelayEncoding::Bcd)).setTimeDateEntry(0, 90000, 0x70, 1).setTimeDateEntry(3, 3000, 0x71, 2);
    for (const AuditEntry& e : Entries(200, 700000000))
        typical.addEvent(e.time, e.event, e.user);
    typical.fill(*session);
    if (!Write(dir, "typical", JoinBusInput(*session, typical.eventCount())))
        return false;

    BusAuditBuilder noLineBreak;
    noLineBreak.setReportText("ABCDEFGHIJKLMNOPQRSTUVWXYZ").setKeypadVersion(1, 0);
    noLineBreak.fill(*session);
    if (!Write(dir, "no-line-break", JoinBusInput(*session, 0)))
        return false;

    BusAuditBuilder full;
    for (int i = 0; i < AuditSession::BusRecordCapacity; ++i)
        full.addEvent(qint64(i) * 3600, quint8(i), quint8(i / 256 + 1));
    full.fill(*session);
    return Write(dir, "full", JoinBusInput(*session, AuditSession::BusRecordCapacity));
}

// Audit files of both kinds, and the older and odder envelopes the reader still accepts.
bool WriteAuditFileSeeds(const QString& dir, const QString& samples)
{
    const QString label = QStringLiteral("14/03/2024 09.30.00");
    auto session = std::make_unique<AuditSession>();
    DallasImageBuilder dallas;
    dallas.addDateTime(2024, 3, 14, 9, 30)
        .addConfiguration(SeedLock(DelayEncoding::Plain))
        .addEvents(KeypadDevice, Entries(20, 900))
        .addEvents(0x01, Entries(60, 1000));
    const QByteArray image = dallas.image();
    std::copy(image.begin(), image.end(), session->dallasImage.begin());
    session->busAudit = false;
    const QByteArray dallasFile = AuditFile::Serialize(*session, label);

    BusAuditBuilder bus;
    bus.setLock(SeedLock(DelayEncoding::Bcd)).setTimeDateEntry(0, 90000, 0x70, 1);
    for (const AuditEntry& e : Entries(40, 700000000))
        bus.addEvent(e.time, e.event, e.user);
    bus.fill(*session);
    session->busAudit = true;
    session->config.downloadTime = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));
    ParseBusEvents(*session);
    const QByteArray busFile = AuditFile::Serialize(*session, label);
    const QByteArray emptyLabel = AuditFile::Serialize(*session, QString());

    // Version 1: no date/time table; version 0: no download time either.
    QByteArray version1 = busFile.left(busFile.size() - 68);
    version1[1] = 1;
    QByteArray version0 = version1;
    version0.remove(version0.size() - 22, 6);
    version0[1] = 0;
    QByteArray kind7 = busFile;
    kind7[0] = 7;

    bool ok = Write(dir, "dallas", dallasFile) && Write(dir, "bus", busFile) && Write(dir, "bus-empty-label", emptyLabel)
        && Write(dir, "bus-version-1", version1) && Write(dir, "bus-version-0", version0)
        && Write(dir, "bus-kind-7", kind7) && Write(dir, "bus-cut-after-digest", busFile.left(busFile.size() - 68));
    // The committed samples, when the caller names their folder.
    const QStringList sampleNames =
        samples.isEmpty() ? QStringList() : QDir(samples).entryList({ QStringLiteral("*.kaud") }, QDir::Files);
    for (const QString& name : sampleNames) {
        QFile sample(samples + QLatin1Char('/') + name);
        ok = ok && sample.open(QIODevice::ReadOnly) && Write(dir, QStringLiteral("sample-") + name, sample.readAll());
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s DIR [SAMPLES]\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString samples = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    const QString dallasDir = root + QStringLiteral("/dallas");
    const QString busDir = root + QStringLiteral("/bus");
    const QString fileDir = root + QStringLiteral("/auditfile");
    if (!QDir().mkpath(dallasDir) || !QDir().mkpath(busDir) || !QDir().mkpath(fileDir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    return WriteDallasSeeds(dallasDir) && WriteBusSeeds(busDir) && WriteAuditFileSeeds(fileDir, samples) ? 0 : 1;
}
