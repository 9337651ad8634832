#pragma once

#include "model/AuditRecords.h"

#include <QList>

// Audit types of the AuditType setting.
constexpr int FullAudit = 0;
constexpr int SimpleAudit = 1;

// Merges the keypad events into the lock events. Both inputs run newest first; the lock
// events keep their order, and each keypad event lands before the first older lock event
// after the previous insertion. Events with time 0 never serve as insertion points.
// A keypad event that finds no older lock event goes to the end, so none is lost.
QList<EventsTable> MergeEvents(const QList<EventsTable>& lockEvents, const QList<EventsTable>& keypadEvents);

// A full audit (0) leaves the list untouched. Any other type drops the code entries that
// go with a user or time-delay change, a lock reset with its code entry and command
// events with their follower, then numbers the events from 1.
void FilterEvents(QList<EventsTable>& merged, int auditType);

// Numbers the events from 1, in their order.
void NumberEvents(QList<EventsTable>& events);
