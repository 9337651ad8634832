#include "PagedBody.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

namespace {

// Below this many rows the whole body is laid out at once: paging would save nothing.
constexpr int WholeBodyRows = 150;
// Rows given to a page's own document beyond what a page of one-line rows holds.
constexpr int SpareRows = 6;
// Texts made once and drawn again; unique texts (dates) make it grow, so it is cleared now and then.
constexpr int MaxLayouts = 4096;

QTextTable* firstTable(QTextDocument& document)
{
    for (QTextFrame* frame : document.rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame))
            return table;
    return nullptr;
}

} // namespace

QString BodyTable::html() const
{
    QString out = before;
    out.reserve(before.size() + after.size() + rows.size() * 200);
    for (const QStringList& row : rows) {
        out += QLatin1String("<tr>");
        for (const QString& cell : row)
            out += QLatin1String("<td>") + cell.toHtmlEscaped() + QLatin1String("</td>");
        out += QLatin1String("</tr>");
    }
    return out + after;
}

PagedBody::PagedBody(const BodyTable& table, QPaintDevice* device, const QSizeF& pageSize)
    : m_table(table), m_device(device), m_pageSize(pageSize)
{
    if (table.rows.size() < WholeBodyRows)
        wholeBody();
    else
        paginate();
}

PagedBody::~PagedBody()
{
    qDeleteAll(m_layouts);
}

QTextDocument* PagedBody::makeDocument(const QString& html, bool rowsOnly)
{
    // As the whole body is made: the layout's device and page first, then the text.
    auto document = std::make_unique<QTextDocument>();
    if (rowsOnly) {
        QTextOption option = document->defaultTextOption();
        option.setWrapMode(m_wrapMode);
        document->setDefaultTextOption(option);
    }
    document->setUseDesignMetrics(true);
    document->documentLayout()->setPaintDevice(m_device);
    document->setPageSize(m_pageSize);
    document->setDocumentMargin(0);
    document->setHtml(html);
    QTextFrameFormat format = document->rootFrame()->frameFormat();
    if (format.margin() != 0) {
        format.setMargin(0);
        document->rootFrame()->setFrameFormat(format);
    }
    m_documents.push_back(std::move(document));
    return m_documents.back().get();
}

QString PagedBody::rowsHtml(int first, int count, bool withWidths) const
{
    QString out;
    out.reserve(count * 200);
    for (int r = first; r < first + count && r < m_table.rows.size(); ++r) {
        out += QLatin1String("<tr>");
        const QStringList& row = m_table.rows.at(r);
        for (int c = 0; c < row.size(); ++c) {
            // A page that continues the table keeps its columns: the widths go on its first row.
            if (withWidths && r == first && c < m_table.columnWidths.size())
                out += QLatin1String("<td width=\"") + m_table.columnWidths.at(c) + QLatin1String("\">");
            else
                out += QLatin1String("<td>");
            out += row.at(c).toHtmlEscaped() + QLatin1String("</td>");
        }
        out += QLatin1String("</tr>");
    }
    return out;
}

qreal PagedBody::minimumWidth(int column, const QString& text) const
{
    // As Qt measures a cell: laid out with no limit to its width.
    QTextLayout measure(text, m_fonts.value(column), m_device);
    QTextOption option;
    option.setUseDesignMetrics(true);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    measure.setTextOption(option);
    measure.beginLayout();
    QTextLine line = measure.createLine();
    if (line.isValid())
        line.setLineWidth(1e9);
    measure.endLayout();
    return measure.minimumWidth();
}

bool PagedBody::learnColumns()
{
    // The header alone gives each column its share of the width, and the rows' font.
    QTextDocument* header = makeDocument(m_table.before + QLatin1String("</table>"));
    QTextTable* table = firstTable(*header);
    const int columns = m_table.rows.first().size();
    if (!table || table->columns() != columns || table->rows() < 1)
        return false;
    header->pageCount(); // laid out
    QStringList widest;
    for (int c = 0; c < columns; ++c) {
        const QTextBlock block = table->cellAt(table->rows() - 1, c).firstCursorPosition().block();
        if (!block.layout() || block.layout()->lineCount() < 1)
            return false;
        m_lineWidth << block.layout()->lineAt(0).width();
        QFont font = block.charFormat().font();
        font.setBold(false);
        m_fonts << font;
        widest << QString();
    }
    // Qt widens a column for a text that cannot be broken within its share, and then every column
    // of the whole table moves: the widest text of each column, laid out with the header, must
    // leave the shares as they are.
    QVector<qreal> minimum(columns, -1);
    QHash<QString, bool> seen;
    for (const QStringList& row : m_table.rows) {
        for (int c = 0; c < columns && c < row.size(); ++c) {
            const QString key = QString::number(c) + QLatin1Char('\t') + row.at(c);
            if (seen.contains(key))
                continue;
            seen.insert(key, true);
            const qreal width = minimumWidth(c, row.at(c));
            if (width > minimum[c]) {
                minimum[c] = width;
                widest[c] = row.at(c);
            }
        }
    }
    QString widestRow = QStringLiteral("<tr>");
    for (const QString& text : widest)
        widestRow += QLatin1String("<td>") + text.toHtmlEscaped() + QLatin1String("</td>");
    widestRow += QLatin1String("</tr>");
    QTextDocument* probe = makeDocument(m_table.before + widestRow + QLatin1String("</table>"));
    table = firstTable(*probe);
    if (!table || table->columns() != columns)
        return false;
    probe->pageCount();
    // A table whose columns overflow the page, by a rounding at least, is laid out again with its
    // texts broken anywhere: so is every page of it then.
    const QTextLayout* probed = table->cellAt(table->rows() - 1, 0).firstCursorPosition().block().layout();
    if (!probed)
        return false;
    m_wrapMode = probed->textOption().wrapMode();
    for (int c = 0; c < columns; ++c) {
        const QTextLayout* cell = table->cellAt(table->rows() - 1, c).firstCursorPosition().block().layout();
        if (!cell || cell->lineCount() < 1 || cell->lineAt(0).width() != m_lineWidth.at(c))
            return false;
    }
    return true;
}

QTextOption::WrapMode PagedBody::tableWrapMode(QTextDocument& document) const
{
    document.pageCount(); // laid out
    QTextTable* table = firstTable(document);
    const QTextLayout* cell = table ? table->cellAt(table->rows() - 1, 0).firstCursorPosition().block().layout() : nullptr;
    return cell ? cell->textOption().wrapMode() : QTextOption::ManualWrap;
}

int PagedBody::rowsOnFirstPage(QTextDocument& document, int candidates) const
{
    QTextTable* table = firstTable(document);
    if (!table || table->rows() < candidates)
        return -1;
    const int skip = table->rows() - candidates; // the header row of the first page
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (int r = 0; r < candidates; ++r) {
        const QTextBlock block = table->cellAt(skip + r, 0).firstCursorPosition().block();
        if (layout->blockBoundingRect(block).top() >= m_pageSize.height())
            return r;
    }
    return candidates;
}

bool PagedBody::learnGeometry(QTextDocument& document, int rows)
{
    QTextTable* table = firstTable(document);
    if (!table || rows < 2 || table->rows() < rows)
        return false;
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const int columns = m_table.rows.first().size();
    if (table->columns() != columns)
        return false;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const QTextBlock block = table->cellAt(r, c).firstCursorPosition().block();
            const QTextLayout* cell = block.layout();
            if (!cell || cell->lineCount() != 1 || cell->textOption().wrapMode() != m_wrapMode)
                return false;
            const QTextLine line = cell->lineAt(0);
            const QPointF at = layout->blockBoundingRect(block).topLeft() + line.position();
            // The columns came out as wide as in the whole body.
            if (line.width() != m_lineWidth.at(c))
                return false;
            if (r == 0)
                m_columnX << at.x();
            else if (at.x() != m_columnX.at(c))
                return false;
            if (c == 0)
                m_rowY << at.y();
            // The texts must come out of this class's own layouts as they came out of Qt's.
            const QTextLine mine = this->layout(c, block.text())->lineAt(0);
            if (mine.naturalTextWidth() != line.naturalTextWidth() || block.charFormat().font() != m_fonts.at(c))
                return false;
        }
    }
    m_rowsPerPage = rows;
    return true;
}

QTextLayout* PagedBody::layout(int column, const QString& text) const
{
    const QString key = QString::number(column) + QLatin1Char('\t') + text;
    if (QTextLayout* known = m_layouts.value(key))
        return known;
    if (m_layouts.size() >= MaxLayouts) {
        qDeleteAll(m_layouts);
        m_layouts.clear();
    }
    auto* made = new QTextLayout(text, m_fonts.value(column), m_device);
    QTextOption option;
    option.setUseDesignMetrics(true);
    option.setWrapMode(m_wrapMode);
    made->setTextOption(option);
    made->beginLayout();
    QTextLine line = made->createLine();
    if (line.isValid()) {
        line.setLineWidth(m_lineWidth.value(column));
        line.setPosition(QPointF(0, 0));
        // A second line means the text wraps.
        made->createLine();
    }
    made->endLayout();
    m_layouts.insert(key, made);
    return made;
}

bool PagedBody::fitsOneLine(int row) const
{
    const QStringList& cells = m_table.rows.at(row);
    if (cells.size() != m_lineWidth.size())
        return false;
    for (int c = 0; c < cells.size(); ++c) {
        // Qt gives an empty cell the height of a line as well; a line break would make two.
        if (cells.at(c).contains(QLatin1Char('\n')) || cells.at(c).contains(QChar::LineSeparator))
            return false;
        if (layout(c, cells.at(c))->lineCount() != 1)
            return false;
    }
    return true;
}

void PagedBody::wholeBody()
{
    m_documents.clear();
    m_pages.clear();
    QTextDocument* document = makeDocument(m_table.html());
    for (int p = 0; p < document->pageCount(); ++p)
        m_pages.append({ 0, p, 0 });
}

int PagedBody::takeCleanPages(QTextDocument& document, int firstRow, int candidates)
{
    QTextTable* table = firstTable(document);
    if (!table || table->rows() < candidates)
        return -1;
    const int skip = table->rows() - candidates; // the header row of the first page
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const qreal height = m_pageSize.height();
    // The pages each row's lines fall on: a row may begin on one page and end on the next.
    QVector<int> starts(candidates), ends(candidates);
    for (int r = 0; r < candidates; ++r) {
        qreal top = 1e300, bottom = -1e300;
        for (int c = 0; c < table->columns(); ++c) {
            const QTextBlock block = table->cellAt(skip + r, c).firstCursorPosition().block();
            const QTextLayout* cell = block.layout();
            if (!cell || cell->lineCount() < 1)
                return -1;
            const qreal y = layout->blockBoundingRect(block).top();
            top = qMin(top, y + cell->lineAt(0).y());
            const QTextLine last = cell->lineAt(cell->lineCount() - 1);
            bottom = qMax(bottom, y + last.y() + last.height());
        }
        starts[r] = int(top / height);
        ends[r] = int((bottom - 1e-6) / height);
    }
    // The pages taken end where no row crosses from one page to the next, and what follows the
    // last of them is in this document too, so that each page taken is whole.
    const int pages = document.pageCount();
    int taken = -1;
    for (int p = 0; p < pages; ++p) {
        bool clean = false, followed = false;
        for (int r = 0; r < candidates; ++r) {
            if (starts[r] <= p && ends[r] > p) {
                clean = false;
                followed = false;
                break;
            }
            clean = true;
            followed = followed || starts[r] > p;
        }
        if (clean && followed)
            taken = p;
    }
    if (taken < 0)
        return -1;
    const int index = int(m_documents.size()) - 1;
    int next = candidates;
    for (int r = 0; r < candidates; ++r) {
        if (starts[r] > taken) {
            next = r;
            break;
        }
    }
    for (int p = 0; p <= taken; ++p)
        m_pages.append({ index, p, firstRow });
    return next;
}

bool PagedBody::learnTemplate()
{
    // Where a page of plain rows puts its texts does not depend on the texts: one plain row of the
    // table, repeated over more than a page, shows it.
    int plain = -1;
    for (int r = 0; r < m_table.rows.size() && plain < 0; ++r)
        if (fitsOneLine(r))
            plain = r;
    if (plain < 0)
        return false;
    const int run = 100;
    QString html = m_table.tableStart;
    html.reserve(run * 200);
    const QString row = rowsHtml(plain, 1, false);
    html += rowsHtml(plain, 1, true);
    for (int k = 1; k < run; ++k)
        html += row;
    QTextDocument* sample = makeDocument(html + QLatin1String("</table>"), true);
    const int onFirst = rowsOnFirstPage(*sample, run);
    const bool learnt = onFirst > 1 && onFirst < run && learnGeometry(*sample, onFirst);
    m_documents.pop_back();
    return learnt;
}

void PagedBody::paginate()
{
    const int total = m_table.rows.size();
    if (!learnColumns())
        return wholeBody();
    m_documents.clear();
    if (!learnTemplate())
        return wholeBody();

    // The first pages, as the whole body begins.
    int candidates = qMin(total, 2 * m_rowsPerPage + SpareRows);
    QTextDocument* first = makeDocument(m_table.before + rowsHtml(0, candidates, false) + QLatin1String("</table>"));
    if (tableWrapMode(*first) != m_wrapMode)
        return wholeBody();
    int next = takeCleanPages(*first, 0, candidates);
    if (next <= 0 || next >= candidates)
        return wholeBody();

    const QString start = m_table.tableStart;
    while (next < total) {
        const int left = total - next;
        if (left <= m_rowsPerPage + SpareRows) {
            // The last rows and all that follows the table, paged by Qt.
            const int index = int(m_documents.size());
            QTextDocument* tail = makeDocument(start + rowsHtml(next, left, true) + m_table.after);
            if (tail->pageCount() < 1 || tableWrapMode(*tail) != m_wrapMode)
                return wholeBody();
            for (int p = 0; p < tail->pageCount(); ++p)
                m_pages.append({ index, p, next });
            return;
        }
        bool plain = true;
        for (int r = next; r < next + m_rowsPerPage && plain; ++r)
            plain = fitsOneLine(r);
        if (plain) {
            m_pages.append({ -1, 0, next });
            next += m_rowsPerPage;
            continue;
        }
        // Pages with a taller row are laid out by Qt, as many as it takes to end cleanly.
        candidates = qMin(left - 1, 2 * m_rowsPerPage + SpareRows);
        makeDocument(start + rowsHtml(next, candidates, true) + QLatin1String("</table>"), true);
        const int taken = takeCleanPages(*m_documents.back(), next, candidates);
        if (taken <= 0)
            return wholeBody();
        next += taken;
    }
}

void PagedBody::paint(QPainter* painter, int page)
{
    if (page < 1 || page > m_pages.size())
        return;
    const Page& p = m_pages.at(page - 1);
    if (p.document >= 0) {
        QTextDocument* document = m_documents.at(size_t(p.document)).get();
        const qreal height = m_pageSize.height();
        painter->save();
        painter->translate(0, -p.documentPage * height);
        document->drawContents(painter, QRectF(0, p.documentPage * height, m_pageSize.width(), height));
        painter->restore();
        return;
    }
    for (int k = 0; k < m_rowsPerPage; ++k) {
        const QStringList& cells = m_table.rows.at(p.firstRow + k);
        for (int c = 0; c < cells.size(); ++c)
            layout(c, cells.at(c))->draw(painter, QPointF(m_columnX.at(c), m_rowY.at(k)));
    }
}
