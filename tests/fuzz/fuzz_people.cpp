// A listing of people as anyone may write it, read back as a lock's directory. Whatever the reader
// accepts is a sound directory: every tenure stands on its own, no two of one user overlap, each
// is found again on its first day; and its listing, blank rows and all, reads back to the same
// directory and lists again byte for byte. Whatever it refuses, it refuses whole, by line.

#include "model/People.h"

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
    // English only: the fuzzer has no catalogues beside it.
    static const PeopleVocabulary vocabulary;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(qMin(size, size_t(INT_MAX))));
    const PeopleChange imported = ImportPeople(bytes, vocabulary);
    if (!imported.ok()) {
        Require(imported.tenures.isEmpty() && imported.error.startsWith(QLatin1String("line ")));
        return 0;
    }

    const Tenures& directory = imported.tenures;
    const PeopleIndex index(directory);
    for (int k = 0; k < directory.size(); ++k) {
        const Tenure& t = directory.at(k);
        Require(TenureError(t).isEmpty());
        Require(t.person == PersonName(t.person));
        if (k > 0) {
            const Tenure& before = directory.at(k - 1);
            Require(before.user < t.user || (before.user == t.user && !before.isOpen() && before.until < t.from));
        }
        const Tenure* found = index.covering(t.user, t.from);
        Require(found && *found == t);
    }

    // Blank rows for some users, named or not: a listing as the program writes it.
    QVector<int> unnamed = { 1, 60, 81 };
    if (!directory.isEmpty())
        unnamed << directory.first().user << directory.last().user;
    const QByteArray listing = PeopleCsv(PeopleTextTable(directory, unnamed));
    const PeopleChange again = ImportPeople(listing, vocabulary);
    Require(again.ok());
    Require(again.tenures == directory);
    Require(PeopleCsv(PeopleTextTable(again.tenures, unnamed)) == listing);
    return 0;
}
