#pragma once

#include "AuditRecords.h"
#include "ConfigPresentation.h"
#include "DallasDecoder.h"
#include "EventRows.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

// Decodes the raw buffers by the audit source flag: a bus audit (events, then configuration)
// or a Dallas audit image.
DecodeResult DecodeAudit(AuditSession& session);

// Merges keypad and lock events and applies the audit type (0 full, anything else simple).
void OrderEvents(AuditSession& session, int auditType);

// A table as text, as the window shows it and the exports write it.
struct TextTable
{
    QStringList header;
    QVector<QStringList> rows;
};

// "#", "Device", "Date", "Date with DST", "User", "Event", "Event ID".
TextTable EventsTextTable(const QVector<EventRow>& rows);
// "User", "Status", "Opening mode"; an empty field where the window shows no item.
TextTable UsersTextTable(const ConfigPresentation& presentation);
// Caption and value rows, no header: identity, the two download times, then the configuration.
TextTable ConfigurationTextTable(const ConfigPresentation& presentation);

// Comma-separated values: UTF-8, CRLF line ends, quotes only where a field needs them; a field
// that a spreadsheet would take for a formula starts with an apostrophe.
QByteArray ToCsv(const TextTable& table);
