#pragma once

#include "reports/TableFlow.h"

#include <QFont>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTextOption>
#include <QVector>

#include <functional>
#include <memory>

struct CellText;
class CellTexts;
class QPaintDevice;
class QPainter;
class QTextDocument;
class QTextTable;

// A body of rich text around one long table: the HTML before the table's rows (ending with its
// one header row, whose cells carry the width attributes of `columnWidths`), the rows as plain
// cell texts, and the HTML from the table's end on.
struct BodyTable
{
    QString before;
    QString tableStart;         // the table's opening tag, for a page that continues it
    QStringList columnWidths;   // each column's width attribute, e.g. "4%"
    // The rows come from a source: how many, and the plain texts of row i (escaped where they go
    // into HTML). Rows are asked for mostly in order, but any row may be asked for again.
    int rowCount = 0;
    std::function<QStringList(int)> row;
    QString after;

    // Rows held in a vector.
    void setRows(const QVector<QStringList>& rows);
    // Gives the columns other width attributes, in the header row as well; false, with nothing
    // changed, when the header row does not hold the present ones.
    bool setColumnWidths(const QStringList& widths);
    // Row i with one text per column, each one paragraph.
    QStringList cells(int i) const;
    // The whole body as one HTML text, for small bodies.
    QString html() const;
};

// Lays a body table out a page at a time, the same page for page as the whole body laid out as
// one document, with time and memory that grow with the pages only. Each distinct cell text is
// laid out once; the pages of rows are worked out from the lines those texts take, as Qt's layout
// works them out, and drawn from their glyphs. Qt lays out the page the table begins on and the
// pages from the last one that begins with a whole row, and the body is checked against them.
// A column whose widest word does not fit its share of the width is widened, taking the width
// from columns that have room to spare.
class PagedBody
{
public:
    // `pageSize` is the size of the body's part of a page, in the units of `device`.
    PagedBody(const BodyTable& table, QPaintDevice* device, const QSizeF& pageSize);
    ~PagedBody();
    PagedBody(const PagedBody&) = delete;
    PagedBody& operator=(const PagedBody&) = delete;

    int pageCount() const { return m_pageCount; }
    // Paints page `page` (from 1) with the painter's origin at the top left of the body's part.
    void paint(QPainter* painter, int page);
    // The columns' width attributes the body was laid out with.
    QStringList columnWidths() const { return m_widths; }
    // Whether the body was laid out as one document (a small body, or one this class cannot page).
    bool asOneDocument() const { return m_whole != nullptr; }

private:
    struct PageStart
    {
        int row;        // the first row with a line on the page
        Fixed position; // where that row would begin before Qt moves it to a page
    };
    struct Stats
    {
        qreal widestLine = 0; // of the texts that take one line
        QString widestLineText;
        qreal widestWord = 0; // of the texts that take more
        QString widestWordText;
        bool narrow = false;  // a word wider than the column
    };
    enum class Pass { Done, Narrow, Unsupported };

    std::unique_ptr<QTextDocument> makeDocument(const QString& html) const;
    QString rowsHtml(int first, int count, bool withWidths) const;
    // The table's measures from Qt's layout of its header and an empty row, checked by laying
    // both out here.
    bool learnFrame();
    bool learnTable(QTextDocument& document, QTextTable* table);
    // Every row placed, each page's first row noted. With `stopWhenNarrow`, a column too narrow
    // for a word stops the placing, and the rest only measures the widest texts.
    Pass flow(bool stopWhenNarrow);
    void note(int column, const QString& text, qreal natural, qreal minimum);
    // Row `row` (-1: an empty one) placed as Qt places it below `position`: m_rowTexts and m_tops.
    bool placeRow(int row, Fixed position, TableFlow::Row* place);
    // New shares for the columns too narrow for a word, taken from the others.
    bool widen();
    bool checkColumns(QTextOption::WrapMode* mode);
    // Whether Qt laid out `count` rows from `first` in `document` as they are placed here, the
    // document's pages `pageShift` pages after the body's.
    bool checkRows(QTextDocument& document, int first, int count, Fixed position, qint64 pageShift);
    bool paginate();
    bool arrangePages();
    void wholeBody();
    void paintDocumentPage(QPainter* painter, QTextDocument* document, int page) const;
    void paintRows(QPainter* painter, qint64 page);

    const BodyTable& m_table;
    QPaintDevice* m_device;
    QSizeF m_pageSize;
    int m_columns = 0;
    QString m_before;
    QStringList m_widths;
    int m_pageCount = 0;
    std::unique_ptr<QTextDocument> m_whole;

    // Learnt from Qt's layout of the table's beginning.
    TableFlow m_flow;
    Fixed m_firstRowPosition; // of the first row below the header
    QVector<qreal> m_columnX;
    QVector<qreal> m_lineWidth;
    QVector<QFont> m_fonts;
    QVector<Fixed> m_horizontalPadding;
    QTextOption m_option;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    Qt::LayoutDirection m_direction = Qt::LayoutDirectionAuto;
    std::unique_ptr<CellTexts> m_texts;

    // The pages: Qt's pages of the table's beginning, the pages of rows, Qt's pages of the end.
    std::unique_ptr<QTextDocument> m_head;
    std::unique_ptr<QTextDocument> m_tail;
    qint64 m_headerPage = 0;   // the last page drawn from the beginning
    qint64 m_tailPage = 0;     // the first page drawn from the end
    QVector<PageStart> m_starts; // of the pages after the header's
    QVector<Stats> m_stats;

    // The row being placed: its texts, as laid out, and their lines' tops.
    QStringList m_rowCells;
    QVector<const CellText*> m_rowTexts;
    QVector<QVector<Fixed>> m_tops;
    QVector<TableFlow::Cell> m_cells;
    // A page's glyphs by face, and a cell's lines' tops, as it is painted.
    QVector<QVector<quint32>> m_pageGlyphs;
    QVector<QVector<QPointF>> m_pagePositions;
    QVector<qreal> m_lineTops;
};
