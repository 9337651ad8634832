#pragma once

#include "model/AuditRecords.h"
#include "model/AuditView.h"
#include "model/History.h"
#include "model/People.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// What the archive tells of its locks, as plain values: a lock's summary, its visits and joined
// history, and the events a search finds; with the tables they are shown as.

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
    // The lock's directory of people, which names the person of each event shown.
    Tenures people;

    int visitOf(qint64 audit) const;
};

// The history as an audit to present: every event with its visit and stretch, and the
// configuration, users and clock settings of the latest visit. False with a reason when the
// latest visit's audit no longer reads.
// The latest visit's audit alone, decoded: its configuration, users and clock settings.
bool DecodeLatest(const LockHistory& history, DecodedAudit* audit, bool* busAudit, QString* error);
bool HistoryAsAudit(const LockHistory& history, DecodedAudit* out, bool* busAudit, QString* error);
// What HistoryAsAudit puts over the latest visit's audit: every event with its visit and stretch,
// and the span of the visits. The rest of `out` stays as it is.
void PutHistoryEvents(const LockHistory& history, DecodedAudit* out);

// The history presented as its outputs show it, its events held compactly (see ShownHistory): the
// events of every visit, or with `latestVisitOnly` of the latest alone, merged, filtered,
// numbered and, as the options ask, corrected; the configuration, users and clock settings of the
// latest visit. False with a reason when the latest visit's audit no longer reads.
bool PresentHistory(const LockHistory& history, const PresentationOptions& options, bool latestVisitOnly,
                    AuditView* view, QString* error);

// Names the people of a lock's history as presented, from its directory: each event's person
// (PeopleIndex::person) and each user's on the latest visit's download day. A directory that names
// nobody leaves the view without people, as a single audit is.
void NamePeople(AuditView& view, const Tenures& directory);

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
    // The event's number in its lock's history, as the history's "#" shows it (1 for the newest of
    // the full history); 0 when the archive did not tell.
    qint64 number = 0;
    // From the event's own lock's directory of people (PeopleIndex::person); null for none.
    QString person;
};

// "Serial number", "Lock name", then the search's event columns: the export's, "Person" after
// "User", and "Visit".
QVector<EventColumn> SearchColumns();
// Where an event column stands in the search's table.
int SearchColumnOf(EventColumn column);
// The search's table; "#" is each event's number in its lock's history.
TextTable SearchTextTable(const QVector<FoundEvent>& found, const DisplaySettings& display);
// The same table as CSV through `write`, a row at a time.
bool WriteSearchCsv(const QVector<FoundEvent>& found, const DisplaySettings& display,
                    const std::function<bool(const QByteArray&)>& write);

// A lock's text as shown and as looked for: without the padding (blanks, NUL bytes) a lock leaves
// around a text shorter than its field. The archive keeps the text whole; a serial number is kept
// as shown, for it is the lock's key.
QString ShownLockText(const QString& text);
