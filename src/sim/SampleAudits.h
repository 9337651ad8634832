#pragma once

#include "sim/AuditBuilder.h"

#include <QDateTime>

// The sample audits of one bank branch, drawn from a fixed seed so that they come out the same
// every time. They stand in for a real lock in the sample files, the lock simulator, the
// benchmark and the tests.

// VAULT1, the main vault: installed on 4 March 2024 and downloaded over the bus a year later,
// about 2800 events. `downloaded` receives the computer's time of that download.
BusAuditBuilder MainVaultBusAudit(QDateTime* downloaded = nullptr);

// VAULT2, the night safe: read with a Dallas audit key on 17 March 2025, about fifteen weeks
// of keypad and lock events.
DallasImageBuilder NightSafeDallasImage();
