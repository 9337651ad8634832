#include "view/EventFilter.h"

#include <QStringList>

QString DateKey(const QString& dateText)
{
    const QStringList parts = dateText.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return parts.isEmpty() ? QString() : parts.first();
}
