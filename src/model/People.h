#pragma once

#include "model/AuditRecords.h"
#include "model/AuditView.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

class QTranslator;

// A lock's directory of people: the lock knows its users only by number, the directory says who
// held each number and when. Plain values and pure functions; the archive keeps a lock's
// tenures, and a change is worked out here in full before anything is stored.

// The user numbers the lock names as people: users 01 to 59, the three managers and the two
// masters.
bool IsNamableUser(int user);

// The longest name, in characters as users see them (an accented letter written as a letter and
// a combining accent is one).
constexpr int MaxPersonLength = 80;

// One person holding one user number over days, both ends included; `until` is null while the
// tenure is open.
struct Tenure
{
    int user = 0;
    QString person;
    QDate from;
    QDate until;

    bool isOpen() const { return until.isNull(); }
    bool covers(const QDate& day) const { return day >= from && (isOpen() || day <= until); }
};

bool operator==(const Tenure& a, const Tenure& b);
inline bool operator!=(const Tenure& a, const Tenure& b) { return !(a == b); }

// A lock's tenures, kept ordered by user number and then by first day.
using Tenures = QVector<Tenure>;

// Days are written YYYY-MM-DD and nothing else; false with a translated reason for any other
// text or a date that does not exist (2023-02-29).
bool ParsePeopleDay(const QString& text, QDate* day, QString* error);
// YYYY-MM-DD; empty for a null day.
QString PeopleDayText(const QDate& day);

// A name as it is stored: trimmed of white space at both ends, nothing else changed.
QString PersonName(const QString& text);

// Why a tenure cannot stand on its own (a user number the lock does not name as a person, an
// empty, overlong or control-character name, no first day, an end before the start); empty when
// it can. Translated.
QString TenureError(const Tenure& tenure);

// "User 03 is Maria Rossi from 2024-01-01 to 2024-08-31"; while open, "User 03 is Maria Rossi
// since 2024-09-01". The user is named as the events table names it. Translated.
QString TenureText(const Tenure& tenure);

// The outcome of a change: the lock's whole new directory, or why the change is refused, and then
// nothing is to be stored (a refused set or remove hands back the directory as it was, a refused
// import no tenures).
struct PeopleChange
{
    Tenures tenures;
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// Sets a tenure (its name trimmed). An open tenure of the same user begun before the new one's
// first day ends the day before it: the number changed hands. Any other overlap with a tenure of
// that user refuses the change, naming that tenure (TenureText).
PeopleChange SetTenure(const Tenures& directory, Tenure tenure);
// Removes the tenure of `user` that begins on `from`; refused when there is none. The tenure
// that ended when this one began stays as it is.
PeopleChange RemoveTenure(const Tenures& directory, int user, const QDate& from);

// The person of each event, looked up per row of a long history: per user number, the tenures by
// first day, searched by halves. Holds copies of the names.
class PeopleIndex
{
public:
    PeopleIndex() = default;
    explicit PeopleIndex(const Tenures& directory);

    // The person behind an event (its code, user byte and recorded time — `time`, never the
    // daylight-saving corrected one), null for none: none when the user byte names no person (an
    // option or configuration change, the lock installed or removed, the ERC users, numbers the
    // lock never names) and none when the event has no day the lock could have known — no time,
    // or the year 2000 where a lock whose clock was never set counts from.
    QString person(int event, int user, qint64 time) const;
    // The tenure of `user` covering `day`, or null.
    const Tenure* covering(int user, const QDate& day) const;

private:
    std::array<Tenures, UserSlots> m_byUser;
};

// The users the configuration has installed or disabled, among those the lock names as people,
// whose number no tenure covers on `day` (the latest visit's download day); by number. A null day
// is covered by no tenure.
QVector<int> UnnamedUsers(const Tenures& directory, const Config& config, const QDate& day);

// "User", "Person", "From", "Until", translated.
QStringList PeopleColumnHeaders();

// The directory as it is listed: users named as the events table names them, by number; within a
// user the tenures by first day, and when the user is also among `unnamed`, a row with Person,
// From and Until empty after them. Names exactly as stored.
TextTable PeopleTextTable(const Tenures& directory, const QVector<int>& unnamed);

// The listing as CSV (ToCsv): besides the apostrophe ToCsv puts before a formula-like cell, a
// cell of apostrophes before such a text gets one more, so that ImportPeople, which takes one
// off, gives back every name exactly.
QByteArray PeopleCsv(const TextTable& listing);

// What a listing may say in any of the program's languages: the names of the user numbers (as the
// events table and the users table name them) and the column headers.
class PeopleVocabulary
{
public:
    // English, the language installed now, and each catalogue given.
    explicit PeopleVocabulary(const QList<const QTranslator*>& catalogues = {});
    // With the Italian and Spanish catalogues, looked up where the program keeps its translations.
    static PeopleVocabulary load();

    // The user number a cell names: the number itself ("3", "03"; whether the lock names it as a
    // person is TenureError's to say) or a name in any language, case and spacing aside; -1 for
    // anything else.
    int userNumber(const QString& text) const;
    // True for the header User, Person, From, Until, each cell in any language, case aside.
    bool isHeader(const QStringList& cells) const;

private:
    QHash<QString, int> m_users;
    QHash<QString, int> m_columns;
};

// Reads a listing back (UTF-8, a BOM allowed; quoted fields; CRLF, LF or CR line ends; comma-
// or, when the header has no comma, semicolon-separated) as the lock's complete new directory of
// named tenures. The header line comes first; rows with an empty Person are skipped; the last
// columns may be left off when empty. Any bad row, or two rows overlapping, refuses the whole
// file: "line N: why".
PeopleChange ImportPeople(const QByteArray& csv, const PeopleVocabulary& vocabulary);
