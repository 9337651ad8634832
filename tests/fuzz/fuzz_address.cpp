// Feeds the archive's address parser what people type (--archive, CORVANE_AUDIT_ARCHIVE,
// Settings.ini): arbitrary text, and addresses whose password (in its place or as an option) is
// written in letters no other part uses, with "@", "/", ":", "?" and "#" among them. Whatever the
// shape, no letter of the password reaches a message or the name shown, raw or percent-encoded.

#include "archive/ArchiveLocation.h"

#include <QUrl>

#include <climits>
#include <cstdint>
#include <cstdlib>

static void Require(bool condition)
{
    if (!condition)
        abort();
}

// The password's own letters: Greek capitals, which nothing else here writes.
static const QString Secret = QStringLiteral("\u0394\u0398\u039B\u039E\u03A0\u03A3\u03A6\u03A8\u03A9");

static bool Leaks(const QString& text)
{
    for (QChar c : Secret)
        if (text.contains(c))
            return true;
    // Greek capitals as UTF-8 start with 0xCE or 0xCF.
    return text.contains(QLatin1String("%CE"), Qt::CaseInsensitive) || text.contains(QLatin1String("%CF"), Qt::CaseInsensitive);
}

static void Check(const QString& location, bool withSecret)
{
    ArchiveAddress address;
    QString error;
    const bool ok = ParseArchiveAddress(location, &address, &error);
    Require(ok || !error.isEmpty()); // a refusal always says why
    if (withSecret)
        Require(!Leaks(error) && (!ok || !Leaks(address.display)));
    if (!ok || !address.server)
        return;
    Require(address.port > 0 && address.port <= 65535 && !address.host.isEmpty() && !address.database.isEmpty());
    // The shown name, read back as a URL, carries neither a password nor the options.
    const QUrl shown(address.display);
    Require(shown.password().isEmpty() && !shown.hasQuery());
    Require(!address.connectOptions.contains(QLatin1String(";;")));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(qMin(size, size_t(INT_MAX))));
    const QString text = QString::fromUtf8(bytes);
    Check(text, false);
    Check(QStringLiteral("postgresql://") + text, false);

    // The input's bytes split into the parts of an address; the password's bytes choose among its
    // letters and the characters that end a URL's parts.
    const QList<QByteArray> parts = bytes.split('\n');
    const auto part = [&](int k) {
        QString s = QString::fromLatin1(parts.value(k));
        for (QChar& c : s)
            if (Secret.contains(c))
                c = QLatin1Char('x');
        return s;
    };
    QString password;
    for (char c : parts.value(1)) {
        const QString structure = QStringLiteral("@/:?#%&=");
        const int k = quint8(c);
        password += k % 3 == 0 ? structure.at(k / 3 % structure.size()) : Secret.at(k % Secret.size());
    }
    if (password.isEmpty())
        password = Secret.left(2);
    const QString user = part(0), host = part(2), rest = part(3);
    Check(QStringLiteral("postgresql://%1:%2@%3%4").arg(user, password, host, rest), true);
    Check(QStringLiteral("postgres://%1:%2@%3").arg(user, password, rest), true);
    Check(QStringLiteral("postgresql://%1@%2%3?password=%4").arg(user, host, rest, password), true);
    Check(QStringLiteral("postgresql://%1@%2%3?sslmode=require&password=%4&connect_timeout=3").arg(user, host, rest, password),
          true);
    return 0;
}
