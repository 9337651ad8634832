// Feeds arbitrary bytes to the version-file parser: the update server's reply is network input.

#include "update/UpdateVersion.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

using namespace UpdateVersion;

static void Require(bool condition)
{
    if (!condition)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(qMin(size, size_t(INT_MAX))));
    const Segments version = Parse(text);

    // Digits without leading zeros, which read back the same when written out.
    QByteArray written;
    for (const QByteArray& segment : version) {
        Require(Parse(segment) == Segments { segment });
        written += (written.isEmpty() ? "" : ".") + segment;
    }
    Require(Parse(written) == version);

    // A true order, against the program's version and between the two halves of the input.
    Require(IsNewer(text) == (Compare(version, Parse(Program().toLatin1())) > 0) && Compare(version, version) == 0);
    const Segments first = Parse(text.left(text.size() / 2)), second = Parse(text.mid(text.size() / 2));
    Require(Compare(first, second) == -Compare(second, first));
    return 0;
}
