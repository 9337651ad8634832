#include "AuditFile.h"
#include "AuditFixtures.h"
#include "Bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <unistd.h>

using namespace fixtures;

namespace {

const QString DisplayedLabel = QStringLiteral("14/03/2024 09.00.00");

QByteArray Le32(quint32 value)
{
    quint8 b[4];
    bytes::writeLe32(b, value);
    return QByteArray(reinterpret_cast<const char*>(b), 4);
}

template <typename Buffer> QByteArray Bytes(const Buffer& buffer, int size = -1)
{
    return QByteArray(reinterpret_cast<const char*>(buffer.data()), size < 0 ? int(buffer.size()) : size);
}

QByteArray Utf16Le(const QString& text)
{
    QByteArray out;
    for (QChar c : text) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

// The fields of a file, put together by hand so the writer is checked against the layout and
// the reader can be fed files the writer would never make.
struct FileParts
{
    quint8 kind = AuditFile::KindBus;
    quint8 version = 2;
    int labelLengthByte = -1; // -1: the label's size
    QByteArray label;
    QByteArray image;                                      // Dallas
    QByteArray events, config, status, versionBlock, report; // bus sections
    QByteArray when = QByteArray("\x18\x05\x06\x07\x08\x09", 6);
    QByteArray digest; // empty: the MD5 of the payload
    QByteArray table;
    bool withTable = true;

    QByteArray assemble() const
    {
        QByteArray out;
        out.append(char(kind)).append(char(version));
        out.append(char(labelLengthByte < 0 ? label.size() : labelLengthByte)).append(label);
        const bool dallas = kind == AuditFile::KindDallas;
        if (dallas) {
            out.append(image);
        } else {
            for (const QByteArray& section : { events, config, status, versionBlock, report })
                out.append(Le32(quint32(section.size()))).append(section);
        }
        if (qint8(version) > 0)
            out.append(when);
        out.append(digest.isEmpty() ? Md5(dallas ? image : events) : digest);
        if (!dallas && qint8(version) > 1 && withTable)
            out.append(Le32(quint32(table.size()))).append(table);
        return out;
    }
};

FileParts DallasParts(const AuditSession& s, const QString& label)
{
    FileParts p;
    p.kind = AuditFile::KindDallas;
    p.label = Utf16Le(label);
    p.image = Bytes(s.dallasImage, AuditSession::DallasImageSize);
    p.when = QByteArray("\x18\x03\x0E\x09\x1E\x00", 6); // the image's 2024-03-14 09:30
    return p;
}

FileParts BusParts(const AuditSession& s, const QString& label, int records)
{
    FileParts p;
    p.label = Utf16Le(label);
    p.events = Bytes(s.busEvents, records * AuditSession::BusRecordSize);
    p.config = Bytes(s.busConfig);
    p.status = Bytes(s.busStatus);
    p.versionBlock = Bytes(s.busVersion);
    p.report = Bytes(s.busReport);
    p.table = Bytes(s.busDateTimeTable);
    return p;
}

// Sessions are large; each gets its own heap block.
std::unique_ptr<AuditSession> DecodedDallas()
{
    auto s = std::make_unique<AuditSession>();
    LoadDallas(*s, DallasImage());
    Present(*s);
    return s;
}

std::unique_ptr<AuditSession> DecodedBus(int events = 30)
{
    auto s = std::make_unique<AuditSession>();
    LoadBus(*s, events);
    Present(*s);
    return s;
}

AuditFile::ReadResult ParseFresh(const QByteArray& file, std::unique_ptr<AuditSession>& into)
{
    into = std::make_unique<AuditSession>();
    return AuditFile::Parse(file, *into);
}

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

} // namespace

class TestAuditFile : public QObject
{
    Q_OBJECT

private slots:
    void dallasLayout()
    {
        const auto s = DecodedDallas();
        const QByteArray file = AuditFile::Serialize(*s, DisplayedLabel);
        const int n = DisplayedLabel.size() * 2;
        QCOMPARE(file.size(), 8217 + n);
        QCOMPARE(file, DallasParts(*s, DisplayedLabel).assemble());

        QCOMPARE(quint8(file[0]), quint8(1));
        QCOMPARE(quint8(file[1]), quint8(2));
        QCOMPARE(int(quint8(file[2])), n);
        QCOMPARE(file.mid(3, n), Utf16Le(DisplayedLabel));
        QCOMPARE(file.mid(3 + n, 8192), Bytes(s->dallasImage, 8192));
        QCOMPARE(file.mid(8195 + n, 6), QByteArray("\x18\x03\x0E\x09\x1E\x00", 6));
        QCOMPARE(file.mid(8201 + n, 16), Md5(Bytes(s->dallasImage, 8192)));
    }

    void busLayout_data()
    {
        QTest::addColumn<int>("records");
        QTest::newRow("30 records") << 30;
        QTest::newRow("none") << 0;
        QTest::newRow("full buffer") << AuditSession::BusRecordCapacity;
    }

    void busLayout()
    {
        QFETCH(int, records);
        const auto s = DecodedBus(records);
        QCOMPARE(s->lockEvents.size(), records);
        const QByteArray file = AuditFile::Serialize(*s, DisplayedLabel);
        const int n = DisplayedLabel.size() * 2;
        const int e = 12 * records;
        QCOMPARE(file.size(), 230 + n + e);
        QCOMPARE(file, BusParts(*s, DisplayedLabel, records).assemble());

        QCOMPARE(quint8(file[0]), quint8(2));
        QCOMPARE(quint8(file[1]), quint8(2));
        QCOMPARE(file.mid(3 + n, 4), Le32(quint32(e)));
        QCOMPARE(file.mid(7 + n, e), Bytes(s->busEvents, e));
        QCOMPARE(file.mid(7 + n + e, 4), Le32(64));
        QCOMPARE(file.mid(11 + n + e, 64), Bytes(s->busConfig));
        QCOMPARE(file.mid(75 + n + e, 4), Le32(5));
        QCOMPARE(file.mid(84 + n + e, 4), Le32(12));
        QCOMPARE(file.mid(100 + n + e, 4), Le32(36));
        QCOMPARE(file.mid(104 + n + e, 36), Bytes(s->busReport));
        QCOMPARE(file.mid(140 + n + e, 6), QByteArray("\x18\x05\x06\x07\x08\x09", 6));
        QCOMPARE(file.mid(146 + n + e, 16), Md5(Bytes(s->busEvents, e)));
        QCOMPARE(file.mid(162 + n + e, 4), Le32(64));
        QCOMPARE(file.mid(166 + n + e), Bytes(s->busDateTimeTable));
    }

    void labelIsCutTo63Characters()
    {
        const auto s = DecodedBus();
        const QString longLabel = QString(70, QChar(0x20AC)); // the euro sign: two bytes that differ
        const QByteArray file = AuditFile::Serialize(*s, longLabel);
        QCOMPARE(int(quint8(file[2])), 126);
        QCOMPARE(file.mid(3, 2), QByteArray("\xAC\x20", 2));
        std::unique_ptr<AuditSession> back;
        const AuditFile::ReadResult read = ParseFresh(file, back);
        QVERIFY(read.valid);
        QCOMPARE(read.label, longLabel.left(63));
    }

    void roundTrip_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::addColumn<int>("auditType");
        QTest::newRow("dallas, simple") << false << SimpleAudit;
        QTest::newRow("dallas, full") << false << FullAudit;
        QTest::newRow("bus, simple") << true << SimpleAudit;
        QTest::newRow("bus, full") << true << FullAudit;
    }

    void roundTrip()
    {
        QFETCH(bool, bus);
        QFETCH(int, auditType);
        auto original = bus ? DecodedBus(400) : DecodedDallas();
        const AuditTexts before = Present(*original, auditType);
        QVERIFY(before.decoded);
        QVERIFY(before.events.rows.size() > 100);

        std::unique_ptr<AuditSession> reopened;
        const AuditFile::ReadResult read = ParseFresh(AuditFile::Serialize(*original, before.keypadDownloadTime), reopened);
        QVERIFY(read.valid);
        QCOMPARE(read.label, before.keypadDownloadTime);
        QCOMPARE(reopened->busAudit, bus);
        const AuditTexts after = Present(*reopened, auditType);
        QVERIFY(after.decoded);
        QCOMPARE(ToCsv(after.events), ToCsv(before.events));
        QCOMPARE(ToCsv(after.configuration), ToCsv(before.configuration));
        QCOMPARE(ToCsv(after.users), ToCsv(before.users));
        QVERIFY(SameMappedFields(reopened->config, original->config));
        QCOMPARE(reopened->config.downloadTime, original->config.downloadTime);
        if (bus)
            QCOMPARE(Bytes(reopened->busDateTimeTable), Bytes(original->busDateTimeTable));
    }

    // Every file cut before the end of its digest is refused, whatever the missing bytes were.
    void truncatedFiles_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::newRow("dallas") << false;
        QTest::newRow("bus") << true;
    }

    void truncatedFiles()
    {
        QFETCH(bool, bus);
        const auto s = bus ? DecodedBus(20) : DecodedDallas();
        const QByteArray file = AuditFile::Serialize(*s, DisplayedLabel);
        const int digestEnd = file.size() - (bus ? 68 : 0);
        std::unique_ptr<AuditSession> into;
        QVERIFY(ParseFresh(file.left(digestEnd), into).valid);
        for (int cut = 0; cut < digestEnd; ++cut) {
            into = std::make_unique<AuditSession>();
            if (AuditFile::Parse(file.left(cut), *into).valid)
                QFAIL(qPrintable(QStringLiteral("a file cut at %1 of %2 bytes was accepted").arg(cut).arg(file.size())));
        }
        // A digest ending in a zero byte, cut off: the missing byte read as zero would match.
        FileParts parts = bus ? BusParts(*s, DisplayedLabel, 20) : DallasParts(*s, DisplayedLabel);
        QByteArray& payload = bus ? parts.events : parts.image;
        const int spare = bus ? 11 : 8191; // bytes the decoders never read
        for (int v = 0; v < 0x10000 && Md5(payload).at(15) != 0; ++v) {
            payload[spare] = char(v);
            payload[spare - 1] = char(v >> 8);
        }
        QCOMPARE(Md5(payload).at(15), '\0');
        const QByteArray zeroEnded = parts.assemble();
        QVERIFY(ParseFresh(zeroEnded.left(digestEnd), into).valid);
        QVERIFY(!ParseFresh(zeroEnded.left(digestEnd - 1), into).valid);
    }

    void rejected_data()
    {
        QTest::addColumn<QByteArray>("file");
        const auto dallas = DecodedDallas();
        const auto bus = DecodedBus(20);
        const FileParts d = DallasParts(*dallas, DisplayedLabel);
        const FileParts b = BusParts(*bus, DisplayedLabel, 20);
        const int n = DisplayedLabel.size() * 2;

        QTest::newRow("empty file") << QByteArray();
        QByteArray file = d.assemble();
        file[8201 + n + 7] = char(file[8201 + n + 7] ^ 0x01);
        QTest::newRow("dallas digest altered") << file;
        file = d.assemble();
        file[3 + n + 500] = char(file[3 + n + 500] ^ 0x40);
        QTest::newRow("dallas image altered") << file;
        file = b.assemble();
        file[146 + n + 240 + 15] = char(file[146 + n + 240 + 15] ^ 0x80);
        QTest::newRow("bus digest altered") << file;
        file = b.assemble();
        file[7 + n + 13] = char(file[7 + n + 13] ^ 0x02);
        QTest::newRow("bus events altered") << file;

        // Oversized sections that really hold their bytes and a matching digest: only the
        // capacity check stands between them and a write past the buffer.
        FileParts p = b;
        p.events = QByteArray(AuditSession::BusEventsSize + 12, '\x81');
        QTest::newRow("events 69036") << p.assemble();
        p = b;
        p.config = QByteArray(65, '\x11');
        QTest::newRow("configuration 65") << p.assemble();
        p = b;
        p.status = QByteArray(6, '\x11');
        QTest::newRow("status 6") << p.assemble();
        p = b;
        p.versionBlock = QByteArray(13, '\x02');
        QTest::newRow("version 13") << p.assemble();
        p = b;
        p.report = QByteArray(37, 'A');
        QTest::newRow("report 37") << p.assemble();
        p = b;
        p.table = QByteArray(65, '\x18');
        QTest::newRow("date/time table 65") << p.assemble();
        file = b.assemble();
        file.replace(3 + n, 4, Le32(0xFFFFFFFFu));
        QTest::newRow("events length 0xFFFFFFFF") << file;
        file = b.assemble();
        file.replace(162 + n + 240, 4, Le32(0x80000000u));
        QTest::newRow("table length 0x80000000") << file;

        // A label of 128 bytes or more does not fit the length byte; read as unsigned it
        // would otherwise make a consistent file.
        for (int length : { 0x80, 0xFE, 0xFF }) {
            p = d;
            p.label = QByteArray(length, 'x');
            QTest::addRow("dallas label length 0x%x", length) << p.assemble();
            p = b;
            p.label = QByteArray(length, 'x');
            QTest::addRow("bus label length 0x%x", length) << p.assemble();
        }
    }

    void rejected()
    {
        QFETCH(QByteArray, file);
        std::unique_ptr<AuditSession> into;
        QVERIFY(!ParseFresh(file, into).valid);
        // Nothing is copied past a buffer: the table that follows the event records stays zero.
        QVERIFY(bytes::allZero(into->busDateTimeTable.data(), into->busDateTimeTable.size()));
    }

    void largestSectionsAccepted()
    {
        const auto s = DecodedBus(AuditSession::BusRecordCapacity);
        FileParts p = BusParts(*s, QString(), AuditSession::BusRecordCapacity);
        p.label = QByteArray(127, 'x');
        QCOMPARE(p.assemble().size(), AuditFile::MaxFileSize);
        std::unique_ptr<AuditSession> into;
        QVERIFY(ParseFresh(p.assemble(), into).valid);
        QCOMPARE(Bytes(into->busEvents), Bytes(s->busEvents));
    }

    void olderVersions_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::addColumn<int>("version");
        QTest::newRow("dallas, version 0") << false << 0;
        QTest::newRow("dallas, version 1") << false << 1;
        QTest::newRow("bus, version 0") << true << 0;
        QTest::newRow("bus, version 1") << true << 1;
        QTest::newRow("bus, version byte 0xFF (below 0)") << true << 0xFF;
        QTest::newRow("bus, version byte 0x7F") << true << 0x7F;
    }

    void olderVersions()
    {
        QFETCH(bool, bus);
        QFETCH(int, version);
        auto original = bus ? DecodedBus() : DecodedDallas();
        const AuditTexts before = Present(*original);
        FileParts p = bus ? BusParts(*original, DisplayedLabel, 30) : DallasParts(*original, DisplayedLabel);
        p.version = quint8(version);
        const QByteArray file = p.assemble();
        if (version == 0 || version == 0xFF)
            QCOMPARE(file.size(), bus ? 230 + 38 + 360 - 74 : 8217 + 38 - 6);

        std::unique_ptr<AuditSession> into;
        const AuditFile::ReadResult read = ParseFresh(file, into);
        QVERIFY(read.valid);
        QCOMPARE(int(read.version), int(qint8(version)));
        QCOMPARE(read.label, DisplayedLabel);
        QCOMPARE(into->config.downloadTime.isValid(), qint8(version) > 0);
        if (qint8(version) > 0)
            QCOMPARE(into->config.downloadTime, QDateTime(QDate(2024, bus ? 5 : 3, bus ? 6 : 14),
                                                          bus ? QTime(7, 8, 9) : QTime(9, 30)));
        const bool tableRead = bus && qint8(version) > 1;
        QCOMPARE(bytes::allZero(into->busDateTimeTable.data(), 64), !tableRead);
        const AuditTexts after = Present(*into);
        QCOMPARE(ToCsv(after.events), ToCsv(before.events));
        QCOMPARE(ToCsv(after.users), ToCsv(before.users));
    }

    void busCutAfterDigest_data()
    {
        QTest::addColumn<int>("tableBytes"); // bytes of section 8 left, length included
        QTest::newRow("nothing after the digest") << 0;
        QTest::newRow("half the length") << 2;
        QTest::newRow("length only") << 4;
        QTest::newRow("first entry") << 12;
        QTest::newRow("all but one byte") << 67;
    }

    void busCutAfterDigest()
    {
        QFETCH(int, tableBytes);
        const auto s = DecodedBus();
        const QByteArray file = AuditFile::Serialize(*s, DisplayedLabel);
        std::unique_ptr<AuditSession> into;
        QVERIFY(ParseFresh(file.left(file.size() - 68 + tableBytes), into).valid);
        const int kept = qMax(0, tableBytes - 4);
        QCOMPARE(Bytes(into->busDateTimeTable).left(kept), Bytes(s->busDateTimeTable).left(kept));
        QVERIFY(bytes::allZero(into->busDateTimeTable.data() + kept, size_t(64 - kept)));
    }

    void kindOtherThanOneIsBus_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("0") << 0;
        QTest::newRow("2") << 2;
        QTest::newRow("7") << 7;
        QTest::newRow("255") << 255;
    }

    void kindOtherThanOneIsBus()
    {
        QFETCH(int, kind);
        auto original = DecodedBus();
        const AuditTexts before = Present(*original);
        FileParts p = BusParts(*original, DisplayedLabel, 30);
        p.kind = quint8(kind);
        std::unique_ptr<AuditSession> into;
        const AuditFile::ReadResult read = ParseFresh(p.assemble(), into);
        QVERIFY(read.valid);
        QCOMPARE(int(read.kind), kind);
        QVERIFY(into->busAudit);
        QCOMPARE(ToCsv(Present(*into).events), ToCsv(before.events));

        // A Dallas file given another kind byte is read as a bus file and fails its digest.
        QByteArray asBus = DallasParts(*DecodedDallas(), DisplayedLabel).assemble();
        asBus[0] = char(kind);
        QVERIFY(!ParseFresh(asBus, into).valid);
    }

    void alteredConfigurationSectionIsShown()
    {
        auto original = DecodedBus();
        const AuditTexts before = Present(*original);
        FileParts p = BusParts(*original, DisplayedLabel, 30);
        p.status[0] = char(0x45); // time delay 45, packed decimal
        p.config[63] = char(7);   // active configuration 7
        std::unique_ptr<AuditSession> into;
        QVERIFY(ParseFresh(p.assemble(), into).valid);
        const AuditTexts after = Present(*into);
        QCOMPARE(ToCsv(after.events), ToCsv(before.events));
        auto value = [](const TextTable& t, const QString& caption) {
            for (const QStringList& row : t.rows)
                if (row.value(0) == caption)
                    return row.value(1);
            return QStringLiteral("<missing>");
        };
        QCOMPARE(value(before.configuration, "Time delay:"), QStringLiteral("10"));
        QCOMPARE(value(after.configuration, "Time delay:"), QStringLiteral("45"));
        QCOMPARE(value(after.configuration, "Active configuration:"), QStringLiteral("07"));
        QVERIFY(value(before.configuration, "Active configuration:") != QStringLiteral("07"));
    }

    void labels_data()
    {
        QTest::addColumn<QByteArray>("labelBytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("little-endian") << Utf16Le(DisplayedLabel) << DisplayedLabel;
        QTest::newRow("not ASCII") << Utf16Le(QStringLiteral("14/03/2024 \u00e0 \u20ac")) << QStringLiteral("14/03/2024 \u00e0 \u20ac");
        QTest::newRow("big-endian mark") << QByteArray("\xFE\xFF\x00\x41\x20\xAC", 6) << QStringLiteral("A\u20ac");
        QTest::newRow("little-endian mark") << QByteArray("\xFF\xFE\x41\x00", 4) << QStringLiteral("A");
        QTest::newRow("odd length") << QByteArray("\x41\x00\x42", 3) << QStringLiteral("A");
        QTest::newRow("127 bytes") << QByteArray(127, 'A') << QString(63, QChar(0x4141));
    }

    void labels()
    {
        QFETCH(QByteArray, labelBytes);
        QFETCH(QString, expected);
        const auto s = DecodedBus();
        for (FileParts p : { BusParts(*s, QString(), 30), DallasParts(*DecodedDallas(), QString()) }) {
            p.label = labelBytes;
            std::unique_ptr<AuditSession> into;
            const AuditFile::ReadResult read = ParseFresh(p.assemble(), into);
            QVERIFY(read.valid);
            QCOMPARE(read.label, expected);
        }
    }

    void saveWritesTheSerializedBytes()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("audit.kaud"));
        QVERIFY(WriteAll(path, QByteArray(100000, 'z'))); // a longer file is wholly replaced
        const auto s = DecodedBus();
        QString error;
        QVERIFY(AuditFile::Save(path, *s, DisplayedLabel, &error));
        QCOMPARE(ReadAll(path), AuditFile::Serialize(*s, DisplayedLabel));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("audit.kaud") });

        std::unique_ptr<AuditSession> into = std::make_unique<AuditSession>();
        QVERIFY(AuditFile::Load(path, *into).valid);
        QVERIFY(!AuditFile::Load(dir.filePath(QStringLiteral("missing.kaud")), *into).valid);
        QVERIFY(!AuditFile::Load(dir.path(), *into).valid);
    }

    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("directory does not exist") << QStringLiteral("missing directory");
        // The temporary name adds 7 characters: past the longest file name, it cannot be made.
        QTest::newRow("no room for the temporary name") << QStringLiteral("long name");
        QTest::newRow("read-only directory") << QStringLiteral("read-only");
    }

    void failedSaveKeepsTheOldFile()
    {
        QFETCH(QString, how);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString path;
        if (how == QLatin1String("missing directory"))
            path = dir.filePath(QStringLiteral("no/such/folder/audit.kaud"));
        else if (how == QLatin1String("long name"))
            path = dir.filePath(QString(250, QLatin1Char('a')) + QStringLiteral(".kaud"));
        else
            path = dir.filePath(QStringLiteral("locked/audit.kaud"));
        const bool existing = how != QLatin1String("missing directory");
        const QByteArray before = AuditFile::Serialize(*DecodedDallas(), DisplayedLabel);
        if (existing) {
            QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
            QVERIFY(WriteAll(path, before));
        }
        if (how == QLatin1String("read-only")) {
            if (geteuid() == 0)
                QSKIP("permissions do not bind the superuser");
            QVERIFY(QFile::setPermissions(QFileInfo(path).absolutePath(),
                                          QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }

        const auto other = DecodedBus();
        QString error;
        const bool saved = AuditFile::Save(path, *other, DisplayedLabel, &error);
        if (how == QLatin1String("read-only"))
            QFile::setPermissions(QFileInfo(path).absolutePath(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!saved);
        QVERIFY(!error.isEmpty());
        if (existing) {
            QCOMPARE(ReadAll(path), before);
            QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        } else {
            QVERIFY(!QFileInfo::exists(path));
        }
    }
};

QTEST_GUILESS_MAIN(TestAuditFile)
#include "tst_auditfile.moc"
