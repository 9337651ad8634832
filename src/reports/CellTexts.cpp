#include "reports/CellTexts.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QtMath>

namespace {

// Texts kept laid out; unique texts (dates) make the cache grow, so it is emptied now and then.
constexpr int MaxCached = 20000;
// Texts put together from their characters that are checked against a layout of their own: the
// first ones, then one in so many.
constexpr int ComposedChecks = 32;
constexpr int CheckEvery = 4096;
// Wider than any line.
constexpr qreal UnlimitedWidth = 8388607;

Qt::Alignment visualAlignment(Qt::LayoutDirection direction, Qt::Alignment alignment)
{
    if (!(alignment & Qt::AlignHorizontal_Mask))
        alignment |= Qt::AlignLeft;
    if (!(alignment & Qt::AlignAbsolute) && (alignment & (Qt::AlignLeft | Qt::AlignRight))) {
        if (direction == Qt::RightToLeft)
            alignment ^= (Qt::AlignLeft | Qt::AlignRight);
        alignment |= Qt::AlignAbsolute;
    }
    return alignment;
}

// A text the HTML import keeps as it is: no white space but single spaces between words, nothing
// it would drop or turn into something else.
bool keptAsIs(const QString& text)
{
    if (text.isEmpty())
        return true;
    if (text.front() == QLatin1Char(' ') || text.back() == QLatin1Char(' '))
        return false;
    QChar previous;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u < 0xa0) || u == 0xad || u == 0xfeff || u == 0xfffc)
            return false;
        if (c == QLatin1Char(' ')) {
            if (previous == c)
                return false;
        } else if (c.isSpace()) {
            return false;
        }
        previous = c;
    }
    return true;
}

// As a block's text direction is found: its first strong character.
Qt::LayoutDirection directionOf(const QString& text)
{
    for (int i = 0; i < text.size(); ++i) {
        uint ucs4 = text.at(i).unicode();
        if (QChar::isHighSurrogate(ucs4) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ucs4 = QChar::surrogateToUcs4(ushort(ucs4), text.at(++i).unicode());
        switch (QChar::direction(ucs4)) {
        case QChar::DirL:
            return Qt::LeftToRight;
        case QChar::DirR:
        case QChar::DirAL:
            return Qt::RightToLeft;
        default:
            break;
        }
    }
    return Qt::LeftToRight;
}

// A character that may stand for itself in a text put together glyph by glyph: it cannot turn
// the text right to left, nor is it a mark joined to its neighbour.
bool composable(QChar c)
{
    if (c.isSurrogate() || !c.isPrint() || c.isMark() || c.unicode() >= 0x0300)
        return false;
    switch (c.direction()) {
    case QChar::DirL:
    case QChar::DirEN:
    case QChar::DirES:
    case QChar::DirET:
    case QChar::DirCS:
    case QChar::DirON:
        return true;
    case QChar::DirWS:
        return c == QLatin1Char(' ');
    default:
        return false;
    }
}

} // namespace

bool CellText::operator==(const CellText& o) const
{
    if (lines.size() != o.lines.size() || glyphs.size() != o.glyphs.size() || naturalWidth != o.naturalWidth)
        return false;
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].height != o.lines[i].height || lines[i].bottom != o.lines[i].bottom)
            return false;
    for (int i = 0; i < glyphs.size(); ++i) {
        const Glyph& a = glyphs[i];
        const Glyph& b = o.glyphs[i];
        if (a.position != b.position || a.index != b.index || a.face != b.face || a.line != b.line)
            return false;
    }
    return true;
}

// Puts texts together from the glyphs of their characters, for characters that keep their glyph
// beside any other (no ligature, no joining) and move only by the kerning of each pair.
struct CellTexts::Composer
{
    QFont font;
    bool enabled = true;
    quint16 face = 0;
    LineRoom room;
    qreal baseline = 0;
    struct Char
    {
        quint32 glyph;
        qreal advance;
    };
    std::vector<qint32> slot = std::vector<qint32>(0x300, -1); // -1 not tried, -2 refused
    QVector<Char> chars;
    // NaN for a pair that does not keep its glyphs; pairs of ASCII characters in a table, infinity
    // until learnt.
    QHash<quint32, qreal> kerning;
    std::vector<qreal> asciiKerning = std::vector<qreal>(128 * 128, qInf());
    int composed = 0;
};

CellTexts::CellTexts(QPaintDevice* device, const QTextOption& option, Qt::Alignment alignment,
                     Qt::LayoutDirection direction, const QVector<Column>& columns)
    : m_device(device), m_option(option), m_alignment(alignment), m_direction(direction), m_columns(columns),
      m_cache(columns.size()), m_scratch(columns.size())
{
    for (int c = 0; c < columns.size(); ++c) {
        Composer* shared = nullptr;
        for (const auto& k : m_ownedComposers)
            if (k->font == columns[c].font)
                shared = k.get();
        if (!shared) {
            m_ownedComposers.push_back(std::make_unique<Composer>());
            shared = m_ownedComposers.back().get();
            shared->font = columns[c].font;
            // Only left-aligned left-to-right text starts at the cell's left edge.
            shared->enabled = direction != Qt::RightToLeft
                && (visualAlignment(Qt::LeftToRight, alignment) & ~Qt::AlignAbsolute & Qt::AlignHorizontal_Mask) == Qt::AlignLeft;
        }
        m_composers << shared;
    }
}

CellTexts::~CellTexts()
{
    for (auto& cache : m_cache)
        qDeleteAll(cache);
}

void CellTexts::trim()
{
    if (m_cached < MaxCached)
        return;
    for (auto& cache : m_cache) {
        qDeleteAll(cache);
        cache.clear();
    }
    m_cached = 0;
}

LineRoom CellTexts::roomOf(const QTextLine& line)
{
    return { Fixed::fromReal(qCeil(line.ascent() + line.descent() + line.leading())), Fixed::fromReal(line.height()) };
}

quint16 CellTexts::face(const QGlyphRun& run)
{
    for (int i = 0; i < m_faces.size(); ++i)
        if (m_faces[i].rawFont() == run.rawFont() && m_faces[i].flags() == run.flags())
            return quint16(i);
    QGlyphRun made;
    made.setRawFont(run.rawFont());
    made.setFlags(run.flags());
    m_faces << made;
    return quint16(m_faces.size() - 1);
}

CellText CellTexts::read(const QTextLayout& layout)
{
    CellText out;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        out.lines << roomOf(line);
        out.naturalWidth = qMax(out.naturalWidth, line.naturalTextWidth());
        const QPointF origin(0, line.y());
        for (const QGlyphRun& run : line.glyphRuns()) {
            const quint16 f = face(run);
            const QVector<quint32> indexes = run.glyphIndexes();
            const QVector<QPointF> positions = run.positions();
            for (int g = 0; g < indexes.size() && g < positions.size(); ++g)
                out.glyphs.append({ positions[g] - origin, indexes[g], f, quint16(qMin(i, 0xffff)) });
        }
    }
    return out;
}

CellText CellTexts::layOut(int column, const QString& shown)
{
    // As the document lays out a cell's block: the option follows the text's direction, and a line
    // that cannot hold its first piece breaks anywhere.
    const Qt::LayoutDirection direction = m_direction != Qt::LayoutDirectionAuto ? m_direction : directionOf(shown);
    QTextOption option = m_option;
    option.setTextDirection(direction);
    option.setAlignment(visualAlignment(direction, m_alignment));
    const bool wordOrAnywhere = option.wrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere;
    const qreal width = m_columns[column].lineWidth;
    const Fixed fixedWidth = Fixed::fromReal(width);

    QTextLayout layout(shown, m_columns[column].font, m_device);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        if (Fixed::fromReal(line.naturalTextWidth()) > fixedWidth) {
            line.setLineWidth(width);
            if (Fixed::fromReal(line.naturalTextWidth()) > fixedWidth) {
                if (wordOrAnywhere) {
                    option.setWrapMode(QTextOption::WrapAnywhere);
                    layout.setTextOption(option);
                }
                line.setLineWidth(qMax(line.naturalTextWidth(), width));
                if (wordOrAnywhere) {
                    option.setWrapMode(QTextOption::WordWrap);
                    layout.setTextOption(option);
                }
            }
        }
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return read(layout);
}

qreal CellTexts::minimumWidth(int column, const QString& shown) const
{
    const Qt::LayoutDirection direction = m_direction != Qt::LayoutDirectionAuto ? m_direction : directionOf(shown);
    QTextOption option = m_option;
    option.setTextDirection(direction);
    option.setAlignment(visualAlignment(direction, m_alignment));
    option.setWrapMode(QTextOption::WordWrap);
    QTextLayout layout(shown, m_columns[column].font, m_device);
    layout.setTextOption(option);
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(UnlimitedWidth);
    }
    layout.endLayout();
    return layout.minimumWidth();
}

CellText CellTexts::lineOf(const QFont& font, const QString& text)
{
    QTextOption option = m_option;
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(visualAlignment(Qt::LeftToRight, m_alignment));
    QTextLayout layout(text, font, m_device);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(UnlimitedWidth);
    }
    layout.endLayout();
    return read(layout);
}

int CellTexts::learn(Composer& k, QChar c)
{
    k.slot[c.unicode()] = -2;
    if (!composable(c))
        return -2;
    if (k.chars.isEmpty()) {
        // The line every such text takes, and the face it is drawn in: those of a digit.
        const CellText zero = lineOf(k.font, QStringLiteral("0"));
        if (zero.lines.size() != 1 || zero.glyphs.size() != 1) {
            k.enabled = false;
            return -2;
        }
        k.room = zero.lines[0];
        k.face = zero.glyphs[0].face;
        k.baseline = zero.glyphs[0].position.y();
    }
    const CellText alone = lineOf(k.font, QString(c));
    if (alone.lines.size() != 1 || alone.glyphs.size() != 1 || alone.lines[0].height != k.room.height
        || alone.lines[0].bottom != k.room.bottom || alone.glyphs[0].face != k.face
        || alone.glyphs[0].position != QPointF(0, k.baseline))
        return -2;
    k.chars.append({ alone.glyphs[0].index, alone.naturalWidth });
    k.slot[c.unicode()] = k.chars.size() - 1;
    return k.chars.size() - 1;
}

qreal CellTexts::kerning(Composer& k, QChar a, QChar b)
{
    const bool ascii = a.unicode() < 128 && b.unicode() < 128;
    qreal* slot = ascii ? &k.asciiKerning[a.unicode() * 128 + b.unicode()] : nullptr;
    if (slot && !qIsInf(*slot))
        return *slot;
    const quint32 key = quint32(a.unicode()) << 16 | b.unicode();
    if (!slot) {
        const auto known = k.kerning.constFind(key);
        if (known != k.kerning.constEnd())
            return *known;
    }
    // The pair laid out: the same two glyphs, the second moved by the kerning alone.
    const Composer::Char first = k.chars.at(k.slot[a.unicode()]);
    const Composer::Char second = k.chars.at(k.slot[b.unicode()]);
    const CellText pair = lineOf(k.font, QString(a) + b);
    qreal kern = qQNaN();
    if (pair.lines.size() == 1 && pair.glyphs.size() == 2 && pair.glyphs[0].index == first.glyph
        && pair.glyphs[1].index == second.glyph && pair.glyphs[0].face == k.face && pair.glyphs[1].face == k.face
        && pair.glyphs[0].position == QPointF(0, k.baseline) && pair.glyphs[1].position.y() == k.baseline
        && pair.naturalWidth == pair.glyphs[1].position.x() + second.advance)
        kern = pair.glyphs[1].position.x() - first.advance;
    if (slot)
        *slot = kern;
    else
        k.kerning.insert(key, kern);
    return kern;
}

bool CellTexts::composeGlyphs(Composer& k, const QString& text, CellText& out)
{
    out.lines.clear();
    out.glyphs.clear();
    out.glyphs.reserve(text.size());
    out.minimumWidth = -1;
    qreal x = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() >= k.slot.size())
            return false;
        int s = k.slot[c.unicode()];
        if (s == -1)
            s = learn(k, c);
        if (s < 0 || !k.enabled)
            return false;
        if (i > 0) {
            const qreal kern = kerning(k, text.at(i - 1), c);
            if (qIsNaN(kern))
                return false;
            x += kern;
        }
        const Composer::Char& known = k.chars.at(s);
        out.glyphs.append({ QPointF(x, k.baseline), known.glyph, k.face, 0 });
        x += known.advance;
    }
    out.lines.append(k.room);
    out.naturalWidth = x;
    return true;
}

bool CellTexts::compose(int column, const QString& text, CellText& out)
{
    Composer& k = *m_composers[column];
    if (!k.enabled || text.isEmpty() || !composeGlyphs(k, text, out))
        return false;
    // A text near the end of its line is left to the layout, which knows where it breaks.
    if (Fixed::fromReal(out.naturalWidth) > Fixed::fromReal(m_columns[column].lineWidth - 1))
        return false;
    // Now and then the layout checks what was put together.
    if (k.composed++ < ComposedChecks || k.composed % CheckEvery == 0) {
        if (!(layOut(column, text) == out)) {
            k.enabled = false;
            return false;
        }
    }
    ++m_composedCount;
    return true;
}

qreal CellTexts::digitsWidth(int column, const QString& text)
{
    Composer& k = *m_composers[column];
    if (!k.enabled || text.isEmpty())
        return -1;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    return composeGlyphs(k, text, m_scratch[column]) ? m_scratch[column].naturalWidth : -1;
}

QString CellTexts::shownText(const QString& text, bool* oneBlock) const
{
    // What the HTML import makes of the text in a cell, white space folded.
    QTextDocument document;
    document.setHtml(QLatin1String("<table><tr><td>") + text.toHtmlEscaped() + QLatin1String("</td></tr></table>"));
    QTextTable* table = nullptr;
    for (QTextFrame* frame : document.rootFrame()->childFrames())
        if ((table = qobject_cast<QTextTable*>(frame)))
            break;
    if (!table || table->rows() != 1 || table->columns() != 1) {
        *oneBlock = false;
        return QString();
    }
    const QTextTableCell cell = table->cellAt(0, 0);
    const QTextBlock first = cell.firstCursorPosition().block();
    *oneBlock = first == cell.lastCursorPosition().block();
    return first.text();
}

const CellText* CellTexts::text(int column, const QString& text)
{
    QHash<QString, CellText*>& cache = m_cache[column];
    const auto known = cache.constFind(text);
    if (known != cache.constEnd())
        return *known;
    const bool asIs = keptAsIs(text);
    if (asIs && compose(column, text, m_scratch[column]))
        return &m_scratch[column];
    bool oneBlock = true;
    const QString shown = asIs ? text : shownText(text, &oneBlock);
    CellText* made = nullptr;
    if (oneBlock) {
        made = new CellText(layOut(column, shown));
        if (made->lines.size() > 1)
            made->minimumWidth = minimumWidth(column, shown);
    }
    cache.insert(text, made);
    ++m_cached;
    return made;
}
