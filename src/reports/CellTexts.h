#pragma once

#include "reports/TableFlow.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <QTextOption>
#include <QVector>

#include <memory>
#include <vector>

class QPaintDevice;
class QTextLayout;

// A cell's text laid out at its column's width as Qt lays out the cell's block: the room each
// line takes and the glyphs that draw it, placed from the line's top left.
struct CellText
{
    struct Glyph
    {
        QPointF position;
        quint32 index;
        quint16 face; // into CellTexts::faces()
        quint16 line;
    };
    QVector<LineRoom> lines;
    QVector<Glyph> glyphs;
    qreal naturalWidth = 0; // of the widest line
    // The widest word (Qt itself breaks a word anywhere when it must), measured for a text of
    // more than one line only.
    qreal minimumWidth = -1;

    bool operator==(const CellText& o) const;
};

// The texts of a table's cells, each laid out once per column: texts met again come from a
// cache, texts of digits and the like are put together from their characters' glyphs.
class CellTexts
{
public:
    struct Column
    {
        QFont font;
        qreal lineWidth = 0;
    };
    // `option` is the one Qt gives a left-to-right cell; `alignment` the alignment before it
    // follows the text's direction; `direction` the block's, or Qt::LayoutDirectionAuto.
    CellTexts(QPaintDevice* device, const QTextOption& option, Qt::Alignment alignment, Qt::LayoutDirection direction,
              const QVector<Column>& columns);
    ~CellTexts();
    CellTexts(const CellTexts&) = delete;
    CellTexts& operator=(const CellTexts&) = delete;

    // The text of a cell of `column` as Qt shows it; null for a text the HTML import would turn
    // into more than one paragraph. Valid until the next trim(), or for a text put together from
    // its characters, until the next text of the column.
    const CellText* text(int column, const QString& text);
    // The width of a text of ASCII digits, which never breaks; -1 for other texts.
    qreal digitsWidth(int column, const QString& text);
    // How many texts were put together from their characters' glyphs.
    int composedCount() const { return m_composedCount; }
    // Lets go of the cache when it has grown large.
    void trim();
    // The glyph runs' fonts and flags, for CellText::Glyph::face.
    const QVector<QGlyphRun>& faces() const { return m_faces; }

    // The room a line of Qt's own layout takes, as the document layout counts it.
    static LineRoom roomOf(const class QTextLine& line);
    // A laid-out block's lines and glyphs.
    CellText read(const QTextLayout& layout);

private:
    struct Composer;
    CellText layOut(int column, const QString& shown);
    qreal minimumWidth(int column, const QString& shown) const;
    bool compose(int column, const QString& text, CellText& out);
    bool composeGlyphs(Composer& k, const QString& text, CellText& out);
    int learn(Composer& k, QChar c);
    qreal kerning(Composer& k, QChar a, QChar b);
    CellText lineOf(const QFont& font, const QString& text);
    QString shownText(const QString& text, bool* oneBlock) const;
    quint16 face(const QGlyphRun& run);

    QPaintDevice* m_device;
    QTextOption m_option;
    Qt::Alignment m_alignment;
    Qt::LayoutDirection m_direction;
    QVector<Column> m_columns;
    QVector<Composer*> m_composers; // per column, shared by columns of the same font
    std::vector<std::unique_ptr<Composer>> m_ownedComposers;
    QVector<QHash<QString, CellText*>> m_cache;
    int m_cached = 0;
    int m_composedCount = 0;
    QVector<CellText> m_scratch; // per column
    QVector<QGlyphRun> m_faces;
};
