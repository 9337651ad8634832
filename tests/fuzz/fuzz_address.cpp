// Feeds arbitrary text to the archive's address parser: --archive, CORVANE_AUDIT_ARCHIVE and
// Settings.ini are typed by people. Whatever it accepts, the name it shows carries no password.

#include "ArchiveLocation.h"

#include <QUrl>

#include <climits>
#include <cstdint>
#include <cstdlib>

static void Require(bool condition)
{
    if (!condition)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(qMin(size, size_t(INT_MAX))));
    for (const QString& location : { text, QStringLiteral("postgresql://") + text }) {
        ArchiveAddress address;
        QString error;
        const bool ok = ParseArchiveAddress(location, &address, &error);
        Require(ok || !error.isEmpty()); // a refusal always says why
        if (!ok || !address.server)
            continue;
        Require(address.port > 0 && address.port <= 65535 && !address.host.isEmpty() && !address.database.isEmpty());
        // The shown name, read back as a URL, carries neither a password nor the options.
        const QUrl shown(address.display);
        Require(shown.password().isEmpty() && !shown.hasQuery());
        Require(!address.connectOptions.contains(QLatin1String(";;")));
    }
    return 0;
}
