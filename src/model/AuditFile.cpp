#include "model/AuditFile.h"

#include "model/Bytes.h"
#include "model/OutputFile.h"

#include <QCryptographicHash>
#include <QFile>

namespace AuditFile {

namespace {

constexpr int DigestSize = 16;
constexpr int DateTimeSize = 6;

QByteArray md5(const quint8* data, int size)
{
    return QCryptographicHash::hash(QByteArray::fromRawData(reinterpret_cast<const char*>(data), size),
                                    QCryptographicHash::Md5);
}

QByteArray dateTimeBytes(const QDateTime& t)
{
    QByteArray b(DateTimeSize, '\0');
    if (!t.isValid())
        return b;
    const QDate d = t.date();
    const QTime tm = t.time();
    b[0] = char(quint8((d.year() - 2000) & 0xFF));
    b[1] = char(d.month());
    b[2] = char(d.day());
    b[3] = char(tm.hour());
    b[4] = char(tm.minute());
    b[5] = char(tm.second());
    return b;
}

QDateTime dateTimeFromBytes(const quint8* b)
{
    const QDate date(2000 + qint8(b[0]), b[1], b[2]);
    const QTime time(b[3], b[4], b[5]);
    return QDateTime(date, time, Qt::LocalTime);
}

void appendSection(QByteArray& out, const quint8* data, int size)
{
    quint8 length[4];
    bytes::writeLe32(length, quint32(size));
    out.append(reinterpret_cast<const char*>(length), 4);
    out.append(reinterpret_cast<const char*>(data), size);
}

// Sequential reader over the file's bytes; reading past the end yields zeros and remembers it.
class Reader
{
public:
    explicit Reader(const QByteArray& data) : m_data(data) {}

    void read(quint8* dest, int size)
    {
        const int available = int(qMax<qsizetype>(0, qMin<qsizetype>(size, m_data.size() - m_pos)));
        if (available > 0)
            memcpy(dest, m_data.constData() + m_pos, size_t(available));
        if (available < size) {
            memset(dest + available, 0, size_t(size - available));
            m_short = true;
        }
        m_pos += size;
    }
    quint8 byte()
    {
        quint8 b = 0;
        read(&b, 1);
        return b;
    }
    quint32 le32()
    {
        quint8 b[4];
        read(b, 4);
        return bytes::readLe32(b);
    }
    bool shortRead() const { return m_short; }

private:
    const QByteArray& m_data;
    qint64 m_pos = 0;
    bool m_short = false;
};

QString decodeLabel(const QByteArray& raw)
{
    const int units = raw.size() / 2;
    if (units == 0)
        return QString();
    const auto* p = reinterpret_cast<const quint8*>(raw.constData());
    bool bigEndian = false;
    int start = 0;
    if (p[0] == 0xFE && p[1] == 0xFF) {
        bigEndian = true;
        start = 1;
    } else if (p[0] == 0xFF && p[1] == 0xFE) {
        start = 1;
    }
    QString text;
    text.reserve(units - start);
    for (int i = start; i < units; ++i) {
        const quint8 a = p[2 * i], b = p[2 * i + 1];
        text.append(QChar(bigEndian ? ushort((a << 8) | b) : ushort((b << 8) | a)));
    }
    return text;
}

} // namespace

QByteArray Serialize(const AuditSession& s, const QString& label)
{
    const QString text = label.left(MaxLabelCharacters);
    QByteArray out;
    out.append(char(s.busAudit ? KindBus : KindDallas));
    out.append(char(CurrentVersion));
    out.append(char(text.size() * 2));
    for (const QChar c : text) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }

    QByteArray digest;
    if (!s.busAudit) {
        out.append(reinterpret_cast<const char*>(s.dallasImage.data()), AuditSession::DallasImageSize);
        digest = md5(s.dallasImage.data(), AuditSession::DallasImageSize);
    } else {
        const int eventBytes = s.busRecordCount() * AuditSession::BusRecordSize;
        appendSection(out, s.busEvents.data(), eventBytes);
        appendSection(out, s.busConfig.data(), AuditSession::BusConfigSize);
        appendSection(out, s.busStatus.data(), AuditSession::BusStatusSize);
        appendSection(out, s.busVersion.data(), AuditSession::BusVersionSize);
        appendSection(out, s.busReport.data(), AuditSession::BusReportSize);
        digest = md5(s.busEvents.data(), eventBytes);
    }
    // The date as decoded: a key's own, or the computer's at a bus download.
    out.append(dateTimeBytes(s.decoded.config.downloadTime));
    out.append(digest);
    if (s.busAudit)
        appendSection(out, s.busDateTimeTable.data(), AuditSession::BusDateTimeTableSize);
    return out;
}

bool Save(const QString& path, const AuditSession& session, const QString& label, QString* error)
{
    OutputFile file(path);
    if (file.open() && file.write(Serialize(session, label)) && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

ReadResult Parse(const QByteArray& data, AuditSession& s)
{
    ReadResult result;
    Reader in(data);
    result.kind = in.byte();
    result.version = qint8(in.byte());
    const qint8 labelLength = qint8(in.byte());
    if (labelLength < 0)
        return result;
    QByteArray label(labelLength, '\0');
    in.read(reinterpret_cast<quint8*>(label.data()), labelLength);

    QByteArray computed;
    if (result.kind == KindDallas) {
        s.busAudit = false;
        in.read(s.dallasImage.data(), AuditSession::DallasImageSize);
        computed = md5(s.dallasImage.data(), AuditSession::DallasImageSize);
    } else {
        s.busAudit = true;
        struct Section { quint8* buffer; quint32 capacity; };
        const Section sections[] = {
            { s.busEvents.data(), AuditSession::BusEventsSize },
            { s.busConfig.data(), AuditSession::BusConfigSize },
            { s.busStatus.data(), AuditSession::BusStatusSize },
            { s.busVersion.data(), AuditSession::BusVersionSize },
            { s.busReport.data(), AuditSession::BusReportSize },
        };
        for (int i = 0; i < 5; ++i) {
            const quint32 length = in.le32();
            if (length > sections[i].capacity)
                return result;
            in.read(sections[i].buffer, int(length));
            if (i == 0)
                computed = md5(s.busEvents.data(), int(length));
        }
    }

    if (result.version > 0) {
        quint8 when[DateTimeSize];
        in.read(when, DateTimeSize);
        s.downloadTime = dateTimeFromBytes(when);
    }
    quint8 stored[DigestSize];
    in.read(stored, DigestSize);
    // Everything up to the end of the digest must be there; a missing digest byte that
    // happens to be zero must not let a cut file through.
    if (in.shortRead())
        return result;
    if (QByteArray(reinterpret_cast<const char*>(stored), DigestSize) != computed)
        return result;

    if (result.version > 1 && s.busAudit) {
        // A file cut after the digest keeps an all-zero table.
        const quint32 length = in.le32();
        if (length > AuditSession::BusDateTimeTableSize)
            return result;
        in.read(s.busDateTimeTable.data(), int(length));
    }

    result.label = decodeLabel(label);
    result.valid = true;
    return result;
}

ReadResult Load(const QString& path, AuditSession& session)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult();
    return Parse(file.read(MaxFileSize), session);
}

} // namespace AuditFile
