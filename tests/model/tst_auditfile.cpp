#include "model/AuditFile.h"
#include "AuditFixtures.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <memory>

using namespace fixtures;

namespace {

const QString Label = QStringLiteral("14/03/2024 09.00.00");

QByteArray Md5(const QByteArray& bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Md5); }
QByteArray Flip(QByteArray bytes, int at) { return bytes.replace(at, 1, QByteArray(1, char(bytes[at] ^ 0x01))); }
QByteArray Le32(quint32 v) { return QByteArray(1, char(v)) + char(v >> 8) + char(v >> 16) + char(v >> 24); }

template <typename B> QByteArray Bytes(const B& b) { return QByteArray((const char*)b.data(), int(b.size())); }

// A file put together by hand, to check the writer against the layout and give the reader files it would not write.
struct FileParts
{
    quint8 kind = AuditFile::KindBus, version = 2;
    QByteArray label, image, events, config, status, versionBlock, report, table;
    QByteArray when = QByteArray("\x18\x05\x06\x07\x08\x09", 6);

    template <typename F> QByteArray with(F change) const { FileParts p = *this; change(p); return p.assemble(); }

    QByteArray assemble() const
    {
        const bool bus = kind != AuditFile::KindDallas;
        QByteArray out = QByteArray(1, char(kind)) + char(version) + char(label.size()) + label + image;
        for (const QByteArray& section : { events, config, status, versionBlock, report })
            out += bus ? Le32(quint32(section.size())) + section : QByteArray();
        out += (qint8(version) > 0 ? when : QByteArray()) + Md5(bus ? events : image);
        return out + (bus && qint8(version) > 1 ? Le32(quint32(table.size())) + table : QByteArray());
    }
};

FileParts Parts(const AuditSession& s)
{
    FileParts p;
    p.label = QTextCodec::codecForName("UTF-16LE")->fromUnicode(Label).mid(2); // without the byte-order mark
    if (s.busAudit) {
        p.events = Bytes(s.busEvents).left(12 * s.decoded.lockEvents.size()), p.config = Bytes(s.busConfig);
        p.status = Bytes(s.busStatus), p.versionBlock = Bytes(s.busVersion), p.report = Bytes(s.busReport);
        p.table = Bytes(s.busDateTimeTable);
    } else {
        p.kind = AuditFile::KindDallas, p.image = Bytes(s.dallasImage).left(8192);
        p.when = QByteArray("\x18\x03\x0E\x09\x1E\x00", 6); // the image's 2024-03-14 09:30
    }
    return p;
}

// Sessions are large; each gets its own heap block.
std::unique_ptr<AuditSession> Decoded(bool bus, int events = 30)
{
    auto s = std::make_unique<AuditSession>();
    bus ? LoadBus(*s, events) : LoadDallas(*s, DallasImage());
    Present(*s);
    return s;
}

QByteArray Csv(const AuditTexts& t) { return ToCsv(t.events) + ToCsv(t.configuration) + ToCsv(t.users); }

AuditFile::ReadResult Open(const QByteArray& file, std::unique_ptr<AuditSession>& into)
{
    into = std::make_unique<AuditSession>();
    return AuditFile::Parse(file, *into);
}

} // namespace

class TestAuditFile : public QObject
{
    Q_OBJECT

private slots:
    void layout()
    {
        const std::pair<bool, int> kinds[] = { { false, 0 }, { true, 30 }, { true, 0 }, { true, 5752 } };
        for (const auto& [bus, records] : kinds) {
            const auto s = Decoded(bus, records);
            const QByteArray file = AuditFile::Serialize(*s, Label);
            QCOMPARE(file.size(), (bus ? 230 + 12 * records : 8217) + 2 * Label.size());
            QCOMPARE(file, Parts(*s).assemble());
        }
    }

    void roundTrip()
    {
        std::unique_ptr<AuditSession> reopened;
        for (bool bus : { false, true }) {
            const auto s = Decoded(bus, 400);
            const AuditTexts before = Present(*s);
            const AuditFile::ReadResult read = Open(AuditFile::Serialize(*s, before.keypadDownloadTime), reopened);
            QVERIFY(read.valid && read.label == before.keypadDownloadTime && reopened->busAudit == bus);
            QCOMPARE(Csv(Present(*reopened)), Csv(before));
            QCOMPARE(reopened->decoded.config.downloadTime, s->decoded.config.downloadTime);
        }
        // A label too long for its length byte is cut to 63 characters (the euro sign's two bytes differ).
        const QString euros(70, QChar(0x20AC));
        QCOMPARE(Open(AuditFile::Serialize(*Decoded(true), euros), reopened).label, euros.left(63));
        // The configuration is not covered by the digest: altered, it is shown.
        FileParts p = Parts(*Decoded(true));
        p.status[0] = char(0x45), p.config[63] = char(7); // time delay 45 in packed decimal, active configuration 7
        QVERIFY(Open(p.assemble(), reopened).valid);
        const QStringList rows = QString(ToCsv(Present(*reopened).configuration)).split("\r\n");
        QVERIFY(rows.contains("Time delay:,45") && rows.contains("Active configuration:,07"));
    }

    // Every cut before the end of the digest is refused, even where the missing bytes would read as matching zeros.
    void truncatedFilesAreRejected()
    {
        for (bool bus : { false, true }) {
            FileParts p = Parts(*Decoded(bus, 20));
            QByteArray& payload = bus ? p.events : p.image;
            for (quint32 v = 0; !Md5(payload).endsWith('\0'); ++v) // in two bytes that no decoder reads
                payload.replace(bus ? 10 : 8190, 2, Le32(v).left(2));
            const QByteArray file = p.assemble();
            const int digestEnd = file.size() - (bus ? 68 : 0);
            std::unique_ptr<AuditSession> into;
            QVERIFY(Open(file.left(digestEnd), into).valid);
            for (int cut = 0; cut < digestEnd; ++cut) {
                if (Open(file.left(cut), into).valid)
                    QFAIL(qPrintable(QStringLiteral("cut at %1 of %2 bytes accepted").arg(cut).arg(file.size())));
            }
        }
    }

    // Expected: "invalid", or the kind of a valid file's audit and whether the file gave a time and a table.
    void files_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");
        const auto bus = Decoded(true, 20);
        const FileParts d = Parts(*Decoded(false)), b = Parts(*bus);
        QTest::newRow("empty") << QByteArray() << "invalid";
        QTest::newRow("dallas digest altered") << Flip(d.assemble(), 8201 + 38 + 7) << "invalid";
        QTest::newRow("bus digest altered") << Flip(b.assemble(), b.assemble().size() - 68 - 1) << "invalid";
        QTest::newRow("bus events altered") << Flip(b.assemble(), 3 + 38 + 4 + 13) << "invalid";
        // Sections longer than their buffers, holding their bytes and a matching digest.
        QTest::newRow("events 69036") << b.with([](FileParts& p) { p.events = QByteArray(69036, 1); }) << "invalid";
        QTest::newRow("configuration 65") << b.with([](FileParts& p) { p.config = QByteArray(65, 1); }) << "invalid";
        QTest::newRow("status 6") << b.with([](FileParts& p) { p.status = QByteArray(6, 1); }) << "invalid";
        QTest::newRow("version 13") << b.with([](FileParts& p) { p.versionBlock = QByteArray(13, 1); }) << "invalid";
        QTest::newRow("report 37") << b.with([](FileParts& p) { p.report = QByteArray(37, 1); }) << "invalid";
        QTest::newRow("date/time table 65") << b.with([](FileParts& p) { p.table = QByteArray(65, 1); }) << "invalid";
        QTest::newRow("events length 0xFFFFFFFF") << b.assemble().replace(3 + 38, 4, Le32(0xFFFFFFFFu)) << "invalid";
        // A label length of 0x80 or more does not fit the signed byte, even with the bytes there.
        QTest::newRow("label 0x80") << d.with([](FileParts& p) { p.label = QByteArray(0x80, 'x'); }) << "invalid";
        QTest::newRow("label 0xFF") << b.with([](FileParts& p) { p.label = QByteArray(0xFF, 'x'); }) << "invalid";
        for (int version : { 0, 1 }) {
            const auto older = [version](FileParts& p) { p.version = quint8(version); };
            QTest::addRow("dallas, version %d", version) << d.with(older) << (version ? "dallas time" : "dallas");
            QTest::addRow("bus, version %d", version) << b.with(older) << (version ? "bus time" : "bus");
        }
        QTest::newRow("bus cut after the digest") << AuditFile::Serialize(*bus, Label).chopped(68) << "bus time";
        QTest::newRow("kind 7 is bus") << b.with([](FileParts& p) { p.kind = 7; }) << "bus time table";
        QTest::newRow("empty label") << b.with([](FileParts& p) { p.label.clear(); }) << "bus time table";
    }

    void files()
    {
        QFETCH(QByteArray, file);
        std::unique_ptr<AuditSession> into;
        const AuditFile::ReadResult read = Open(file, into);
        const bool time = read.valid && into->downloadTime.isValid();
        // Nothing is copied past a buffer: the table after the event records holds only what the file gave it.
        const bool table = Bytes(into->busDateTimeTable) != QByteArray(AuditSession::BusDateTimeTableSize, 0);
        const QString kind = read.valid ? (into->busAudit ? "bus" : "dallas") : "invalid";
        QTEST(kind + (time ? " time" : "") + (table ? " table" : ""), "expected");
        if (read.valid) {
            QCOMPARE(read.label, quint8(file[2]) ? Label : QString());
            QCOMPARE(ToCsv(Present(*into).events), ToCsv(Present(*Decoded(into->busAudit, 20)).events));
        }
    }

    void failedSaveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        // The longest name a folder holds is saved to; a read-only file is not replaced.
        QFile saved(dir.filePath(QString(250, 'a') + ".kaud")), kept(dir.filePath("read-only.kaud"));
        QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write("old") == 3);
        kept.close();
        QVERIFY(kept.setPermissions(QFile::ReadOwner));
        const auto s = Decoded(true);
        QString error;
        QVERIFY(AuditFile::Save(saved.fileName(), *s, Label, &error));
        QVERIFY(!AuditFile::Save(kept.fileName(), *s, Label, &error));
        QCOMPARE(error, QStringLiteral("Permission denied"));
        QVERIFY(saved.open(QIODevice::ReadOnly) && kept.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), AuditFile::Serialize(*s, Label));
        QCOMPARE(kept.readAll(), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
        auto into = std::make_unique<AuditSession>();
        QVERIFY(AuditFile::Load(saved.fileName(), *into).valid && !AuditFile::Load(dir.path(), *into).valid);
    }
};

QTEST_GUILESS_MAIN(TestAuditFile)
#include "tst_auditfile.moc"
