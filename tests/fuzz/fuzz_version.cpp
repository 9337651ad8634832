// Feeds arbitrary bytes to the version-file parser: the update server's reply is network input.

#include "UpdateVersion.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace {

void Require(bool condition)
{
    if (!condition)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace UpdateVersion;
    const QByteArray text =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(std::min(size, size_t(INT_MAX))));
    const Segments version = Parse(text);

    // Digits only, without leading zeros, and written back they read the same.
    QByteArray written;
    for (const QByteArray& segment : version) {
        Require(!segment.isEmpty() && (segment.size() == 1 || segment.at(0) != '0'));
        Require(std::all_of(segment.begin(), segment.end(), [](char c) { return c >= '0' && c <= '9'; }));
        written += (written.isEmpty() ? "" : ".") + segment;
    }
    Require(Parse(written) == version);

    // A true order against the program's version and between the two halves of the input.
    const Segments program = Parse(Program().toLatin1());
    Require(IsNewer(text) == (Compare(version, program) > 0));
    Require(Compare(version, version) == 0);
    const Segments first = Parse(text.left(text.size() / 2)), second = Parse(text.mid(text.size() / 2));
    Require(Compare(first, second) == -Compare(second, first));
    return 0;
}
