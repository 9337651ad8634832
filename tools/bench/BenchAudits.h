#pragma once

#include "sim/AuditBuilder.h"

// The audits every figure is measured on: a Dallas key filled to its end and a bus audit at
// the download's 5600-event limit, with a realistic mix of codes.
LockDescription BenchLock(DelayEncoding delays);
// Newest first, a mix of codes that the simple audit filters. The wrapping mix has an option
// change every thirteen events, whose long names wrap in the PDF report.
enum class Mix { Usual, Wrapping };
QVector<AuditEntry> BenchEntries(int count, qint64 newest, Mix mix = Mix::Usual);
// A lock's history as the archive hands it over: lock and keypad events, newest first.
DecodedAudit BenchHistory(int events, Mix mix = Mix::Usual);
// Keypad and lock blocks of 100 events in turn, then lock events to the end of the key.
DallasImageBuilder FullDallasImage();
BusAuditBuilder FullBusAudit();
