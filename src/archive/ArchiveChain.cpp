#include "archive/ArchiveChain.h"

#include <QCryptographicHash>

QString ChainStart()
{
    return QString(64, QLatin1Char('0'));
}

QString ChainLinkHash(const QString& previous, const QString& auditSha256, const QByteArray& serial, qint64 importedAt,
                      const QString& importedBy, const QString& importedHost)
{
    // Each field on a line of its own, texts as UTF-8 and the serial number as hex, so no field can
    // run into the next.
    QByteArray text = "corvane-chain-1\n";
    text += previous.toLatin1() + '\n';
    text += auditSha256.toLatin1() + '\n';
    text += serial.toHex() + '\n';
    text += QByteArray::number(importedAt) + '\n';
    text += importedBy.toUtf8().toHex() + '\n';
    text += importedHost.toUtf8().toHex() + '\n';
    return QString::fromLatin1(QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex());
}
