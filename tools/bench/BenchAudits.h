#pragma once

#include "AuditBuilder.h"

// The audits every figure is measured on: a Dallas key filled to its end and a bus audit at
// the download's 5600-event limit, with a realistic mix of codes.
LockDescription BenchLock(DelayEncoding delays);
// Newest first, a mix of codes that the simple audit filters.
QVector<AuditEntry> BenchEntries(int count, qint64 newest);
// Keypad and lock blocks of 100 events in turn, then lock events to the end of the key.
DallasImageBuilder FullDallasImage();
BusAuditBuilder FullBusAudit();
