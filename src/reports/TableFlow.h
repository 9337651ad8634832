#pragma once

#include <QVector>
#include <QtGlobal>

// Where Qt's rich-text layout puts the rows of a long table on pages, worked out the way it works
// it out: in 64ths of a device unit, with its roundings, so that a page laid out here is the page
// Qt lays out. Only what a table of text cells needs: no spanning cells, no borders collapsed, no
// header rows repeated, cells aligned at their top.

// A length as Qt's layout keeps it (64ths of a device unit). Wider than Qt's own, so that the
// pages of a long report never overflow.
struct Fixed
{
    qint64 v = 0;

    // Truncated towards zero, as Qt converts.
    static Fixed fromReal(qreal r) { return { qint64(r * 64) }; }
    static Fixed fromInt(int i) { return { qint64(i) * 64 }; }
    qreal toReal() const { return qreal(v) / 64; }
    Fixed round() const { return { (v + 32) & ~qint64(63) }; }

    Fixed operator+(Fixed o) const { return { v + o.v }; }
    Fixed operator-(Fixed o) const { return { v - o.v }; }
    Fixed& operator+=(Fixed o) { v += o.v; return *this; }
    bool operator==(Fixed o) const { return v == o.v; }
    bool operator!=(Fixed o) const { return v != o.v; }
    bool operator<(Fixed o) const { return v < o.v; }
    bool operator>(Fixed o) const { return v > o.v; }
    bool operator<=(Fixed o) const { return v <= o.v; }
    bool operator>=(Fixed o) const { return v >= o.v; }
};

inline Fixed operator*(qint64 n, Fixed f) { return { n * f.v }; }
inline Fixed qMax(Fixed a, Fixed b) { return a < b ? b : a; }

// The page `y` is on as Qt's layout decides it: the quotient rounded to a 64th, then truncated.
qint64 LayoutPage(Fixed y, Fixed pageHeight);
// The page `y` is drawn on.
qint64 DrawnPage(Fixed y, Fixed pageHeight);

// How one line of a cell takes room (Qt's line height, bottom and break height).
struct LineRoom
{
    Fixed height;  // the advance to the next line
    Fixed bottom;  // where the line ends below its top
};

// The table's measures that decide its pages, in the layout's units. Margins of a cell's page are
// those its lines keep from the page's top and bottom.
struct TableFlow
{
    Fixed pageHeight;
    Fixed tableY;       // the table's top in the document
    Fixed rowGap;       // from one row's end to the next row's top
    Fixed pageTop;      // a row's top on a page, below the page's top, less the table's top in its page
    Fixed pageBottom;   // what a page keeps below its last row
    QVector<Fixed> topPadding, bottomPadding;        // per column
    QVector<Fixed> cellPageTop, cellPageBottom;      // per column

    // One cell at `frameY` (its content's top in the document): the height its lines take, and
    // each line's top below the cell's content top.
    Fixed placeCell(int column, Fixed frameY, const LineRoom* lines, int count, Fixed* tops) const;

    struct Cell
    {
        const LineRoom* lines;
        int count;
        Fixed* tops; // filled, `count` of them
    };
    struct Row
    {
        Fixed position; // the row's top in the table
        Fixed height;
    };
    // A row whose top would be at `position` (the previous row's end and the gap), moved to the
    // next page where Qt moves it. `cells` has one entry a column.
    Row placeRow(Fixed position, const Cell* cells, int columns) const;
    // The top of a cell's line in the document.
    Fixed lineTop(const Row& row, int column, Fixed top) const { return tableY + row.position + topPadding[column] + top; }
};
