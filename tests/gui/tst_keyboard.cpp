#include "GuiTestSupport.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QLineEdit>
#include <QTranslator>
#include <QtTest>

using namespace guitest;

namespace {

const QStringList toolbar = { "buttonNew", "buttonSave", "buttonOpen", "buttonExport", "buttonWriteDallas",
                              "buttonReadDallas", "btnDownlad", "btnSettings", "btnLanguage", "buttonAbout",
                              "comboBox", "buttonRefresh", "qt_tabwidget_tabbar" };

// Tab from the first toolbar button round to it again: the object name and the spoken name
// (the name given, else the widget's own text) of every stop, and whether each stop reads
// after the one before it (left to right on one line, else further down).
struct Walk
{
    QStringList objects, names;
    bool inReadingOrder = true;
};
Walk tabWalk(MainWindow& w)
{
    Walk walk;
    QWidget* first = child<QWidget>(w, "buttonNew");
    first->setFocus();
    QRect a;
    for (QWidget* focus = first; walk.objects.size() < 50; focus = QApplication::focusWidget()) {
        if (focus == first && !walk.objects.isEmpty())
            break;
        const QRect b(focus->mapTo(&w, QPoint()), focus->size());
        const bool sameLine = b.top() < a.bottom() && a.top() < b.bottom();
        walk.inReadingOrder &= walk.objects.isEmpty() || (sameLine ? b.left() > a.right() : b.top() > a.bottom());
        a = b;
        walk.objects << focus->objectName();
        walk.names << (focus->accessibleName().isEmpty()
                           ? QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name)
                           : focus->accessibleName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return walk;
}

// Three events on three days, so that each filter list has items to step through.
void showWithAudit(MainWindow& w)
{
    loadBusAudit(w, { { { 24, 5, 6, 9, 30, 0 }, { 0x05, 1 } },
                      { { 24, 5, 5, 18, 0, 0 }, { 0x05, 80 } },
                      { { 24, 5, 4, 8, 0, 0 }, { 0x11, 1 } } });
    QVERIFY(w.ShowLoadedAudit());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
}

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        removeSettings();
        provideTranslations(true);
    }

    void tabFollowsReadingOrder_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("events") << 0
                                << toolbar + QStringList{ "buttonSetFilter", "buttonResetFilter", "dateFilter",
                                                          "userFilter", "eventFilter", "eventIdFilter", "tableWidget",
                                                          "comboBoxFrom", "comboBoxFromDay", "comboBoxFromMonth",
                                                          "comboBoxAddSub", "comboBoxTo", "comboBoxToDay",
                                                          "comboBoxToMonth", "comboBoxHours", "pushButton" };
        QTest::newRow("users") << 2 << toolbar + QStringList{ "tableWidget_2" };
    }

    // With an audit loaded, so that a table that kept Tab to step through its cells would trap it.
    void tabFollowsReadingOrder()
    {
        QFETCH(int, tab);
        QFETCH(QStringList, expected);
        QTranslator italian;
        QVERIFY(italian.load(QStringLiteral(CORVANE_BINARY_DIR "/audit_it.qm")));
        MainWindow w;
        showWithAudit(w);

        child<QTabWidget>(w, "tabWidget")->setCurrentIndex(tab);
        const Walk english = tabWalk(w);
        QCOMPARE(english.objects, expected);
        QVERIFY(english.inReadingOrder);
        QVERIFY(!english.names.contains(QString()));

        // The language switch rebuilds the filter row: same order, every name in the new language.
        w.onLangIt();
        QCoreApplication::processEvents(); // shows the new buttons
        child<QTabWidget>(w, "tabWidget")->setCurrentIndex(tab);
        const Walk it = tabWalk(w);
        QCOMPARE(it.objects, expected);
        for (int i = 0; i < it.names.size(); ++i) {
            const QString translated = italian.translate("MainWindow", qPrintable(english.names.at(i)));
            QVERIFY2(!translated.isEmpty() && translated != english.names.at(i), qPrintable(english.names.at(i)));
            QCOMPARE(it.names.at(i), translated);
        }
    }

    void closedCheckListKeepsItsSummary_data()
    {
        QTest::addColumn<int>("key"); // 0: the mouse wheel
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("closeKey"); // 0: the list stays closed
        QTest::newRow("Down, then Return") << int(Qt::Key_Down) << 0 << int(Qt::Key_Return);
        QTest::newRow("Alt+Down, then Escape") << int(Qt::Key_Down) << int(Qt::AltModifier) << int(Qt::Key_Escape);
        QTest::newRow("Up") << int(Qt::Key_Up) << 0 << 0;
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 0 << 0;
        QTest::newRow("wheel") << 0 << 0 << 0;
    }

    void closedCheckListKeepsItsSummary()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, closeKey);
        MainWindow w;
        showWithAudit(w);
        // A summary that no single item's text matches, and a current item with neighbours.
        QCheckList& dates = w.dateFilter();
        dates.setCurrentIndex(1);
        dates.on_itemPressed(dates.model()->index(0, 0));
        dates.on_itemPressed(dates.model()->index(2, 0));
        const QString summary = QStringLiteral("06/05/2024, 04/05/2024");
        QCOMPARE(dates.lineEdit()->text(), summary);
        dates.setFocus();

        if (key) {
            QTest::keyClick(&dates, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        } else {
            QWheelEvent wheel(QPoint(5, 5), dates.mapToGlobal(QPoint(5, 5)), {}, QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&dates, &wheel);
        }
        QCOMPARE(dates.lineEdit()->text(), summary);
        QCOMPARE(dates.currentIndex(), 1);
        QCOMPARE(dates.view()->isVisible(), closeKey != 0);
        if (!closeKey)
            return;

        // The open list is worked with the keyboard: step, uncheck, close.
        QTest::keyClick(dates.view(), Qt::Key_Down);
        QTest::keyClick(dates.view(), Qt::Key_Space);
        QCOMPARE(dates.checkedTexts(), QStringList{ "06/05/2024" });
        QTest::keyClick(dates.view(), Qt::Key(closeKey));
        QTRY_VERIFY(!dates.view()->isVisible());
        QCOMPARE(dates.lineEdit()->text(), QStringLiteral("06/05/2024"));
    }
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
