#pragma once

#include "archive/Archive.h"
#include "model/ReportContent.h"

// What a lock's history report carries besides its events, as `archive history` and the window's
// exports write it: first the lock's findings over the history shown, last the evidence of its
// visits with the archive's chain head. One reading for both, so that they never disagree.
struct HistoryProof
{
    LockFindings findings;
    HistoryEvidence evidence;

    // "Findings" before the report's sections, "Evidence" after them.
    void addTo(ReportContent& content, const DisplaySettings& display) const;
};

// The proof of the history `shown` (its lock, visits and people as the archive gave them when it
// was read) whose events to judge (FindingEventsOf) are `events`; its device histories are not
// needed. The findings are judged on those events by the archive's rules now, Not visited at
// `at`. Each visit's record is read again and must be the one
// shown (a history read before the archive changed keeps its own visits and numbers); the chain
// head is read last, so that it covers every visit. False with the reason.
bool ReadHistoryProof(Archive& archive, const LockHistory& shown, const QVector<FindingEvent>& events, const QDate& at,
                      HistoryProof* out, QString* error);
// The same for a history read whole, its events corrected with `dst` when given.
bool ReadHistoryProof(Archive& archive, const LockHistory& history, const QDate& at, const DstRule* dst,
                      HistoryProof* out, QString* error);
