#include "reports/TableFlow.h"

qint64 LayoutPage(Fixed y, Fixed pageHeight)
{
    if (pageHeight.v <= 0)
        return 0;
    const bool negative = y.v < 0;
    const qint64 a = negative ? -y.v : y.v;
    const qint64 quotient = ((a << 6) + (pageHeight.v >> 1)) / pageHeight.v;
    return (negative ? -quotient : quotient) >> 6;
}

qint64 DrawnPage(Fixed y, Fixed pageHeight)
{
    if (pageHeight.v <= 0)
        return 0;
    const qint64 page = y.v / pageHeight.v;
    return y.v < 0 && page * pageHeight.v != y.v ? page - 1 : page;
}

Fixed TableFlow::placeCell(int column, Fixed frameY, const LineRoom* lines, int count, Fixed* tops) const
{
    const Fixed marginTop = cellPageTop[column];
    const Fixed marginBottom = cellPageBottom[column];
    const qint64 page = LayoutPage(frameY, pageHeight);
    Fixed bottomOfPage = (page + 1) * pageHeight - marginBottom;
    Fixed y = qMax(Fixed(), page * pageHeight + marginTop - frameY);
    const Fixed room = pageHeight - marginBottom - marginTop;
    Fixed bottom;
    for (int i = 0; i < count; ++i) {
        // A line that would cross the page's end goes to the next page, unless no page holds it.
        while (frameY + y + lines[i].bottom > bottomOfPage && room >= lines[i].bottom) {
            bottomOfPage += pageHeight;
            y = qMax(y, bottomOfPage - pageHeight + marginBottom + marginTop - frameY);
        }
        tops[i] = y;
        bottom = y + lines[i].bottom;
        y += lines[i].height;
    }
    return qMax(y, bottom);
}

TableFlow::Row TableFlow::placeRow(Fixed position, const Cell* cells, int columns) const
{
    const qint64 page = LayoutPage(position + tableY, pageHeight);
    const Fixed bottomOfPage = (page + 1) * pageHeight - pageBottom - tableY;
    const Fixed topOfPage = page * pageHeight + pageTop - tableY;
    const Fixed nextPageTop = topOfPage + pageHeight;
    if (position > bottomOfPage)
        position = nextPageTop;
    else if (position < topOfPage)
        position = topOfPage;

    Row row{ position, Fixed() };
    for (bool mayDrop = true;; mayDrop = false) {
        bool drop = columns > 0;
        row.height = Fixed();
        for (int c = 0; c < columns; ++c) {
            const Cell& cell = cells[c];
            const Fixed y = placeCell(c, tableY + row.position + topPadding[c], cell.lines, cell.count, cell.tops);
            row.height = qMax(row.height, (y + bottomPadding[c] + topPadding[c]).round());
            // The first line's top: an empty cell has a line too.
            const Fixed first = cell.count > 0 ? cell.tops[0] : Fixed();
            if (row.position + topPadding[c] + first < bottomOfPage)
                drop = false;
        }
        // A row none of whose cells begins on this page goes whole to the next one.
        if (!drop || !mayDrop)
            return row;
        row.position = nextPageTop;
    }
}
