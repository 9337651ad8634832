#pragma once

// A Config with every field of the configuration and status byte maps set to a value the
// lock can hold, and a field-by-field comparison for round trips through the builders.

#include "AuditRecords.h"

#include <QtTest>

inline Config SampleConfig()
{
    Config c;
    // Modes and statuses differ between neighbours sharing a byte, so swapped nibbles show.
    const struct { int user; quint8 mode; quint8 status; } users[] = {
        { 1, 3, 1 }, { 2, 1, 2 }, { 3, 2, 3 }, { 58, 2, 1 }, { 59, 1, 3 },
        { 60, 3, 2 }, { 61, 2, 1 }, { 62, 1, 3 }, { 80, 2, 3 }, { 81, 3, 1 },
    };
    for (const auto& u : users) {
        c.openingMode[u.user] = u.mode;
        c.userStatus[u.user] = u.status;
    }
    c.ercEnabled = true;
    c.usersDualMode = true;
    c.overrideDualMode = false;
    c.firstOverrideUser = 40;
    c.codeExpirationMonths = 6;
    c.codeDisablingMonths = 12;
    c.timedClosing = true;
    c.closingTimeSeconds = 8;
    c.boltOpenAlarmMinutes = 15;
    c.inputConfiguration = 1;
    c.outputConfiguration = 2;
    c.buzzerMuted = true;
    c.dateFormatUs = true;
    c.managerManagement = true;
    c.activeConfiguration = 3;
    c.timeDelay = 45;
    c.openWindow = 12;
    c.silentAlarm = true;
    c.overrideUsers = true;
    c.preSetup = false;
    return c;
}

// Compares the fields the byte maps carry. Call through QVERIFY(...) on the result.
inline bool SameMappedFields(const Config& a, const Config& b)
{
    for (int user = 0; user < UserSlots; ++user) {
        if (a.openingMode[user] != b.openingMode[user] || a.userStatus[user] != b.userStatus[user]) {
            qWarning("user %d: mode %d/%d status %d/%d", user, a.openingMode[user], b.openingMode[user],
                     a.userStatus[user], b.userStatus[user]);
            return false;
        }
    }
#define CHECK_FIELD(f) \
    if (a.f != b.f) { qWarning("%s: %d != %d", #f, int(a.f), int(b.f)); return false; }
    CHECK_FIELD(ercEnabled)
    CHECK_FIELD(usersDualMode)
    CHECK_FIELD(overrideDualMode)
    CHECK_FIELD(firstOverrideUser)
    CHECK_FIELD(codeExpirationMonths)
    CHECK_FIELD(codeDisablingMonths)
    CHECK_FIELD(timedClosing)
    CHECK_FIELD(closingTimeSeconds)
    CHECK_FIELD(boltOpenAlarmMinutes)
    CHECK_FIELD(inputConfiguration)
    CHECK_FIELD(outputConfiguration)
    CHECK_FIELD(buzzerMuted)
    CHECK_FIELD(dateFormatUs)
    CHECK_FIELD(managerManagement)
    CHECK_FIELD(activeConfiguration)
    CHECK_FIELD(timeDelay)
    CHECK_FIELD(openWindow)
    CHECK_FIELD(silentAlarm)
    CHECK_FIELD(overrideUsers)
    CHECK_FIELD(preSetup)
#undef CHECK_FIELD
    return true;
}
