#pragma once

#include "archive/Archive.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// A lock's kept audits as files, so that anyone can check them without the program: each audit
// exactly as it was imported, and their SHA-256 sums as `sha256sum -c` reads them.

// "VISIT-YYYYMMDD-HHMMSS.kaud" for each: the visit number and the audit's download date-time (and
// its id after them, should two audits ever share both).
QStringList KeptAuditFileNames(const QVector<KeptAudit>& audits);

// One line per audit, "SHA256  NAME", the SHA-256 recorded at its import: an audit whose bytes
// changed since is named by `sha256sum -c`.
QByteArray Sha256Sums(const QVector<KeptAudit>& audits);

// Writes the audits and SHA256SUMS into `folder`, made when missing; each file whole or not at
// all, SHA256SUMS last. False with the file that failed (or the folder) and the system's reason.
bool SaveKeptAudits(const QVector<KeptAudit>& audits, const QString& folder, QString* failed, QString* reason);
