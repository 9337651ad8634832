// Reading everything the archive keeps again, to find what drifted.

#include "Archive.h"

#include "ArchiveInternal.h"
#include "AuditFile.h"

#include <QCryptographicHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <memory>

using namespace archive;

bool Archive::verify(QVector<ArchiveProblem>* problems, int* audits)
{
    int checked = 0;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!exec(q, QStringLiteral("SELECT a.id, l.serial, a.sha256, a.content FROM audits a "
                                "JOIN locks l ON l.id = a.lock_id ORDER BY l.serial, a.id")))
        return failQuery(q);
    while (q.next()) {
        ++checked;
        const qint64 audit = q.value(0).toLongLong();
        const QString serial = FromStoredText(q.value(1).toByteArray());
        const QByteArray content = q.value(3).toByteArray();
        const QString sha = QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
        if (sha != q.value(2).toString()) {
            problems->append({ serial, audit, Text::tr("its bytes no longer match their SHA-256") });
            continue;
        }
        auto session = std::make_unique<AuditSession>();
        if (!AuditFile::Parse(content, *session).valid) {
            problems->append({ serial, audit, Text::tr("it is no longer a valid audit file") });
            continue;
        }
        const DecodedAudit decoded = DecodeAudit(*session);
        if (!decoded.ok)
            problems->append({ serial, audit, Text::tr("it no longer decodes") });
        else if (ShownLockText(decoded.config.serialNumber) != serial)
            problems->append({ serial, audit, Text::tr("it names another lock") });
    }
    if (q.lastError().isValid())
        return failQuery(q);

    QSqlQuery h(db);
    if (!exec(h, QStringLiteral("SELECT l.id, l.serial, d.device, "
                                "(SELECT COUNT(*) FROM events e WHERE e.lock_id = l.id AND e.device = d.device) "
                                "FROM locks l JOIN (SELECT DISTINCT lock_id, device FROM histories) d ON d.lock_id = l.id "
                                "ORDER BY l.id, d.device")))
        return failQuery(h);
    while (h.next()) {
        DeviceHistory history;
        const QString serial = FromStoredText(h.value(1).toByteArray());
        const QString device = h.value(2).toInt() == LockHistoryDevice ? Text::tr("lock") : Text::tr("keypad");
        if (!readHistory(h.value(0).toLongLong(), h.value(2).toInt(), &history))
            problems->append({ serial, 0, Text::tr("the %1 history: %2").arg(device, m_error) });
        else if (history.eventCount() != h.value(3).toInt())
            problems->append({ serial, 0, Text::tr("the %1 history holds %2 events but the search table %3")
                                              .arg(device).arg(history.eventCount()).arg(h.value(3).toInt()) });
    }
    if (audits)
        *audits = checked;
    return true;
}
