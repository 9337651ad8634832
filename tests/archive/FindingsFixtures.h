#pragma once

// A lock's week with something to find in it, for the findings' archive and command-line tests.

#include "ArchiveFixtures.h"

namespace archivefixtures {

// From Monday 2025-01-06: a duress opening, a night opening, five wrong codes five minutes apart,
// and openings on Wednesday and Saturday mornings; downloaded that Sunday at 12:05.
inline LockLife Week(const QByteArray& serial, const QByteArray& name)
{
    LockLife life;
    life.serial = serial;
    life.name = name;
    const auto add = [&](qint64 at, EventCode e, int user = 3) {
        life.lockEvents.append({ at, quint8(code(e)), quint8(user) });
    };
    add(fixtures::At(2025, 1, 6, 8, 0), EventCode::BoltOpen);
    add(fixtures::At(2025, 1, 6, 9, 0), EventCode::SilentAlarmCode, 4);
    add(fixtures::At(2025, 1, 6, 22, 0), EventCode::BoltOpen);
    for (int k = 0; k < 5; ++k)
        add(fixtures::At(2025, 1, 7, 10, 5 * k), EventCode::WrongTry, 0);
    add(fixtures::At(2025, 1, 8, 10, 0), EventCode::BoltOpen);
    add(fixtures::At(2025, 1, 11, 10, 0), EventCode::BoltOpen);
    life.now = fixtures::At(2025, 1, 12, 12, 0);
    return life;
}

} // namespace archivefixtures
