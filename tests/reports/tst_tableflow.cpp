#include "reports/TableFlow.h"

#include <QtTest>

// Where rows go on pages, by the roundings and rules of Qt's table layout (whole reports are
// compared with Qt's own layout in tst_pdfreport).
class TestTableFlow : public QObject
{
    Q_OBJECT

    static Fixed px(qreal v) { return Fixed::fromReal(v); }

    // Pages of 1000 units; a row's cells keep 20 from the page's top and 30 from its end.
    static TableFlow flow(int columns)
    {
        TableFlow f;
        f.pageHeight = px(1000);
        f.tableY = px(100);
        f.rowGap = px(24);
        f.pageTop = px(20);
        f.pageBottom = px(30);
        for (int c = 0; c < columns; ++c) {
            f.topPadding << Fixed();
            f.bottomPadding << Fixed();
            f.cellPageTop << px(20);
            f.cellPageBottom << px(30);
        }
        return f;
    }

private slots:
    void pages_data()
    {
        QTest::addColumn<qreal>("y");
        QTest::addColumn<int>("layoutPage");
        QTest::addColumn<int>("drawnPage");
        QTest::newRow("top") << 0.0 << 0 << 0;
        QTest::newRow("middle of the third page") << 2500.0 << 2 << 2;
        // The layout rounds the quotient to a 64th first: within 1000/128 of a page's end it is
        // the next page already.
        QTest::newRow("ten before the second page") << 990.0 << 0 << 0;
        QTest::newRow("five before the second page") << 995.0 << 1 << 0;
        QTest::newRow("a 64th before the second page") << 1000.0 - 1 / 64.0 << 1 << 0;
        QTest::newRow("the second page") << 1000.0 << 1 << 1;
        QTest::newRow("above the first page") << -1.0 << 0 << -1;
    }

    void pages()
    {
        QFETCH(qreal, y);
        QFETCH(int, layoutPage);
        QFETCH(int, drawnPage);
        QCOMPARE(LayoutPage(px(y), px(1000)), qint64(layoutPage));
        QCOMPARE(DrawnPage(px(y), px(1000)), qint64(drawnPage));
    }

    void cells_data()
    {
        QTest::addColumn<qreal>("frameY");
        QTest::addColumn<int>("lines");
        QTest::addColumn<qreal>("lineBottom");
        QTest::addColumn<QVector<qreal>>("tops");
        QTest::addColumn<qreal>("height");
        QTest::newRow("lines on one page") << 500.0 << 3 << 101.0 << QVector<qreal>{ 0, 100, 200 } << 301.0;
        // 900 + 101 passes the page's end less its margin (970): to the next page's top, 1020.
        QTest::newRow("a line moved to the next page") << 800.0 << 3 << 101.0 << QVector<qreal>{ 0, 220, 320 } << 421.0;
        QTest::newRow("a cell beginning in a page's top margin") << 1005.0 << 1 << 101.0 << QVector<qreal>{ 15 } << 116.0;
        // No page holds a line taller than a page less its margins: it stays.
        QTest::newRow("a line taller than a page") << 800.0 << 1 << 960.0 << QVector<qreal>{ 0 } << 960.0;
    }

    void cells()
    {
        QFETCH(qreal, frameY);
        QFETCH(int, lines);
        QFETCH(qreal, lineBottom);
        QFETCH(QVector<qreal>, tops);
        QFETCH(qreal, height);
        const QVector<LineRoom> rooms(lines, { px(100), px(lineBottom) });
        QVector<Fixed> placed(lines);
        QCOMPARE(flow(1).placeCell(0, px(frameY), rooms.constData(), lines, placed.data()).toReal(), height);
        for (int i = 0; i < lines; ++i)
            QCOMPARE(placed[i].toReal(), tops[i]);
    }

    void rows_data()
    {
        QTest::addColumn<qreal>("position"); // in the table, whose top is at 100
        QTest::addColumn<int>("longCell");   // lines of the second cell; the first has one
        QTest::addColumn<qreal>("placed");
        QTest::addColumn<qreal>("height");
        QTest::newRow("a row on its page") << 300.0 << 2 << 300.0 << 201.0;
        // Its first lines past the page's end: the whole row goes to the next page's top.
        QTest::newRow("a row moved whole") << 790.0 << 3 << 920.0 << 301.0;
        // Below the page's bottom altogether: the same.
        QTest::newRow("a row below the page's bottom") << 880.0 << 1 << 920.0 << 101.0;
        // Its first lines fit: it stays, its long cell going on on the next page.
        QTest::newRow("a row across a page's end") << 700.0 << 3 << 700.0 << 1000.0 + 20 - 800 + 201;
    }

    void rows()
    {
        QFETCH(qreal, position);
        QFETCH(int, longCell);
        QFETCH(qreal, placed);
        QFETCH(qreal, height);
        const TableFlow f = flow(2);
        const QVector<LineRoom> one(1, { px(100), px(101) }), many(longCell, { px(100), px(101) });
        QVector<Fixed> topsOne(1), topsMany(longCell);
        const TableFlow::Cell cells[] = { { one.constData(), 1, topsOne.data() },
                                          { many.constData(), longCell, topsMany.data() } };
        const TableFlow::Row row = f.placeRow(px(position), cells, 2);
        QCOMPARE(row.position.toReal(), placed);
        QCOMPARE(row.height.toReal(), height);
    }
};

QTEST_GUILESS_MAIN(TestTableFlow)
#include "tst_tableflow.moc"
