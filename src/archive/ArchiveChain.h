#pragma once

#include <QByteArray>
#include <QString>

// The archive's chain: every audit added appends a link whose hash covers the link before it, so
// an audit removed, changed or put in another place afterwards breaks the chain from there on.

// 64 zeros: what the first link follows.
QString ChainStart();

// One link's hash (64 lowercase hex digits) over the previous link's hash, the audit's SHA-256 (of
// its bytes as kept), the lock's serial number as kept, the import time (ms since the epoch, as
// kept) and who imported it (user and computer).
QString ChainLinkHash(const QString& previous, const QString& auditSha256, const QByteArray& serial, qint64 importedAt,
                      const QString& importedBy, const QString& importedHost);
