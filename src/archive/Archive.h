#pragma once

#include "AuditRecords.h"
#include "AuditView.h"
#include "History.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// Where the audits of every lock are kept: a SQLite file, or a PostgreSQL server shared by a team.
// One Archive is one connection, to be used on the thread that opened it.

enum class AuditKind { BusDownload, DallasKey, File };
// The kind as stored: "bus download", "Dallas key", "file".
QString AuditKindName(AuditKind kind);

struct ImportReport
{
    enum Status { Added, AlreadyThere, Refused, Failed };
    Status status = Failed;
    QString serial;
    int newEvents = 0;
    int gaps = 0;
    // Why it was refused or failed, for the user.
    QString message;
};

struct LockSummary
{
    QString serial;
    QString name;
    int visits = 0;
    int events = 0;
    int gaps = 0;
    qint64 firstEvent = 0; // audit seconds of the oldest and the newest event, 0 for none
    qint64 lastEvent = 0;
    QDateTime lastVisit;
};

// "Serial number", "Lock name", "Visits", "Events", "Gaps", "First event", "Last event", "Last visit".
QStringList LockColumnHeaders();
// The locks as the Locks tab and the command line list them, dates in the display's pattern.
TextTable LocksTextTable(const QVector<LockSummary>& locks, const DisplaySettings& display);

// One stored audit as a visit of its lock.
struct Visit
{
    qint64 audit = 0;
    int number = 0; // 1 for the earliest download
    QString kind;
    QByteArray sha256;
    QDateTime downloaded;
    QDateTime imported;
    QString importedBy;
    QString importedHost;
    int newEvents = 0;
};

// A lock's whole story: its visits by download date, and each device's joined events.
struct LockHistory
{
    QString serial;
    QString name;
    QVector<Visit> visits;
    DeviceHistory lock;
    DeviceHistory keypad;
    // The latest visit's audit file, for its configuration and users.
    QByteArray latestAudit;

    int visitOf(qint64 audit) const;
};

// The history as an audit to present: every event with its visit and stretch, and the
// configuration, users and clock settings of the latest visit. False with a reason when the
// latest visit's audit no longer reads.
bool HistoryAsAudit(const LockHistory& history, DecodedAudit* out, bool* busAudit, QString* error);

// A search across the archived locks: every condition given must hold.
struct SearchQuery
{
    QStringList serials; // any of these locks; none: every lock
    qint64 from = -1;    // audit seconds: from this one on; -1 for no bound
    qint64 to = -1;      // before this one; -1 for no bound
    QVector<int> events; // any of these codes; none: every code
    int user = -1;       // this user number; -1 for every user
};

// A search's day bound from YYYY-MM-DD: its first second in audit time, or with `end` the next
// day's. False for anything else.
bool SearchDay(const QString& text, bool end, qint64* seconds);

struct FoundEvent
{
    QString serial;
    QString name;
    EventsTable event; // with its visit
};

// "Serial number", "Lock name", the export's event columns and "Visit"; numbered from 1.
TextTable SearchTextTable(const QVector<FoundEvent>& found, const DisplaySettings& display);

struct ArchiveProblem
{
    QString serial;
    qint64 audit = 0;
    QString what;
};

class Archive
{
public:
    // The schema this program writes; an archive of a later one is refused.
    static constexpr int SchemaVersion = 1;

    Archive();
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // Opens, creating or upgrading the schema inside one transaction. `location` is a file path or
    // a postgresql:// URL. False with a message that names the archive (never its password).
    bool open(const QString& location);
    bool isOpen() const { return m_open; }
    // The last failure, for the user.
    QString errorString() const { return m_error; }
    // The location as it may be shown: a URL without its password.
    QString displayName() const { return m_displayName; }
    bool isServer() const;
    // The last failure was a server that could not be reached, or went away: worth trying again.
    bool unreachable() const { return m_unreachable; }

    // Adds one audit given as the bytes of an audit file, in one transaction: the audit, its lock
    // and the lock's joined history.
    ImportReport import(const QByteArray& auditFile, AuditKind kind);

    bool locks(QVector<LockSummary>* out);
    // False with errorString() when the lock is not there or its history cannot be read.
    bool history(const QString& serial, LockHistory* out);
    // The newest archived events of a lock's lock device, oldest first (none when it is unknown).
    bool newestLockEvents(const QString& serial, int count, QVector<HistoryEvent>* out);
    // The matching events of every lock, newest first.
    bool search(const SearchQuery& query, QVector<FoundEvent>* out);
    // Reads every stored audit again: its digest, that it decodes, and every stored history.
    bool verify(QVector<ArchiveProblem>* problems, int* audits = nullptr);

    // Called inside an import's transaction just before it commits; a test kills the process there.
    static void (*beforeCommit)();

private:
    bool fail(const QString& message);
    bool failQuery(const class QSqlQuery& query);
    bool migrate();
    bool begin();
    bool commit();
    void rollback();
    bool readHistory(qint64 lock, int device, DeviceHistory* out);
    // The rows from `from` on, each with its place in the device's history.
    bool insertEvents(class QSqlQuery& query, qint64 lock, int device, const QVector<const HistoryEvent*>& rows, int from);

    QString m_connection;
    QString m_displayName;
    QString m_error;
    bool m_open = false;
    bool m_unreachable = false;
};
