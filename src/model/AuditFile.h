#pragma once

#include "model/AuditRecords.h"

#include <QByteArray>
#include <QString>

// Audit files (".kaud"): the raw audit as acquired, so reopening decodes it again with the
// program's current decoding. Little-endian envelope; version 2 written, 0 to 2 read.
namespace AuditFile {

constexpr quint8 KindDallas = 1;
constexpr quint8 KindBus = 2;
constexpr quint8 CurrentVersion = 2;
constexpr int MaxLabelCharacters = 63;
// The longest file the reader can use (a bus file with a 127-byte label and a full event
// section); bytes after it are never read.
constexpr int MaxFileSize = 3 + 127 + 5 * 4 + AuditSession::BusEventsSize + AuditSession::BusConfigSize
    + AuditSession::BusStatusSize + AuditSession::BusVersionSize + AuditSession::BusReportSize + 6 + 16 + 4
    + AuditSession::BusDateTimeTableSize;

// The file's bytes for the loaded audit (raw buffers, and the download date as decoded). `label`
// is the keypad download time as displayed; longer than 63 characters it is cut to fit the
// length byte.
QByteArray Serialize(const AuditSession& session, const QString& label);

// Writes through a temporary file that replaces `path` only once complete, so a failure
// never destroys an existing file. False (with a reason) when anything fails.
bool Save(const QString& path, const AuditSession& session, const QString& label, QString* error = nullptr);

struct ReadResult
{
    bool valid = false; // false: "File not valid"
    QString label;
    quint8 kind = 0;
    qint8 version = 0;
};

// Fills the raw buffers, the audit source flag and the download time of a session that the
// caller has reset; nothing is decoded. Nothing is ever copied past a buffer: a section longer than its buffer,
// a label length of 0x80 or more, a file cut before the end of its digest, or a digest that
// does not match makes the file not valid.
ReadResult Parse(const QByteArray& data, AuditSession& session);

// Reads `path` (at most MaxFileSize bytes) and parses it; an unreadable file is not valid.
ReadResult Load(const QString& path, AuditSession& session);

} // namespace AuditFile
