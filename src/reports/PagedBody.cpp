#include "reports/PagedBody.h"

#include "reports/CellTexts.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QtMath>

namespace {

// Below this many rows the whole body is laid out at once: paging would save nothing.
constexpr int WholeBodyRows = 150;
// A widened column's room beyond its widest word, in device units: shares are rounded.
constexpr qreal WidenedSpare = 4;

QTextTable* firstTable(QTextDocument& document)
{
    for (QTextFrame* frame : document.rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame))
            return table;
    return nullptr;
}

// The resolution Qt's text layout takes CSS pixels at.
int layoutDpi()
{
    if (QCoreApplication::testAttribute(Qt::AA_Use96Dpi))
        return 96;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 75;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return qRound(screen->logicalDotsPerInchY());
    return 100;
}

// The top left of a block's layout in the document.
QPointF layoutOrigin(QTextDocument& document, const QTextBlock& block)
{
    return document.documentLayout()->blockBoundingRect(block).topLeft() - block.layout()->boundingRect().topLeft();
}

QVector<LineRoom> roomsOf(const QTextLayout& layout)
{
    QVector<LineRoom> rooms;
    for (int i = 0; i < layout.lineCount(); ++i)
        rooms << CellTexts::roomOf(layout.lineAt(i));
    return rooms;
}

// A share of the width ("4%", "12.5%") in hundredths of a per cent; -1 for anything else.
int hundredths(const QString& width)
{
    if (!width.endsWith(QLatin1Char('%')))
        return -1;
    bool ok = false;
    const double value = width.left(width.size() - 1).trimmed().toDouble(&ok);
    return ok && value >= 0 && value <= 100 ? qRound(value * 100) : -1;
}

QString percentOf(int hundredths)
{
    QString number = QString::number(hundredths / 100) + QLatin1Char('.')
        + QStringLiteral("%1").arg(hundredths % 100, 2, 10, QLatin1Char('0'));
    while (number.endsWith(QLatin1Char('0')))
        number.chop(1);
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    return number + QLatin1Char('%');
}

} // namespace

void BodyTable::setRows(const QVector<QStringList>& rows)
{
    rowCount = rows.size();
    row = [rows](int i) { return rows.value(i); };
}

QStringList BodyTable::cells(int i) const
{
    QStringList out = row ? row(i) : QStringList();
    // A paragraph separator would split its cell in two paragraphs: it shows as the white space
    // it is anywhere else.
    for (QString& text : out)
        if (text.contains(QChar::ParagraphSeparator))
            text.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    if (!columnWidths.isEmpty()) {
        while (out.size() < columnWidths.size())
            out << QString();
        out.erase(out.begin() + columnWidths.size(), out.end());
    }
    return out;
}

bool BodyTable::setColumnWidths(const QStringList& widths)
{
    // The header row's cells carry the widths, in the order of the columns.
    if (widths.size() != columnWidths.size())
        return false;
    QString header = before;
    int at = header.lastIndexOf(QLatin1String("<tr"), -1, Qt::CaseInsensitive);
    if (at < 0)
        return false;
    for (int c = 0; c < widths.size(); ++c) {
        const QString was = QLatin1String("width=\"") + columnWidths.at(c) + QLatin1Char('"');
        const QString now = QLatin1String("width=\"") + widths.at(c) + QLatin1Char('"');
        at = header.indexOf(was, at, Qt::CaseInsensitive);
        if (at < 0)
            return false;
        header.replace(at, was.size(), now);
        at += now.size();
    }
    before = header;
    columnWidths = widths;
    return true;
}

QString BodyTable::html() const
{
    QString out = before;
    out.reserve(before.size() + after.size() + rowCount * 200);
    for (int i = 0; i < rowCount; ++i) {
        out += QLatin1String("<tr>");
        for (const QString& cell : cells(i))
            out += QLatin1String("<td>") + cell.toHtmlEscaped() + QLatin1String("</td>");
        out += QLatin1String("</tr>");
    }
    return out + after;
}

PagedBody::PagedBody(const BodyTable& table, QPaintDevice* device, const QSizeF& pageSize)
    : m_table(table), m_device(device), m_pageSize(pageSize), m_columns(table.columnWidths.size()),
      m_before(table.before), m_widths(table.columnWidths)
{
    if (table.rowCount < WholeBodyRows || m_columns == 0 || !paginate())
        wholeBody();
}

PagedBody::~PagedBody() = default;

std::unique_ptr<QTextDocument> PagedBody::makeDocument(const QString& html) const
{
    // As the whole body is made: the layout's device and page first, then the text.
    auto document = std::make_unique<QTextDocument>();
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
    return document;
}

QString PagedBody::rowsHtml(int first, int count, bool withWidths) const
{
    QString out;
    out.reserve(count * 200);
    for (int r = first; r < first + count && r < m_table.rowCount; ++r) {
        out += QLatin1String("<tr>");
        const QStringList cells = m_table.cells(r);
        for (int c = 0; c < cells.size(); ++c) {
            // A page that continues the table keeps its columns: the widths go on its first row.
            if (withWidths && r == first)
                out += QLatin1String("<td width=\"") + m_widths.at(c) + QLatin1String("\">");
            else
                out += QLatin1String("<td>");
            out += cells.at(c).toHtmlEscaped() + QLatin1String("</td>");
        }
        out += QLatin1String("</tr>");
    }
    return out;
}

bool PagedBody::learnFrame()
{
    // The header and an empty row: the columns as the shares give them, and where rows go.
    QString empty = QStringLiteral("<tr>");
    for (int c = 0; c < m_columns; ++c)
        empty += QLatin1String("<td></td>");
    empty += QLatin1String("</tr></table>");
    const std::unique_ptr<QTextDocument> document = makeDocument(m_before + empty);
    QTextTable* table = firstTable(*document);
    if (!table || table->columns() != m_columns || table->rows() != 2)
        return false;
    document->pageCount(); // laid out
    return learnTable(*document, table);
}

bool PagedBody::learnTable(QTextDocument& document, QTextTable* table)
{
    const QTextTableFormat format = table->format();
    if (format.borderCollapse() || format.headerRowCount() > 0 || m_pageSize.height() <= 0)
        return false;
    // Lengths as the layout takes them: CSS pixels at the layout's resolution, most rounded.
    const qreal scale = qreal(m_device->logicalDpiY()) / layoutDpi();
    const auto scaled = [scale](qreal length) { return Fixed::fromReal(length * scale).round(); };
    const QTextFrameFormat root = document.rootFrame()->frameFormat();
    const Fixed rootTop = scaled(root.topMargin()) + scaled(root.border()) + scaled(root.padding());
    const Fixed rootBottom = scaled(root.bottomMargin()) + scaled(root.border()) + scaled(root.padding());
    const Fixed border = scaled(format.border());
    const Fixed margin = scaled(format.topMargin());
    const Fixed spacing = scaled(format.cellSpacing());
    const Fixed framePadding = scaled(format.padding());
    const Fixed cellPadding = Fixed::fromReal(format.cellPadding() * scale);
    // The table's top margin counts at the page's end as well.
    const Fixed top = rootTop + margin + border + framePadding;
    const Fixed bottom = rootBottom + margin + border + framePadding;
    const auto padding = [&](const QTextFormat& cellFormat, QTextFormat::Property property) {
        const QVariant value = cellFormat.property(property);
        return value.isNull() ? cellPadding : Fixed::fromReal(value.toReal() * scale);
    };

    m_flow = TableFlow();
    m_flow.pageHeight = Fixed::fromReal(document.pageSize().height());
    m_flow.rowGap = border + spacing + border;
    m_flow.pageTop = top + spacing + border;
    m_flow.pageBottom = bottom + spacing + border;
    m_columnX.clear();
    m_lineWidth.clear();
    m_fonts.clear();
    m_horizontalPadding.clear();
    QVector<CellTexts::Column> columns;
    for (int c = 0; c < m_columns; ++c) {
        const QTextTableCell cell = table->cellAt(1, c);
        const QTextCharFormat cellFormat = cell.format();
        const QTextBlock block = cell.firstCursorPosition().block();
        const QTextLayout* layout = block.layout();
        const QTextBlockFormat blockFormat = block.blockFormat();
        if (cell.rowSpan() != 1 || cell.columnSpan() != 1 || block != cell.lastCursorPosition().block() || !layout
            || layout->lineCount() != 1 || blockFormat.lineHeightType() != QTextBlockFormat::SingleHeight
            || blockFormat.leftMargin() != 0 || blockFormat.rightMargin() != 0 || blockFormat.textIndent() != 0
            || blockFormat.indent() != 0
            || (cellFormat.verticalAlignment() != QTextCharFormat::AlignNormal
                && cellFormat.verticalAlignment() != QTextCharFormat::AlignTop)
            || (layout->textOption().flags() & QTextOption::AddSpaceForLineAndParagraphSeparators))
            return false;
        const Fixed topPadding = padding(cellFormat, QTextFormat::TableCellTopPadding);
        const Fixed bottomPadding = padding(cellFormat, QTextFormat::TableCellBottomPadding);
        m_flow.topPadding << topPadding;
        m_flow.bottomPadding << bottomPadding;
        m_flow.cellPageTop << top + spacing + border + topPadding;
        m_flow.cellPageBottom << bottom + spacing + border + bottomPadding;
        m_horizontalPadding << padding(cellFormat, QTextFormat::TableCellLeftPadding)
                + padding(cellFormat, QTextFormat::TableCellRightPadding);
        m_columnX << layoutOrigin(document, block).x();
        m_lineWidth << layout->lineAt(0).width();
        m_fonts << block.charFormat().font();
        columns.append({ m_fonts.last(), m_lineWidth.last() });
        if (c == 0) {
            m_option = layout->textOption();
            m_alignment = blockFormat.hasProperty(QTextFormat::BlockAlignment) ? blockFormat.alignment()
                                                                               : document.defaultTextOption().alignment();
            m_direction = blockFormat.layoutDirection() != Qt::LayoutDirectionAuto
                ? blockFormat.layoutDirection()
                : document.defaultTextOption().textDirection();
        }
    }
    m_texts = std::make_unique<CellTexts>(m_device, m_option, m_alignment, m_direction, columns);
    m_rowTexts.fill(nullptr, m_columns);
    m_tops.resize(m_columns);
    m_cells.resize(m_columns);

    // The table's top, from its first cell; and the header row placed here as Qt placed it.
    const Fixed firstRow = margin + framePadding + border + spacing + border;
    const QRectF frame = document.documentLayout()->frameBoundingRect(table);
    m_flow.tableY = Fixed::fromReal(frame.top()) - firstRow
        - padding(table->cellAt(0, 0).format(), QTextFormat::TableCellTopPadding);
    QVector<QVector<LineRoom>> rooms(m_columns);
    for (int c = 0; c < m_columns; ++c) {
        const QTextBlock block = table->cellAt(0, c).firstCursorPosition().block();
        if (!block.layout() || block != table->cellAt(0, c).lastCursorPosition().block())
            return false;
        rooms[c] = roomsOf(*block.layout());
        m_tops[c].resize(rooms[c].size());
        m_cells[c] = { rooms[c].constData(), rooms[c].size(), m_tops[c].data() };
    }
    const TableFlow::Row header = m_flow.placeRow(firstRow, m_cells.constData(), m_columns);
    m_headerPage = 0;
    for (int c = 0; c < m_columns; ++c) {
        const QTextBlock block = table->cellAt(0, c).firstCursorPosition().block();
        const QPointF origin = layoutOrigin(document, block);
        for (int i = 0; i < rooms[c].size(); ++i) {
            const Fixed mine = m_flow.lineTop(header, c, m_tops[c][i]);
            if (Fixed::fromReal(origin.y() + block.layout()->lineAt(i).y()) != mine)
                return false;
            m_headerPage = qMax(m_headerPage, DrawnPage(mine, m_flow.pageHeight));
        }
    }
    m_firstRowPosition = header.position + header.height + m_flow.rowGap;

    // An empty row below it, laid out here as Qt laid it out.
    TableFlow::Row row;
    if (!placeRow(-1, m_firstRowPosition, &row))
        return false;
    for (int c = 0; c < m_columns; ++c) {
        const QTextBlock block = table->cellAt(1, c).firstCursorPosition().block();
        const QPointF origin = layoutOrigin(document, block);
        if (!(m_texts->read(*block.layout()) == *m_rowTexts[c]))
            return false;
        if (Fixed::fromReal(origin.y() + block.layout()->lineAt(0).y()) != m_flow.lineTop(row, c, m_tops[c][0]))
            return false;
    }
    return true;
}

bool PagedBody::placeRow(int row, Fixed position, TableFlow::Row* place)
{
    // Row -1 is an empty one.
    m_rowCells = row >= 0 ? m_table.cells(row) : QStringList();
    for (int c = 0; c < m_columns; ++c) {
        const CellText* text = m_texts->text(c, m_rowCells.value(c));
        if (!text || text->lines.isEmpty())
            return false;
        m_rowTexts[c] = text;
        m_tops[c].resize(text->lines.size());
        m_cells[c] = { text->lines.constData(), text->lines.size(), m_tops[c].data() };
    }
    *place = m_flow.placeRow(position, m_cells.constData(), m_columns);
    return true;
}

void PagedBody::note(int column, const QString& text, qreal natural, qreal minimum)
{
    Stats& stats = m_stats[column];
    if (minimum < 0) {
        if (natural > stats.widestLine) {
            stats.widestLine = natural;
            stats.widestLineText = text;
        }
        return;
    }
    if (minimum > stats.widestWord) {
        stats.widestWord = minimum;
        stats.widestWordText = text;
    }
    if (Fixed::fromReal(minimum) > Fixed::fromReal(m_lineWidth[column]))
        stats.narrow = true;
}

PagedBody::Pass PagedBody::flow(bool stopWhenNarrow)
{
    m_starts.clear();
    m_stats = QVector<Stats>(m_columns);
    const Fixed pageHeight = m_flow.pageHeight;
    qint64 lastPage = m_headerPage;
    Fixed position = m_firstRowPosition;
    bool narrow = false;
    for (int r = 0; r < m_table.rowCount; ++r) {
        if (narrow) {
            // The pages are laid out again at other widths: only the widest texts matter now, and
            // a number's width is that of its digits.
            const QStringList cells = m_table.cells(r);
            for (int c = 0; c < m_columns; ++c) {
                const QString& text = cells.at(c);
                const qreal digits = m_texts->digitsWidth(c, text);
                if (digits >= 0) {
                    note(c, text, digits, Fixed::fromReal(digits) > Fixed::fromReal(m_lineWidth[c] - 1) ? digits : -1);
                    continue;
                }
                const CellText* t = m_texts->text(c, text);
                if (!t)
                    return Pass::Unsupported;
                note(c, text, t->naturalWidth, t->minimumWidth);
            }
            m_texts->trim();
            continue;
        }
        TableFlow::Row place;
        if (!placeRow(r, position, &place))
            return Pass::Unsupported;
        qint64 rowLast = lastPage;
        for (int c = 0; c < m_columns; ++c) {
            const CellText* t = m_rowTexts[c];
            note(c, m_rowCells.at(c), t->naturalWidth, t->minimumWidth);
            for (const Fixed top : m_tops[c])
                rowLast = qMax(rowLast, DrawnPage(m_flow.lineTop(place, c, top), pageHeight));
        }
        if (stopWhenNarrow) {
            for (const Stats& s : m_stats)
                narrow = narrow || s.narrow;
            if (narrow) {
                m_texts->trim();
                continue;
            }
        }
        // Each page begins with the first row that has a line on it.
        while (lastPage < rowLast) {
            ++lastPage;
            m_starts.append({ r, position });
        }
        position = place.position + place.height + m_flow.rowGap;
        m_texts->trim();
    }
    return narrow ? Pass::Narrow : Pass::Done;
}

bool PagedBody::widen()
{
    // The columns' shares add up to this; the width they are shares of.
    int total = 0;
    qreal width = 0;
    for (int c = 0; c < m_columns; ++c) {
        const int share = hundredths(m_widths.at(c));
        if (share <= 0)
            return false;
        total += share;
        width += m_lineWidth[c] + m_horizontalPadding[c].toReal();
    }
    width = width * 10000 / total;
    // What each column needs: a narrow one its widest word, the others what keeps their texts as
    // they are; the narrow ones take from the others' room to spare.
    QVector<qreal> need(m_columns);
    qreal deficit = 0, spare = 0;
    for (int c = 0; c < m_columns; ++c) {
        const Stats& s = m_stats[c];
        if (s.narrow) {
            need[c] = s.widestWord + WidenedSpare;
            deficit += need[c] - m_lineWidth[c];
        } else {
            need[c] = qMax(s.widestLine, s.widestWord) + WidenedSpare;
            spare += qMax<qreal>(0, m_lineWidth[c] - need[c]);
        }
    }
    if (deficit <= 0 || spare <= 0)
        return false;
    const qreal taken = qMin(deficit, spare);
    QVector<int> widened(m_columns);
    int sum = 0;
    for (int c = 0; c < m_columns; ++c) {
        const Stats& s = m_stats[c];
        qreal lineWidth = m_lineWidth[c];
        if (s.narrow)
            lineWidth += (need[c] - lineWidth) * taken / deficit;
        else
            lineWidth -= qMax<qreal>(0, lineWidth - need[c]) * taken / spare;
        const qreal share = (lineWidth + m_horizontalPadding[c].toReal()) * 10000 / width;
        widened[c] = s.narrow ? qCeil(share) : qFloor(share);
        sum += widened[c];
    }
    // The shares add up as before: what rounding left over goes to the narrow columns, or is
    // taken from the widest of the others.
    for (int c = 0; c < m_columns && sum < total; ++c) {
        if (m_stats[c].narrow) {
            widened[c] += total - sum;
            sum = total;
        }
    }
    while (sum > total) {
        int widest = -1;
        for (int c = 0; c < m_columns; ++c)
            if (!m_stats[c].narrow && (widest < 0 || widened[c] > widened[widest]))
                widest = c;
        if (widest < 0 || widened[widest] < sum - total)
            return false;
        widened[widest] -= sum - total;
        sum = total;
    }
    QStringList widths;
    for (const int share : widened)
        widths << percentOf(share);
    BodyTable header;
    header.before = m_before;
    header.columnWidths = m_widths;
    if (!header.setColumnWidths(widths))
        return false;
    m_before = header.before;
    m_widths = widths;
    return true;
}

bool PagedBody::checkColumns(QTextOption::WrapMode* mode)
{
    // The widest texts of every column, laid out with the header, leave the columns as they are.
    QString widest = QStringLiteral("<tr>");
    for (const Stats& s : qAsConst(m_stats))
        widest += QLatin1String("<td>") + (s.widestWord > s.widestLine ? s.widestWordText : s.widestLineText).toHtmlEscaped()
            + QLatin1String("</td>");
    const std::unique_ptr<QTextDocument> probe = makeDocument(m_before + widest + QLatin1String("</tr></table>"));
    QTextTable* table = firstTable(*probe);
    if (!table || table->columns() != m_columns || table->rows() != 2)
        return false;
    probe->pageCount(); // laid out
    for (int c = 0; c < m_columns; ++c) {
        const QTextBlock block = table->cellAt(0, c).firstCursorPosition().block();
        if (!block.layout() || block.layout()->lineCount() < 1 || layoutOrigin(*probe, block).x() != m_columnX[c])
            return false;
    }
    const QTextBlock last = table->cellAt(1, m_columns - 1).firstCursorPosition().block();
    if (!last.layout() || last.layout()->lineCount() < 1 || last.layout()->lineAt(0).width() < m_lineWidth.last())
        return false;
    // A table wider than its page, by a rounding at least, breaks its texts anywhere.
    *mode = table->cellAt(1, 0).firstCursorPosition().block().layout()->textOption().wrapMode();
    return true;
}

bool PagedBody::checkRows(QTextDocument& document, int first, int count, Fixed position, qint64 pageShift)
{
    QTextTable* table = firstTable(document);
    if (!table || table->columns() != m_columns || table->rows() < count)
        return false;
    document.pageCount(); // laid out
    const int skip = table->rows() - count; // the header row at the beginning
    const Fixed shift = pageShift * m_flow.pageHeight;
    for (int k = 0; k < count; ++k) {
        TableFlow::Row place;
        if (!placeRow(first + k, position, &place))
            return false;
        for (int c = 0; c < m_columns; ++c) {
            const QTextTableCell cell = table->cellAt(skip + k, c);
            const QTextBlock block = cell.firstCursorPosition().block();
            if (!block.layout() || block != cell.lastCursorPosition().block()
                || !(m_texts->read(*block.layout()) == *m_rowTexts[c]))
                return false;
            const QPointF origin = layoutOrigin(document, block);
            if (origin.x() != m_columnX[c])
                return false;
            for (int i = 0; i < m_tops[c].size(); ++i)
                if (Fixed::fromReal(origin.y() + block.layout()->lineAt(i).y()) + shift != m_flow.lineTop(place, c, m_tops[c][i]))
                    return false;
        }
        position = place.position + place.height + m_flow.rowGap;
    }
    return true;
}

bool PagedBody::paginate()
{
    bool widened = false, forced = false;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const QTextOption::WrapMode forcedMode = m_option.wrapMode();
        if (!learnFrame())
            return false;
        if (forced) {
            m_option.setWrapMode(forcedMode);
            QVector<CellTexts::Column> columns;
            for (int c = 0; c < m_columns; ++c)
                columns.append({ m_fonts[c], m_lineWidth[c] });
            m_texts = std::make_unique<CellTexts>(m_device, m_option, m_alignment, m_direction, columns);
        }
        const Pass pass = flow(!widened);
        if (pass == Pass::Unsupported)
            return false;
        if (pass == Pass::Narrow) {
            // Measured again at the widths there are now, widened or not.
            widened = true;
            widen();
            continue;
        }
        QTextOption::WrapMode mode;
        if (!checkColumns(&mode))
            return false;
        if (mode != m_option.wrapMode()) {
            if (forced)
                return false;
            forced = true;
            m_option.setWrapMode(mode);
            continue;
        }
        return arrangePages();
    }
    return false;
}

bool PagedBody::arrangePages()
{
    if (m_starts.isEmpty())
        return false;
    // Qt lays out the pages up to the header's, with the rows up to the first of the next page...
    const int headRows = m_starts.first().row + 1;
    m_head = makeDocument(m_before + rowsHtml(0, headRows, false) + QLatin1String("</table>"));
    if (!checkRows(*m_head, 0, headRows, m_firstRowPosition, 0))
        return false;
    // ... and the pages from the last one that begins with a whole row: the tail of the table and
    // all that follows it.
    int tail = m_starts.size() - 1;
    for (; tail >= 0; --tail) {
        const PageStart& start = m_starts[tail];
        const qint64 page = m_headerPage + 1 + tail;
        TableFlow::Row place;
        if (!placeRow(start.row, start.position, &place))
            return false;
        if (place.position == page * m_flow.pageHeight + m_flow.pageTop - m_flow.tableY)
            break;
    }
    if (tail < 0)
        return false;
    const PageStart start = m_starts[tail];
    const int tailRows = m_table.rowCount - start.row;
    m_tailPage = m_headerPage + 1 + tail;
    m_tail = makeDocument(m_table.tableStart + rowsHtml(start.row, tailRows, true) + m_table.after);
    if (m_tail->pageCount() < 1 || !checkRows(*m_tail, start.row, tailRows, start.position, m_tailPage))
        return false;
    m_starts.resize(tail);
    m_pageCount = int(m_tailPage) + m_tail->pageCount();
    return true;
}

void PagedBody::wholeBody()
{
    m_head.reset();
    m_tail.reset();
    m_starts.clear();
    m_texts.reset();
    m_whole = makeDocument(m_before + rowsHtml(0, m_table.rowCount, false) + m_table.after);
    m_pageCount = m_whole->pageCount();
}

void PagedBody::paintDocumentPage(QPainter* painter, QTextDocument* document, int page) const
{
    const qreal height = m_pageSize.height();
    painter->save();
    painter->translate(0, -page * height);
    document->drawContents(painter, QRectF(0, page * height, m_pageSize.width(), height));
    painter->restore();
}

void PagedBody::paintRows(QPainter* painter, qint64 page)
{
    const PageStart& start = m_starts.at(int(page - m_headerPage - 1));
    // The page as the layout has it, and the part of the body a page shows.
    const qreal top = (page * m_flow.pageHeight).toReal();
    const qreal bottom = top + m_pageSize.height();
    // Kept from page to page with their room.
    QVector<QVector<quint32>>& glyphs = m_pageGlyphs;
    QVector<QVector<QPointF>>& positions = m_pagePositions;
    for (int f = 0; f < glyphs.size(); ++f) {
        glyphs[f].resize(0);
        positions[f].resize(0);
    }
    QVector<qreal>& tops = m_lineTops;
    Fixed position = start.position;
    for (int r = start.row; r < m_table.rowCount; ++r) {
        TableFlow::Row place;
        if (!placeRow(r, position, &place))
            break;
        if (glyphs.size() < m_texts->faces().size()) {
            glyphs.resize(m_texts->faces().size());
            positions.resize(m_texts->faces().size());
        }
        bool below = true;
        for (int c = 0; c < m_columns; ++c) {
            const CellText* text = m_rowTexts[c];
            const int count = text->lines.size();
            tops.resize(count);
            for (int i = 0; i < count; ++i)
                tops[i] = m_flow.lineTop(place, c, m_tops[c][i]).toReal();
            below = below && tops[0] > bottom;
            if (tops[count - 1] + text->lines[count - 1].bottom.toReal() < top || tops[0] > bottom)
                continue;
            // The lines Qt draws of a block on the page: from the last one above the page, which it
            // draws too, to the last one that begins on it.
            int first = 0, last = count;
            for (int i = 0; i < count; ++i) {
                if (tops[i] + text->lines[i].bottom.toReal() < top)
                    first = i;
                if (tops[i] > bottom) {
                    last = i;
                    break;
                }
            }
            for (const CellText::Glyph& g : text->glyphs) {
                if (g.line < first || g.line >= last)
                    continue;
                glyphs[g.face] << g.index;
                positions[g.face] << QPointF(m_columnX[c] + g.position.x(), tops[g.line] - top + g.position.y());
            }
        }
        if (below)
            break;
        position = place.position + place.height + m_flow.rowGap;
        m_texts->trim();
    }
    painter->save();
    painter->setClipRect(QRectF(QPointF(0, 0), m_pageSize));
    for (int f = 0; f < glyphs.size(); ++f) {
        if (glyphs[f].isEmpty())
            continue;
        QGlyphRun run = m_texts->faces().at(f);
        run.setGlyphIndexes(glyphs[f]);
        run.setPositions(positions[f]);
        painter->drawGlyphRun(QPointF(), run);
    }
    painter->restore();
}

void PagedBody::paint(QPainter* painter, int page)
{
    if (page < 1 || page > m_pageCount)
        return;
    const qint64 p = page - 1;
    if (m_whole)
        paintDocumentPage(painter, m_whole.get(), int(p));
    else if (p <= m_headerPage)
        paintDocumentPage(painter, m_head.get(), int(p));
    else if (p >= m_tailPage)
        paintDocumentPage(painter, m_tail.get(), int(p - m_tailPage));
    else
        paintRows(painter, p);
}
