#pragma once

#include "model/EventRows.h"
#include "model/LockCodes.h"

#include <QByteArray>
#include <QDate>
#include <QMap>
#include <QString>
#include <QVector>

// The users log: 104 records of 8 bytes, one per user slot, as the download stores them.
namespace userslog {

constexpr int RecordCount = wire::UsersLogRecordCount;
constexpr int RecordSize = wire::UsersLogRecordSize;
constexpr int BufferSize = 1024; // the window's buffer; the records take the first 832 bytes

// Record byte 0.
constexpr quint8 SetupInstalled = 0x12;
constexpr quint8 NoLog = 0x80;

// Report answer bytes 55 .. 158 hold one type character per slot.
constexpr int TypesOffset = 55;

} // namespace userslog

// Type 0..3 of a slot from its report character; characters that are not upper-case
// hexadecimal digits count as type 0.
int UserSlotType(char character);

// One row of the users log table.
struct UsersLogRow
{
    QString user;
    QString installedBy;
    QString date;
};

// The 64 rows of the users log, in the dialog's order: managers, masters, then users 01 to 59.
// `records` points to the 104 records.
QVector<UsersLogRow> UsersLogRows(const quint8* records, const DisplaySettings& settings);

// The day each slot was installed, for the slots whose record gives a day that exists; `records`
// holds the 104 records (anything shorter gives none).
QMap<int, QDate> UsersLogInstallationDays(const QByteArray& records);

// "User", "Insatlled by", "Date", translated.
QStringList UsersLogHeaders();
