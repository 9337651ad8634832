#pragma once

#include <QFont>
#include <QHash>
#include <QSizeF>
#include <QString>
#include <QTextOption>
#include <QStringList>
#include <QVector>

#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;
class QTextDocument;
class QTextLayout;

// A body of rich text around one long table: the HTML before the table's rows (its header row
// included), the rows as plain cell texts, and the HTML from the table's end on.
struct BodyTable
{
    QString before;
    QString tableStart;         // the table's opening tag, for a page that continues it
    QStringList columnWidths;   // each column's width attribute, e.g. "4%"
    QVector<QStringList> rows;  // plain texts, escaped where they go into HTML
    QString after;

    // The whole body as one HTML text.
    QString html() const;
};

// Lays a body table out a page at a time, the same page for page as the whole body laid out as
// one document, in a fraction of its time and memory: a page of plain one-line rows is drawn
// from the geometry of a page that Qt laid out, any other page is laid out by Qt as a document of
// its own. Whatever the fast way cannot be sure of falls back to the whole body as one document.
class PagedBody
{
public:
    // `pageSize` is the size of the body's part of a page, in the units of `device`.
    PagedBody(const BodyTable& table, QPaintDevice* device, const QSizeF& pageSize);
    ~PagedBody();
    PagedBody(const PagedBody&) = delete;
    PagedBody& operator=(const PagedBody&) = delete;

    int pageCount() const { return m_pages.size(); }
    // Paints page `page` (from 1) with the painter's origin at the top left of the body's part.
    void paint(QPainter* painter, int page);

private:
    struct Page
    {
        int document = -1;  // index into m_documents, or -1 for rows drawn from the geometry
        int documentPage = 0;
        int firstRow = 0;
    };

    // A document laid out as the whole body is; one of table rows only breaks its texts as the
    // whole table does.
    QTextDocument* makeDocument(const QString& html, bool rowsOnly = false);
    // How the table of a document broke its texts, laid out.
    QTextOption::WrapMode tableWrapMode(QTextDocument& document) const;
    QString rowsHtml(int first, int count, bool withWidths) const;
    // Whether every column keeps the share of the width its header gives it, whatever the rows
    // hold: only then does a page of its own lay out as the same page of the whole body.
    bool learnColumns();
    // Rows of the table that the document's first page holds; -1 when it cannot tell.
    int rowsOnFirstPage(QTextDocument& document, int candidates) const;
    bool learnGeometry(QTextDocument& document, int rows);
    bool learnTemplate();
    // Takes the pages of the last document made, up to the last one that ends between two rows and
    // is followed by more of them; returns how many rows they hold, or -1.
    int takeCleanPages(QTextDocument& document, int firstRow, int candidates);
    bool fitsOneLine(int row) const;
    QTextLayout* layout(int column, const QString& text) const;
    qreal minimumWidth(int column, const QString& text) const;
    void paginate();
    void wholeBody();

    const BodyTable& m_table;
    QPaintDevice* m_device;
    QSizeF m_pageSize;
    std::vector<std::unique_ptr<QTextDocument>> m_documents;
    QVector<Page> m_pages;

    // Where a page of one-line rows puts its texts, as Qt laid out such a page.
    int m_rowsPerPage = 0;
    QVector<qreal> m_rowY;
    QVector<qreal> m_columnX;
    QVector<qreal> m_lineWidth;
    QVector<QFont> m_fonts;
    QTextOption::WrapMode m_wrapMode = QTextOption::WrapAtWordBoundaryOrAnywhere;
    mutable QHash<QString, QTextLayout*> m_layouts;
};
