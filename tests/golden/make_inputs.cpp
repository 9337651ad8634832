// Writes the built audits of the golden outputs, beside the two samples:
//     corvane-make-golden-inputs tests/golden/inputs
// key.bin: a Dallas key with keypad and lock events, a block with a bad checksum, a lock name that
// a spreadsheet would take for a formula, unknown events, options and users, timeless records.
// odd-bus.kaud: a bus download of a lock on firmware 1.04 whose clock was set back and forth
// across the daylight-saving changes, with a name that is HTML.
// visit-1..4.kaud, visit-5.kaud: five visits of one lock for the archive's goldens: four bus
// downloads (the third one short, so that it does not meet the second: a gap), then a Dallas key
// that brings the keypad's events and a few new lock events.

#include "model/AuditFile.h"
#include "model/AuditView.h"
#include "sim/AuditBuilder.h"

#include <QDate>
#include <QFile>

#include <cstdio>
#include <memory>

namespace {

qint64 At(int year, int month, int day, int hour, int minute, int second = 0)
{
    return QDate(2000, 1, 1).daysTo(QDate(year, month, day)) * 86400 + hour * 3600 + minute * 60 + second;
}

Config Lock()
{
    Config c;
    const quint8 users[][3] = { { 1, 1, 1 }, { 2, 2, 2 }, { 3, 3, 3 }, { 59, 1, 1 }, { 60, 2, 1 }, { 61, 1, 2 },
                                { 80, 1, 1 }, { 81, 3, 3 } };
    for (const auto& u : users)
        c.openingMode[u[0]] = u[1], c.userStatus[u[0]] = u[2];
    c.lockVersion = "1.07", c.keypadVersion = "2.05";
    c.timedClosing = true, c.closingTimeSeconds = 6, c.codeExpirationMonths = 1, c.boltOpenAlarmMinutes = 1;
    c.firstOverrideUser = 50, c.overrideUsers = true, c.silentAlarm = true, c.timeDelay = 15, c.openWindow = 3;
    return c;
}

// Every kind of event text: known, unknown, the lock installed, options and configurations in and out of range.
const quint8 Pattern[][2] = { { 0x05, 1 }, { 0x01, 1 }, { 0x08, 2 }, { 0x09, 2 }, { 0x11, 59 }, { 0x03, 100 },
                              { 0x68, 7 }, { 0x68, 9 }, { 0x70, 4 }, { 0x7F, 61 }, { 0xC3, 0 }, { 0x0C, 80 },
                              { 0x13, 3 }, { 0x01, 99 }, { 0xFA, 0 }, { 0x01, 98 }, { 0x26, 81 }, { 0x28, 0 },
                              { 0xE2, 0 }, { 0xA0, 0 }, { 0xA1, 0 }, { 0xFF, 0 } };

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool Key(const QString& dir)
{
    QVector<AuditEntry> lock, keypad;
    const qint64 newest = At(2024, 10, 28, 9, 0);
    for (int i = 0; i < 260; ++i) {
        // Some records without a time, some from a clock never set (the year 2000).
        const qint64 time = i % 53 == 7 ? 0 : i > 250 ? At(2000, 1, 3, 4, 5) + i : newest - 5400 * qint64(i);
        lock.append({ time, Pattern[i % 22][0], Pattern[i % 22][1] });
    }
    for (int i = 0; i < 60; ++i)
        keypad.append({ newest - 2700 - 16200 * qint64(i), quint8(0x30 + i % 18), quint8(1 + i % 62) });
    LockDescription description = LockDescription::FromConfig(Lock(), DelayEncoding::Plain);
    description.name = "=V,\"1";
    description.serialNumber = "-2024011";
    const QByteArray image = DallasImageBuilder()
                                 .addDateTime(2024, 10, 28, 9, 30)
                                 .addConfiguration(description)
                                 .addTimeDateTable({ { At(2024, 3, 31, 3, 2), 0xE2, 0 }, { At(2024, 7, 1, 12, 0), 0xE0, 0 } })
                                 .addEvents(KeypadDevice, keypad)
                                 .addEvents(0x01, lock)
                                 .breakChecksum(3)
                                 .image();
    return WriteFile(dir + "/key.bin", image);
}

bool OddBus(const QString& dir)
{
    BusAuditBuilder builder;
    LockDescription description = LockDescription::FromConfig(Lock(), DelayEncoding::Bcd);
    description.name = "<b>&a;";
    description.serialNumber = "23119901";
    builder.setLock(description).setReport(description.serialNumber, description.name, "1.04");
    // Newest first, every six hours for half a year: across the spring and autumn changes, with
    // the clock set (time changed) in between and once set back by an hour.
    qint64 t = At(2025, 11, 20, 18, 0);
    for (int i = 0; i < 800; ++i) {
        builder.addEvent(t, Pattern[i % 22][0], Pattern[i % 22][1]);
        t -= i == 300 ? -3600 : 6 * 3600 + 60 * (i % 7);
    }
    auto session = std::make_unique<AuditSession>();
    builder.fill(*session);
    session->busAudit = true;
    session->downloadTime = QDateTime(QDate(2025, 11, 20), QTime(18, 30, 5));
    session->decoded = DecodeAudit(*session);
    if (!session->decoded.ok)
        return false;
    return AuditFile::Save(dir + "/odd-bus.kaud", *session, QStringLiteral("20/11/2025 18.00.00"));
}

// The lock of the visits: an event every 7 h 13 min from October 2024, across the autumn change.
constexpr int LifeLength = 150;

qint64 LifeTime(int i)
{
    return At(2024, 10, 1, 8, 0) + qint64(i) * (7 * 3600 + 13 * 60);
}

AuditEntry LifeEvent(int i)
{
    // A clock setting now and then, so the daylight-saving pass has references on the way.
    if (i % 37 == 20)
        return { LifeTime(i), 0xE2, 0 };
    return { LifeTime(i), Pattern[i % 22][0], Pattern[i % 22][1] };
}

LockDescription VisitedLock()
{
    LockDescription description = LockDescription::FromConfig(Lock(), DelayEncoding::Bcd);
    description.name = "ATM-07";
    description.serialNumber = "24110042";
    return description;
}

QDateTime DownloadAfter(int last, int minutes)
{
    const QDateTime at = AuditDateTime(LifeTime(last) + minutes * 60);
    return QDateTime(at.date(), at.time());
}

// A bus download of events first..last (oldest first), read 25 minutes after the last.
bool BusVisit(const QString& path, int first, int last)
{
    BusAuditBuilder builder;
    const LockDescription description = VisitedLock();
    builder.setLock(description).setReport(description.serialNumber, description.name, "1.07");
    for (int i = last; i >= first; --i) {
        const AuditEntry e = LifeEvent(i);
        builder.addEvent(e.time, e.event, e.user);
    }
    builder.setTimeDateEntry(0, At(2024, 3, 31, 3, 2), 0xE2, 0);
    auto session = std::make_unique<AuditSession>();
    builder.fill(*session);
    session->busAudit = true;
    session->downloadTime = DownloadAfter(last, 25);
    session->decoded = DecodeAudit(*session);
    if (!session->decoded.ok)
        return false;
    return AuditFile::Save(path, *session, FormatAuditTime(LifeTime(last), {}));
}

// A Dallas key read a day after the lock's event `last`: its newest lock events from `first`,
// and the keypad's, a few hours apart.
bool KeyVisit(const QString& path, int first, int last)
{
    QVector<AuditEntry> lock, keypad;
    for (int i = last; i >= first; --i)
        lock.append(LifeEvent(i));
    for (int i = 0; i < 12; ++i)
        keypad.append({ LifeTime(last) - 1800 - 21600 * qint64(i), quint8(0x30 + i % 10), quint8(1 + i % 3) });
    const QDateTime read = DownloadAfter(last, 24 * 60);
    const QByteArray image = DallasImageBuilder()
                                 .addDateTime(read.date().year(), read.date().month(), read.date().day(),
                                              read.time().hour(), read.time().minute())
                                 .addConfiguration(VisitedLock())
                                 .addTimeDateTable({ { At(2024, 3, 31, 3, 2), 0xE2, 0 } })
                                 .addEvents(KeypadDevice, keypad)
                                 .addEvents(0x01, lock)
                                 .image();
    auto session = std::make_unique<AuditSession>();
    session->busAudit = false;
    std::copy(image.begin(), image.end(), session->dallasImage.begin());
    session->downloadTime = read;
    session->decoded = DecodeAudit(*session);
    if (!session->decoded.ok || !session->decoded.notices.isEmpty())
        return false;
    return AuditFile::Save(path, *session, FormatAuditTime(LifeTime(last), {}));
}

bool Visits(const QString& dir)
{
    return BusVisit(dir + "/visit-1.kaud", 0, 39) && BusVisit(dir + "/visit-2.kaud", 20, 69)
        && BusVisit(dir + "/visit-3.kaud", 90, 119) && BusVisit(dir + "/visit-4.kaud", 100, 139)
        && KeyVisit(dir + "/visit-5.kaud", 125, LifeLength - 1);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    return Key(dir) && OddBus(dir) && Visits(dir) ? 0 : 1;
}
