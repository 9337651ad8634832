#include "update/UpdateVersion.h"

#include "update/UpdateDefaults.h"

namespace UpdateVersion {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int compareSegment(const QByteArray& a, const QByteArray& b)
{
    // Without leading zeros a longer digit string is a larger number.
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return qstrcmp(a, b);
}

} // namespace

QString Program()
{
    return QStringLiteral(CORVANE_PROGRAM_VERSION);
}

Segments Parse(const QByteArray& text)
{
    Segments segments;
    const int end = text.indexOf('\0') < 0 ? text.size() : text.indexOf('\0');
    int i = 0;
    while (i < end && isDigit(text.at(i))) {
        int start = i;
        while (i < end && isDigit(text.at(i)))
            ++i;
        int firstSignificant = start;
        while (firstSignificant < i - 1 && text.at(firstSignificant) == '0')
            ++firstSignificant;
        segments.append(text.mid(firstSignificant, i - firstSignificant));
        // A dot continues the run only when a digit follows it.
        if (i + 1 < end && text.at(i) == '.' && isDigit(text.at(i + 1)))
            ++i;
        else
            break;
    }
    return segments;
}

int Compare(const Segments& a, const Segments& b)
{
    const int common = qMin(a.size(), b.size());
    for (int i = 0; i < common; ++i) {
        if (const int c = compareSegment(a.at(i), b.at(i)))
            return c < 0 ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool IsNewer(const QByteArray& versionFileText)
{
    return Compare(Parse(versionFileText), Parse(Program().toLatin1())) > 0;
}

} // namespace UpdateVersion
