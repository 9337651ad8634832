#include "model/EventColumns.h"

#include "model/EventRows.h"

#include <QCoreApplication>

#include <cmath>

namespace {

constexpr int AllFaces = SingleAuditFace | HistoryFace | SearchFace;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;

QString numberText(const ShownEvent& e, const EventTexts&)
{
    return e.number > 0 ? QString::number(e.number) : QString();
}
QString deviceText(const ShownEvent& e, const EventTexts& t) { return t.device(e.device); }
QString dateText(const ShownEvent& e, const EventTexts& t) { return t.date(e.time); }
QString dstDateText(const ShownEvent& e, const EventTexts& t) { return t.date(e.dstTime); }
QString userText(const ShownEvent& e, const EventTexts& t) { return t.user(e.event, e.user); }
QString personText(const ShownEvent& e, const EventTexts&) { return e.person; }
QString eventText(const ShownEvent& e, const EventTexts& t) { return t.event(e.event, e.user); }
QString eventIdText(const ShownEvent& e, const EventTexts&) { return QString::number(e.event); }
QString visitText(const ShownEvent& e, const EventTexts&) { return QString::number(e.visit); }
qint64 numberValue(const ShownEvent& e) { return e.number; }
qint64 timeValue(const ShownEvent& e) { return e.time; }
qint64 dstTimeValue(const ShownEvent& e) { return e.dstTime; }
qint64 eventIdValue(const ShownEvent& e) { return e.event; }
qint64 visitValue(const ShownEvent& e) { return e.visit; }

const QVector<EventColumnTraits>& table()
{
    // The widths of a single audit's workbook and PDF are the ones its reports always had.
    static const QVector<EventColumnTraits> columns = {
        { EventColumn::Number, QT_TRANSLATE_NOOP("MainWindow", "#"), AllFaces, false, CellKind::Number, Left, 40, 5, 4,
          4, numberText, numberValue },
        { EventColumn::Device, QT_TRANSLATE_NOOP("MainWindow", "Device"), AllFaces, false, CellKind::Text, Left, 110,
          30, 8, 8, deviceText, nullptr },
        { EventColumn::Date, QT_TRANSLATE_NOOP("MainWindow", "Date"), AllFaces, false, CellKind::DateTime, Left, 150,
          30, 18, 16, dateText, timeValue },
        { EventColumn::DstDate, QT_TRANSLATE_NOOP("MainWindow", "Date with DST"), AllFaces, true, CellKind::DateTime,
          Left, 150, 30, 0, 16, dstDateText, dstTimeValue },
        { EventColumn::User, QT_TRANSLATE_NOOP("MainWindow", "User"), AllFaces, false, CellKind::Text, Left, 150, 30,
          14, 14, userText, nullptr },
        { EventColumn::Person, QT_TRANSLATE_NOOP("MainWindow", "Person"), HistoryFace | SearchFace, false,
          CellKind::Text, Left, 150, 30, 14, 12, personText, nullptr },
        { EventColumn::Event, QT_TRANSLATE_NOOP("MainWindow", "Event"), AllFaces, false, CellKind::Text, Left, 470, 70,
          46, 32, eventText, nullptr },
        { EventColumn::EventId, QT_TRANSLATE_NOOP("MainWindow", "Event ID"), AllFaces, false, CellKind::Number, Left,
          80, 15, 10, 10, eventIdText, eventIdValue },
        { EventColumn::Visit, QT_TRANSLATE_NOOP("MainWindow", "Visit"), HistoryFace | SearchFace, false,
          CellKind::Number, Left, 60, 8, 5, 5, visitText, visitValue },
    };
    return columns;
}

} // namespace

ShownEvent ShownEventOf(const EventsTable& e)
{
    ShownEvent s;
    s.number = e.rowNumber.toLongLong();
    s.time = e.time;
    s.dstTime = e.dstTime;
    s.event = e.event;
    s.user = e.user;
    s.device = e.device;
    s.visit = e.visit;
    s.dstMarked = e.dstMarked;
    return s;
}

const QVector<EventColumnTraits>& EventColumnTable()
{
    return table();
}

const EventColumnTraits& EventColumnOf(EventColumn column)
{
    // Each column's place in the table, found once: a cell is found without a search.
    static const QVector<int> places = [] {
        QVector<int> at(table().size(), -1);
        for (int i = 0; i < table().size(); ++i)
            at[int(table()[i].id)] = i;
        return at;
    }();
    const EventColumnTraits& traits = table()[places[int(column)]];
    Q_ASSERT(traits.id == column);
    return traits;
}

QVector<EventColumn> EventColumnsOf(EventFace face, bool dstShown)
{
    QVector<EventColumn> columns;
    for (const EventColumnTraits& traits : table())
        if ((traits.faces & face) && (dstShown || !traits.dstOnly))
            columns.append(traits.id);
    return columns;
}

QStringList EventColumnHeaders(const QVector<EventColumn>& columns)
{
    QStringList headers;
    for (EventColumn c : columns)
        headers << QCoreApplication::translate("MainWindow", EventColumnOf(c).header);
    return headers;
}

QStringList EventColumnHeaders()
{
    return EventColumnHeaders(EventColumnsOf(SingleAuditFace));
}

int EventColumnIndex(const QVector<EventColumn>& columns, EventColumn column)
{
    return int(columns.indexOf(column));
}

QStringList EventColumnPdfWidths(const QVector<EventColumn>& columns, bool dstApplied)
{
    QVector<int> shares;
    int total = 0;
    for (EventColumn c : columns) {
        const EventColumnTraits& traits = EventColumnOf(c);
        shares << (dstApplied ? traits.pdfPercentWithDst : traits.pdfPercent);
        total += shares.last();
    }
    // Scaled by the largest remainders, so the widths stay whole and still add up to 100.
    QVector<int> widths(shares.size());
    QVector<double> remainders(shares.size());
    int given = 0;
    for (int i = 0; i < shares.size(); ++i) {
        const double exact = total > 0 ? 100.0 * shares[i] / total : 0;
        widths[i] = int(std::floor(exact));
        remainders[i] = exact - widths[i];
        given += widths[i];
    }
    for (; total > 0 && given < 100; ++given) {
        int best = 0;
        for (int i = 1; i < remainders.size(); ++i)
            if (remainders[i] > remainders[best])
                best = i;
        ++widths[best];
        remainders[best] = -1;
    }
    QStringList out;
    for (int w : widths)
        out << QString::number(w) + QLatin1Char('%');
    return out;
}

QString EventCellText(EventColumn column, const ShownEvent& event, const EventTexts& texts)
{
    return EventColumnOf(column).text(event, texts);
}

bool DstHighlighted(const ShownEvent& event, const EventTexts& texts, bool dstApplied)
{
    return dstApplied && (event.dstMarked || texts.date(event.dstTime).isEmpty());
}
