#include "archive/HistoryProof.h"

#include "archive/ArchiveInternal.h"

#include <QHash>

using namespace archive;

void HistoryProof::addTo(ReportContent& content, const DisplaySettings& display) const
{
    content.sections.prepend(FindingsSection(findings, display));
    content.sections.append(EvidenceSection(evidence, display));
}

bool ReadHistoryProof(Archive& archive, const LockHistory& shown, const QVector<FindingEvent>& events, const QDate& at,
                      HistoryProof* out, QString* error)
{
    FindingRules rules;
    QVector<KeptAudit> records;
    if (!archive.findingRules(shown.serial, &rules) || !archive.keptAudits(shown.serial, &records, false)) {
        *error = archive.errorString();
        return false;
    }
    QHash<qint64, const KeptAudit*> byId;
    for (const KeptAudit& a : records)
        byId.insert(a.id, &a);
    HistoryProof proof;
    proof.evidence.serial = shown.serial;
    proof.evidence.visits.reserve(shown.visits.size());
    for (const Visit& v : shown.visits) {
        const KeptAudit* kept = byId.value(v.audit);
        // The record a report quotes is the archive's own, and the visit it shows.
        if (!kept || kept->sha256.toLatin1() != v.sha256) {
            *error = Text::tr("The archive no longer holds visit %1 of lock %2 as it was shown: open the history again.")
                         .arg(v.number)
                         .arg(shown.serial);
            return false;
        }
        Visit e = v;
        e.kind = kept->kind;
        e.downloaded = kept->downloaded;
        e.imported = kept->imported;
        e.importedBy = kept->importedBy;
        e.importedHost = kept->importedHost;
        proof.evidence.visits.append(e);
    }
    proof.findings = { shown.serial, shown.name,
                       JudgeHistory(events, LatestVisitOf(shown), at, rules), shown.people };
    // Read after the history: the chain reaches every visit the report shows.
    if (!archive.chainHead(&proof.evidence.chainHead)) {
        *error = archive.errorString();
        return false;
    }
    *out = std::move(proof);
    return true;
}

bool ReadHistoryProof(Archive& archive, const LockHistory& history, const QDate& at, const DstRule* dst,
                      HistoryProof* out, QString* error)
{
    // The latest visit's clock settings correct the history's events; they are judged as compactly
    // as a history is shown.
    DecodedAudit latest;
    bool busAudit = false;
    return DecodeLatest(history, &latest, &busAudit, error)
        && ReadHistoryProof(archive, history, FindingEventsOf(history, latest.timeDateTable, dst), at, out, error);
}
