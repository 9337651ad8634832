#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// Version numbers as the update server writes them: dot-separated non-negative integers.
namespace UpdateVersion {

// Segments as digit strings without leading zeros, so no number is too long to compare.
using Segments = QVector<QByteArray>;

// This program's version.
QString Program();

// The leading run of dot-separated integers of `text`, read up to its first NUL byte; anything after the
// run is ignored. Empty when the text does not start with a digit.
Segments Parse(const QByteArray& text);

// Negative, zero or positive as `a` is older than, the same as or newer than `b`. Segments compare
// numerically from the left; when one is a prefix of the other, the longer is the newer.
int Compare(const Segments& a, const Segments& b);

// True only when the version file's text names a version strictly newer than this program's.
bool IsNewer(const QByteArray& versionFileText);

} // namespace UpdateVersion
