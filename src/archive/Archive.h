#pragma once

#include "model/Findings.h"
#include "model/LockHistory.h"
#include "model/People.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

class QSqlQuery;
class SqlBackend;
class ServerWatchdog;

// Where the audits of every lock are kept: a SQLite file, or a PostgreSQL server shared by a team.
// One Archive is one connection, to be used on the thread that opened it.

enum class AuditKind { BusDownload, DallasKey, File };
// The kind as stored: "bus download", "Dallas key", "file".
QString AuditKindName(AuditKind kind);
AuditKind AuditKindFromName(const QString& name);

// Why an archive failed, when it did: what the caller does next depends on it.
enum class ArchiveFailure {
    None,
    Busy,        // other programs kept it busy beyond the wait: queue the audit, send it later
    Unreachable, // the server cannot be reached or stopped answering: queue, send later
    ReadOnly,    // this role may read the archive but not add to it
    Other,       // damaged, refused, or a failure of its own: tell the user
};

struct ImportReport
{
    enum Status { Added, AlreadyThere, Refused, Failed };
    Status status = Failed;
    QString serial;
    int newEvents = 0;
    int gaps = 0;
    // Why it was refused or failed, for the user.
    QString message;
    ArchiveFailure failure = ArchiveFailure::None;
    // What the user should know of an import that went well: a lock name that changed, a
    // computer's date that disagrees with the lock's own order of events.
    QStringList notes;
    // How long the import held the archive for others (its write transaction), in ms.
    double heldMs = 0;
};

// The findings asked of the archive's locks.
struct FindingsQuery
{
    QStringList locks; // serial numbers or exact names (as findLock takes them); none: every lock
    FindingKeys keys = FindingKeys::All();
    qint64 from = -1; // SearchDay bounds on each finding's Date; -1 for none
    qint64 to = -1;
    QDate at = QDate::currentDate(); // the day Not visited is judged at
    bool dst = false;
    DstRule dstRule;
};

struct ArchiveProblem
{
    QString serial; // the lock's, or empty for what belongs to no lock
    qint64 audit = 0;
    QString what;
};

// What a verification found: the archive's size, its chain head and every fault.
struct ArchiveSoundness
{
    int audits = 0;
    int locks = 0;
    // The last link's hash, 64 lowercase hex digits; ChainStart() for an archive without audits.
    QString chainHead;
    QVector<ArchiveProblem> problems;
    // Given before verify(): a head a report quoted, to be found among the links. After: the
    // import whose link has it (invalid when none has, which is then a fault).
    QString quotedHead;
    QDateTime quotedHeadAt;

    bool sound() const { return problems.isEmpty(); }
};

// One audit as the archive keeps it, with what a report tells of it.
struct KeptAudit
{
    qint64 id = 0;
    int visit = 0;
    QString kind;
    QDateTime downloaded; // wall-clock reading, zone-less
    QDateTime imported;
    QString importedBy;
    QString importedHost;
    QString sha256; // as recorded at its import
    QByteArray content;
};

class Archive
{
public:
    // The schema this program writes; an archive of a later one is refused.
    static constexpr int SchemaVersion = 2;

    enum class OpenMode {
        Create,   // for what adds: a missing archive is made
        Existing, // for what only reads: a missing archive is refused
    };

    Archive();
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // Opens, creating or upgrading the schema inside one transaction. `location` is a file path or
    // a postgresql:// URL. False with a message that names the archive (never its password).
    bool open(const QString& location, OpenMode mode = OpenMode::Create);
    bool isOpen() const { return m_open; }
    // The last failure, for the user, and its kind.
    QString errorString() const { return m_error; }
    ArchiveFailure failure() const { return m_failure; }
    // What opening did that the user should hear of once (an upgrade); empty for nothing.
    QString notice() const { return m_notice; }
    // The location as it may be shown: a URL without its password.
    QString displayName() const { return m_displayName; }
    bool isServer() const;
    // The last failure was a server that could not be reached, or went away: worth trying again.
    bool unreachable() const { return m_failure == ArchiveFailure::Unreachable; }

    // Adds one audit given as the bytes of an audit file: the audit, its lock and the lock's
    // joined history. The join is worked out first and written in one short transaction; on
    // SQLite a busy archive is waited for, backing off, up to a minute.
    ImportReport import(const QByteArray& auditFile, AuditKind kind);

    bool locks(QVector<LockSummary>* out);
    // The serial number of the lock `text` names: its serial number, or else its exact name
    // (trailing padding aside). False with errorString() for none, or a name two locks share.
    bool findLock(const QString& text, QString* serial);
    // False with errorString() when the lock is not there or its history cannot be read.
    bool history(const QString& serial, LockHistory* out);
    // The newest archived events of a lock's lock device, oldest first (none when it is unknown).
    bool newestLockEvents(const QString& serial, int count, QVector<HistoryEvent>* out);
    // The matching events of every lock, newest first.
    bool search(const SearchQuery& query, QVector<FoundEvent>* out);
    // verify() below, its faults and the number of audits alone.
    bool verify(QVector<ArchiveProblem>* problems, int* audits = nullptr);

    // ---- Evidence: what the archive holds checked against the audits it keeps, and those audits
    // given back as they were imported.

    // Opens an existing archive of this version for reading only: nothing is ever written, not
    // even to a damaged file or an empty database, and an archive of an earlier version is
    // refused rather than upgraded.
    bool openReadOnly(const QString& location);
    // In one consistent reading: every kept audit's bytes against their SHA-256 and that they
    // still decode; the chain link by link from the first import; and every lock's stored history,
    // its searchable events and its summary against what joining its audits again, in their
    // import order, gives. False only when the archive cannot be read at all.
    bool verify(ArchiveSoundness* out);
    // The chain's head now: the hash of the last link (ChainStart() when there is none).
    bool chainHead(QString* head);
    // Every kept audit of the lock `serial`, by visit, with its bytes unless `content` is false.
    // False with errorString() for a lock the archive does not hold.
    bool keptAudits(const QString& serial, QVector<KeptAudit>* out, bool content = true);

    // Called inside an import's transaction just before it commits; a test kills the process there.
    static void (*beforeCommit)();
    // How long a SQLite writer waits for the others before the audit is queued; tests shorten it.
    static int busyWaitMs;

    // A lock's directory of people, and the users logs kept with it; the lock is named by its serial
    // number, and one the archive does not hold is refused. A change is worked out on the directory
    // as it stands inside its one write transaction, so that changes of one lock never cross; a
    // refused change leaves everything as it was, its reason in errorString(). `after`, when given,
    // receives the directory as stored.
    // The tenures; with `unnamed`, also the users the latest visit's configuration installed or
    // disabled whom no tenure names on that visit's day (UnnamedUsers).
    bool people(const QString& serial, Tenures* tenures, QVector<int>* unnamed = nullptr);
    bool setTenure(const QString& serial, const Tenure& tenure, Tenures* after = nullptr);
    bool removeTenure(const QString& serial, int user, const QDate& from, Tenures* after = nullptr);
    // The lock's named tenures replaced by a listing read back (ImportPeople): all of it or nothing.
    bool importPeople(const QString& serial, const QByteArray& csv, const PeopleVocabulary& vocabulary,
                      Tenures* after = nullptr);
    // Keeps the users log records (the first 104 of 8 bytes) the lock gave at `downloadedAt`.
    bool keepUsersLog(const QString& serial, const QDateTime& downloadedAt, const QByteArray& records);
    // The installation days per slot of the lock's latest users log; none without one.
    bool installationDays(const QString& serial, QMap<int, QDate>* out);
    // Every installation day the lock's kept users logs give, per slot: each day once, the latest
    // day first; none without a users log.
    bool installationDayHistory(const QString& serial, QMap<int, QVector<QDate>>* out);

    // ---- Findings: the team's opening hours, closed days and thresholds, and the findings of its
    // locks judged lock by lock where the data is (ArchiveFindings.cpp). A stored value that no
    // longer reads counts as its default; every change is one transaction.
    bool defaultHours(OpeningHours* out);
    bool setDefaultHours(const OpeningHours& hours);
    // The hours a lock (serial number) is judged by; `own` tells whether they are its own.
    bool lockHours(const QString& serial, OpeningHours* out, bool* own = nullptr);
    // Gives a lock hours of its own, or with null takes it back to the default.
    bool setLockHours(const QString& serial, const OpeningHours* hours);
    // The locks with hours of their own, by serial number.
    bool ownHours(QVector<QPair<QString, OpeningHours>>* out);
    bool closedDays(ClosedDays* out);
    bool addClosedDays(const QVector<QDate>& days);
    // Removes none unless every one of them is a closed day.
    bool removeClosedDays(const QVector<QDate>& days);
    bool findingThresholds(FindingThresholds* out);
    bool setFindingThresholds(const FindingThresholds& thresholds);
    // Whether this connection may change the hours, closed days and thresholds: false with
    // errorString() and failure() ReadOnly when it may only read them. Nothing is changed.
    bool mayChangeRules();
    // What a lock is judged by: its hours, the closed days and the thresholds; every finding wanted.
    bool findingRules(const QString& serial, FindingRules* out);
    // The findings of the locks asked, by serial number, each lock's history read and judged on its
    // own so that only findings are ever kept. `progress` hears (locks done, locks) after each lock
    // and stops the work by returning false, which fails with an empty errorString().
    bool findings(const FindingsQuery& query, QVector<LockFindings>* out,
                  const std::function<bool(int, int)>& progress = {});

private:
    bool changePeople(const QString& serial, const std::function<PeopleChange(const Tenures&)>& change, Tenures* after);
    bool readTenures(qint64 lock, Tenures* out);
    // Every lock's tenures by lock id, for outputs that span locks; a lock without any is absent.
    bool readAllTenures(QHash<qint64, Tenures>* out);
    bool readTenuresOf(const qint64* lock, QHash<qint64, Tenures>* out);
    bool notOpen();

private:
    // Verification reads through the archive's own statements.
    friend class ArchiveVerifier;
    // The findings' own: the settings table read whole, and rows written in one transaction.
    bool readSettings(QHash<QString, QString>* out);
    bool writeSettings(const QVector<QPair<QString, QString>>& values);

    friend class ArchiveTransaction;
    struct LockState;
    struct Prepared;

    bool fail(const QString& message, ArchiveFailure failure = ArchiveFailure::Other);
    bool failQuery(const QSqlQuery& query);
    // Runs a statement with the server's answer bounded in time.
    bool exec(QSqlQuery& query);
    bool exec(QSqlQuery& query, const QString& sql);
    bool run(QSqlQuery& query, const QString& sql, const QVariantList& values);
    bool migrate();
    bool upgradeFrom1();
    bool createSchema();
    bool beginWrite();
    bool readLockState(const QByteArray& serial, LockState* state);
    bool readHistory(qint64 lock, int device, DeviceHistory* out);
    // The newest pieces of the locks' device histories, read in one statement: the pieces whole, or
    // only their last `events` events where the piece is one long run.
    struct HistoryTails;
    bool readHistoryTails(const QVector<qint64>& locks, int events, QHash<qint64, HistoryTails>* out);
    bool numberFound(QVector<FoundEvent>& found, const QVector<qint64>& locks);
    // Each event's person, from its own lock's directory.
    bool namePersons(QVector<FoundEvent>& found, const QVector<qint64>& locks);
    // The archive's id of the lock `serial` (its row locked for the transaction when `forUpdate`);
    // false, saying so, when the archive holds no such lock.
    bool heldLock(QSqlQuery& q, const QString& serial, bool forUpdate, qint64* lock);
    bool readNewest(qint64 lock, int device, int count, HistoryRun* tail, int* chunk, bool* whole);
    bool writeHistory(qint64 lock, int device, const DeviceHistory& history, int fromChunk, const HistoryRun* tail);
    ImportReport importOnce(const QByteArray& auditFile, AuditKind kind, const Prepared& prepared, bool* retry);

    std::unique_ptr<SqlBackend> m_backend;
    std::unique_ptr<ServerWatchdog> m_watchdog;
    QString m_connection;
    QString m_displayName;
    QString m_error;
    QString m_notice;
    ArchiveFailure m_failure = ArchiveFailure::None;
    bool m_open = false;
};

// The findings of one lock's history as the archive and the window judge them: presented as an
// audit (HistoryAsAudit), corrected with `dst` when given, Not visited judged at `at`. False with
// the reason when the latest visit's audit no longer reads.
bool JudgeLockHistory(const LockHistory& history, const FindingRules& rules, const QDate& at, const DstRule* dst,
                      QVector<Finding>* out, QString* error);

// A lock's text as kept: any byte of it survives, on either engine.
QByteArray StoredText(const QString& text);
QString FromStoredText(const QByteArray& stored);
