#include "GuiTestSupport.h"

#include <QAbstractItemView>
#include <QTableView>
#include <QAccessible>
#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QLineEdit>
#include <QSet>
#include <QTabWidget>
#include <QtTest>

using namespace guitest;

namespace {

// Tab from the first toolbar button round to it again: every stop, its spoken name (the name
// given, else the widget's own text), and whether each stop reads after the one before it
// (left to right on one line, else further down).
struct Walk
{
    QWidgetList stops; // valid until the filter row is rebuilt
    QStringList objects, names;
    bool inReadingOrder = true;
};
Walk tabWalk(MainWindow& w)
{
    Walk walk;
    QWidget* first = child<QWidget>(w, "buttonNew");
    first->setFocus();
    QRect a;
    for (QWidget* focus = first; walk.stops.size() < 50; focus = QApplication::focusWidget()) {
        if (focus == first && !walk.stops.isEmpty())
            break;
        const QRect b(focus->mapTo(&w, QPoint()), focus->size());
        const bool sameLine = b.top() < a.bottom() && a.top() < b.bottom();
        walk.inReadingOrder &= walk.stops.isEmpty() || (sameLine ? b.left() > a.right() : b.top() > a.bottom());
        a = b;
        walk.stops << focus;
        walk.objects << focus->objectName();
        walk.names << (focus->accessibleName().isEmpty()
                           ? QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name)
                           : focus->accessibleName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return walk;
}

// What the user can reach with Tab on the window as it stands: shown, enabled, taking Tab itself.
QSet<QWidget*> tabStops(MainWindow& w)
{
    QSet<QWidget*> stops;
    for (QWidget* c : w.findChildren<QWidget*>())
        if (c->isVisible() && c->isEnabled() && (c->focusPolicy() & Qt::TabFocus) && !c->focusProxy())
            stops << c;
    return stops;
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

// The desktop's browser, as far as the window can tell.
class Browser : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class KeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        removeSettings();
        provideTranslations(true);
    }

    void tabReachesEveryControlInReadingOrder_data()
    {
        QTest::addColumn<int>("tab");
        QTest::newRow("events") << 0;
        QTest::newRow("configuration") << 1;
        QTest::newRow("users") << 2;
    }

    // With an audit loaded, so that a table that kept Tab to step through its cells would trap it:
    // each control once, in reading order, each with a name; after the language switch, which
    // rebuilds the filter row, the same again with every name in the new language.
    void tabReachesEveryControlInReadingOrder()
    {
        QFETCH(int, tab);
        MainWindow w;
        showWithAudit(w);
        child<QTabWidget>(w, "tabWidget")->setCurrentIndex(tab);
        const Walk english = tabWalk(w);
        QCOMPARE(QSet<QWidget*>(english.stops.begin(), english.stops.end()), tabStops(w));
        QCOMPARE(english.stops.size(), tabStops(w).size());
        QVERIFY2(english.inReadingOrder, qPrintable(english.objects.join(' ')));
        QVERIFY(!english.names.contains(QString()));

        w.onLangIt();
        QCoreApplication::processEvents(); // shows the new buttons
        child<QTabWidget>(w, "tabWidget")->setCurrentIndex(tab);
        const Walk it = tabWalk(w);
        QCOMPARE(it.objects, english.objects);
        QVERIFY(it.inReadingOrder);
        for (int i = 0; i < it.names.size(); ++i)
            QVERIFY2(!it.names.at(i).isEmpty() && it.names.at(i) != english.names.at(i), qPrintable(english.names.at(i)));
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
        QCheckList& dates = w.eventsView().dateFilter();
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

    // The toolbar's keys do what a press on their buttons does, and each button's tooltip names
    // its key. Without an interface, reading a key says so.
    void toolbarKeys()
    {
        CapturedMessages messages;
        QStringList dialogs;
        Messages::setFileNameInterceptor([&](bool save) { return dialogs << (save ? "save" : "open"), QString(); });
        MainWindow w;
        showWithAudit(w);
        w.eventsView().table()->setFocus();
        // As the window system delivers a key: to the active window, with no menu open.
        const auto press = [&w](Qt::Key key) {
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QTest::keyClick(w.windowHandle(), key, Qt::ControlModifier);
        };
        press(Qt::Key_O);
        press(Qt::Key_S);
        QCOMPARE(dialogs, (QStringList{ "open", "save" }));
        Messages::setFileNameInterceptor(nullptr);
        const QPair<Qt::Key, const char*> menus[] = { { Qt::Key_E, "buttonExport" }, { Qt::Key_D, "btnDownlad" } };
        for (const auto& [key, name] : menus) {
            QMenu* opened = nullptr;
            QTimer closer;
            QObject::connect(&closer, &QTimer::timeout, [&opened] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
                    opened = menu, menu->close();
            });
            closer.start(10); // polls: the menu runs its own loop inside the key's delivery
            press(key);
            QTRY_VERIFY2(opened, name);
            QCOMPARE(opened, child<QToolButton>(w, name)->menu());
        }
        press(Qt::Key_R);
        QCOMPARE(messages.texts(), QStringList{ "Unable to find any USB interface" });

        const QStringList keys{ "buttonOpen=Ctrl+O", "buttonSave=Ctrl+S", "buttonExport=Ctrl+E", "btnDownlad=Ctrl+D",
                                "buttonReadDallas=Ctrl+R" };
        for (const QString& pair : keys) {
            const QString tip = child<QToolButton>(w, qPrintable(pair.section('=', 0, 0)))->toolTip();
            QVERIFY2(tip.endsWith(" (" + pair.section('=', 1) + ")"), qPrintable(tip));
        }
        QVERIFY(child<QToolButton>(w, "buttonAbout")->toolTip().endsWith("\nManual: F1"));
        w.onLangIt();
        QVERIFY(child<QToolButton>(w, "buttonOpen")->toolTip().endsWith(" (Ctrl+O)"));
        QVERIFY(child<QToolButton>(w, "buttonAbout")->toolTip().endsWith("\nManuale: F1"));
        w.onLangEn();
    }

    // F1 opens the manual's page in the window's language in the desktop's browser, the English
    // one when there is none; without the pages, a message says so.
    void f1OpensTheManual()
    {
        Browser browser;
        QDesktopServices::setUrlHandler("file", &browser, "open");
        QDir manual(QCoreApplication::applicationDirPath() + "/manual");
        QVERIFY(manual.removeRecursively() && QDir().mkpath(manual.path()));
        for (const char* page : { "corvane-audit.html", "corvane-audit_it.html" })
            QVERIFY(QFile::copy(QStringLiteral(CORVANE_BINARY_DIR "/manual/") + page, manual.filePath(page)));
        CapturedMessages messages;
        MainWindow w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (auto lang : { &MainWindow::onLangEn, &MainWindow::onLangIt, &MainWindow::onLangEs }) {
            (w.*lang)();
            QTest::keyClick(&w, Qt::Key_F1);
        }
        QCOMPARE(browser.opened, (QList<QUrl>{ QUrl::fromLocalFile(manual.filePath("corvane-audit.html")),
                                               QUrl::fromLocalFile(manual.filePath("corvane-audit_it.html")),
                                               QUrl::fromLocalFile(manual.filePath("corvane-audit.html")) }));
        w.onLangEn();
        QVERIFY(manual.removeRecursively());
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(messages.texts(), QStringList{ "The manual is not installed." });
        QDesktopServices::unsetUrlHandler("file");
    }
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
