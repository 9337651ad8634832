#pragma once

#include <QString>

// The date part of a "Date" cell: its first blank-separated part, or empty. The date filter
// offers and matches these.
QString DateKey(const QString& dateText);
