#include "GuiTestSupport.h"
#include "view/SettingsDialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTimer>
#include <QTranslator>
#include <QTableView>
#include <QtTest>

using namespace guitest;

namespace {

const char* const dstCombos[] = { "comboBoxFrom", "comboBoxFromDay", "comboBoxFromMonth", "comboBoxTo",
                                  "comboBoxToDay", "comboBoxToMonth", "comboBoxAddSub", "comboBoxHours" };
const int dstPicks[] = { 4, 0, 2, 4, 3, 9, 1, 2 };

QTableView* events(MainWindow& w) { return child<QTableView>(w, "tableWidget"); }
QString tabText(MainWindow& w, int i) { return child<QTabWidget>(w, "tabWidget")->tabText(i); }

// Newest first: user 01 and the master open, user 01 installed, one record without a valid date.
void loadSample(MainWindow& w)
{
    loadBusAudit(w, { { { 24, 5, 6, 9, 30, 0 }, { 0x05, 1 } },
                      { { 24, 5, 6, 9, 20, 0 }, { 0x01, 1 } },
                      { { 24, 5, 5, 18, 0, 0 }, { 0x05, 80 } },
                      { { 24, 5, 5, 17, 50, 0 }, { 0x01, 80 } },
                      { { 24, 5, 4, 8, 0, 0 }, { 0x11, 1 } },
                      { { 24, 0, 4, 8, 0, 0 }, { 0xF9, 0 } } });
    QVERIFY(w.ShowLoadedAudit());
}

void press(QCheckList& list, const QString& text)
{
    for (int i = 0; i < list.count(); ++i)
        if (list.itemText(i) == text)
            list.on_itemPressed(list.model()->index(i, 0));
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        removeSettings();
        provideTranslations(true);
    }

    void firstStartUsesDefaults()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.currentLanguage(), QStringLiteral("en"));
        QCOMPARE(w.size(), QSize(1100, 700));
        QCOMPARE(readSetting("Language").toInt(), 1);
        for (const char* name : dstCombos)
            QCOMPARE(child<QComboBox>(w, name)->currentIndex(), 0);
        QVERIFY(events(w)->isColumnHidden(3));
        SettingsDialog dialog;
        QVERIFY(dialog.findChild<QRadioButton*>("radioButtonSimple")->isChecked());
    }

    void unknownLanguageStartsInEnglish()
    {
        writeSetting("Language", 7);
        MainWindow w;
        QCOMPARE(w.currentLanguage(), QStringLiteral("en"));
        QCOMPARE(readSetting("Language").toInt(), 1);
    }

    void closeAndReopenRestoresGeometryAndDstChoices()
    {
        QSize size;
        {
            MainWindow w;
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.resize(1250, 780);
            for (int i = 0; i < 8; ++i)
                child<QComboBox>(w, dstCombos[i])->setCurrentIndex(dstPicks[i]);
            size = w.size();
            w.close();
        }
        MainWindow again;
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.size(), size);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(child<QComboBox>(again, dstCombos[i])->currentIndex(), dstPicks[i]);
    }

    void languageSwitchRetranslatesAndIsRemembered()
    {
        QTranslator italian;
        QVERIFY(italian.load(QStringLiteral(CORVANE_BINARY_DIR "/audit_it.qm")));
        const auto it = [&italian](const char* text) { return italian.translate("MainWindow", text); };
        QVERIFY(!it("Events").isEmpty() && it("Events") != "Events");
        {
            MainWindow w;
            w.onLangIt();
            QCOMPARE(tabText(w, 0), it("Events"));
            QCOMPARE(header(events(w), 2), it("Date"));
            QCOMPARE(child<QToolButton>(w, "buttonNew")->text(), it("New"));
            QCOMPARE(child<QComboBox>(w, "comboBoxFromMonth")->itemText(0), italian.translate("DstGroup", "January"));
            QCOMPARE(readSetting("Language").toInt(), 0);
            QList<bool> checked;
            for (QAction* a : child<QToolButton>(w, "btnLanguage")->menu()->actions())
                checked << a->isChecked();
            QCOMPARE(checked, (QList<bool>{ true, false, false }));

            w.onLangEs();
            QVERIFY(tabText(w, 1) != "Configuration" && tabText(w, 1) != it("Configuration"));
            w.onLangIt();
        }
        MainWindow reopened;
        QCOMPARE(tabText(reopened, 0), it("Events"));
        reopened.onLangEn();
        QCOMPARE(tabText(reopened, 0), QStringLiteral("Events"));
    }

    // The menu that delivers the click is rebuilt by it: switching as a user does (a press on the
    // button opens the menu, a click through the window system picks the language), again and
    // again with an audit loaded. The old menu must outlive the delivery of its click: Qt's own
    // code (which the sanitizers do not see) still writes into it on the way out.
    void languageSwitchThroughTheMenu()
    {
        MainWindow w;
        w.show();
        loadSample(w);
        const int shown = rows(events(w));
        const QStringList codes{ "it", "en", "es" };
        for (int i = 0; i < 15; ++i) {
            QPointer<QMenu> old = child<QToolButton>(w, "btnLanguage")->menu();
            bool delivering = false, deletedWhileDelivering = false;
            QObject::connect(old, &QObject::destroyed, [&] { deletedWhileDelivering = delivering; });
            bool clicked = false;
            static int timestamp = 1 << 30;
            QTimer pick;
            QObject::connect(&pick, &QTimer::timeout, [&] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (!menu || clicked)
                    return;
                clicked = true;
                QWindow* window = menu->windowHandle();
                const QPoint at = menu->actionGeometry(menu->actions().at(i % 3)).center();
                QTest::mousePress(window, Qt::LeftButton, {}, at);
                // The release alone, delivered as the window system delivers it, with nothing after it.
                QTestPrivate::qtestMouseButtons.setFlag(Qt::LeftButton, false);
                delivering = true;
                qt_handleMouseEvent(window, at, window->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                                    QEvent::MouseButtonRelease, Qt::NoModifier, ++timestamp);
                delivering = false;
            });
            pick.start(10);
            QTest::mouseClick(child<QToolButton>(w, "btnLanguage"), Qt::LeftButton);
            QTRY_VERIFY(clicked);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!deletedWhileDelivering);
            QVERIFY(old.isNull());
            QCOMPARE(w.currentLanguage(), codes.at(i % 3));
            QCOMPARE(rows(events(w)), shown);
            QVERIFY(child<QToolButton>(w, "btnLanguage")->menu()->actions().at(i % 3)->isChecked());
        }
        // Download, language, export and open: none left over from the switches.
        QCOMPARE(w.findChildren<QMenu*>().size(), 4);
        w.onLangEn();
    }

    void missingTranslationFilesLeaveEnglish()
    {
        provideTranslations(false);
        MainWindow w;
        w.onLangIt();
        QCOMPARE(tabText(w, 0), QStringLiteral("Events"));
        QCOMPARE(readSetting("Language").toInt(), 0);
        w.onLangEn();
    }

    void filterRowFollowsColumns_data()
    {
        QTest::addColumn<bool>("history");
        QTest::addColumn<bool>("dst");
        QTest::addColumn<bool>("people");
        QTest::newRow("audit") << false << false << false;
        QTest::newRow("audit with DST") << false << true << false;
        QTest::newRow("history") << true << false << false;
        QTest::newRow("history with DST") << true << true << false;
        QTest::newRow("history naming people") << true << false << true;
        QTest::newRow("history naming people, with DST") << true << true << true;
    }

    // In a 1280-pixel window every column is in view without scrolling, "Visit" of a history
    // too; each filter stays 15 px inside its column as columns are resized and as the table
    // scrolls, moving with the columns; the Event filter opens as wide as its entries.
    void filterRowFollowsColumns()
    {
        QFETCH(bool, history);
        QFETCH(bool, dst);
        QFETCH(bool, people);
        writeSetting("AuditType", 0);
        MainWindow w;
        w.resize(1280, 800);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        if (history)
            showHistory(w, 400);
        if (people) {
            AuditView named = w.view();
            NamePeople(named, { Tenure{ 2, QStringLiteral("Maria Rossi"), QDate(2020, 1, 1), QDate() } });
            w.show(named);
        }
        if (!history)
            loadSample(w);
        if (dst)
            w.on_pushButton_clicked();
        QTableView* table = events(w);
        QHeaderView* header = table->horizontalHeader();
        ColumnAlignedLayout* layout = w.eventsView().filterRowLayout();
        QWidget* row = child<QWidget>(w, "widget");
        QCoreApplication::processEvents();

        QCOMPARE(table->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(header->count(), history ? (people ? 9 : 8) : 7);
        for (int i = 0; i < header->count(); ++i) {
            const bool shown = !header->isSectionHidden(i);
            QVERIFY(!shown || header->sectionViewportPosition(i) + header->sectionSize(i) <= table->viewport()->width());
        }
        QVERIFY(!history || header->sectionSize(EventsTableModel::ColVisit) >= header->sectionSizeHint(EventsTableModel::ColVisit));

        // Left edges of the filters that are on screen, with the lefts they must have.
        auto filterLefts = [&]() {
            QCoreApplication::processEvents();
            layout->setGeometry(row->rect());
            const int headerX = header->mapTo(&w, QPoint()).x() - row->mapTo(&w, QPoint()).x();
            QList<QPair<int, int>> lefts;
            for (int i = 0; i < header->count(); ++i) {
                const int left = headerX + header->sectionViewportPosition(i) + 15;
                const int size = header->sectionSize(i);
                // A filter scrolled out whole (it ends 15 px inside its section) has nothing to align.
                if (header->isSectionHidden(i) || left + size - 30 <= 0)
                    continue;
                const QRect g = layout->itemAt(i)->geometry();
                // Widgets scrolled partly out on the left are clipped at the row's edge.
                lefts << qMakePair(g.left(), qMax(left, 0));
                if (size > 30 && g.right() != left + size - 31)
                    lefts << qMakePair(g.right(), left + size - 31);
            }
            return lefts;
        };
        auto checkAligned = [&]() {
            for (const auto& left : filterLefts())
                QCOMPARE(left.first, left.second);
        };
        checkAligned();
        QCheckList& eventFilter = w.eventsView().eventFilter();
        eventFilter.showPopup();
        QTRY_VERIFY(eventFilter.view()->isVisible());
        QVERIFY(eventFilter.view()->viewport()->width() >= eventFilter.view()->sizeHintForColumn(0));
        eventFilter.hidePopup();

        table->setColumnWidth(2, 260);
        checkAligned();
        table->setColumnWidth(5, 900); // the table now scrolls sideways
        checkAligned();
        const int before = layout->itemAt(EventsTableModel::ColEventId)->geometry().left();
        table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
        QVERIFY(table->horizontalScrollBar()->value() > 0);
        checkAligned();
        // Scrolled to the right, the columns and their filters move left together.
        QCOMPARE(layout->itemAt(EventsTableModel::ColEventId)->geometry().left(),
                 before - table->horizontalScrollBar()->value());

        table->horizontalScrollBar()->setValue(0);
        header->setMinimumSectionSize(0);
        table->setColumnWidth(0, 20);
        checkAligned();
        QVERIFY(layout->itemAt(0)->geometry().width() <= 0);
    }

    // "N events shown of M" under the table, in each language's plural forms; the rows that mark a
    // gap in a history are no events.
    void rowCountUnderTheTable_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("counts");
        QTest::newRow("en") << "en" << QStringList{ "6 events shown of 6", "2 events shown of 6", "1 event shown of 6",
                                                    "400 events shown of 400", "30 events shown of 400" };
        QTest::newRow("it") << "it" << QStringList{ "6 eventi mostrati su 6", "2 eventi mostrati su 6",
                                                    "1 evento mostrato su 6", "400 eventi mostrati su 400",
                                                    "30 eventi mostrati su 400" };
        QTest::newRow("es") << "es" << QStringList{ "6 eventos mostrados de 6", "2 eventos mostrados de 6",
                                                    "1 evento mostrado de 6", "400 eventos mostrados de 400",
                                                    "30 eventos mostrados de 400" };
    }

    void rowCountUnderTheTable()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, counts);
        writeSetting("AuditType", 0);
        MainWindow w;
        language == "it" ? w.onLangIt() : language == "es" ? w.onLangEs() : w.onLangEn();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QLabel* count = child<QLabel>(w, "labelRowCount");
        QVERIFY(count->text().isEmpty());
        loadSample(w);
        QStringList shown{ count->text() };
        press(w.eventsView().dateFilter(), "06/05/2024");
        w.onSetFilter();
        shown << count->text();
        w.onResetFilter();
        press(w.eventsView().dateFilter(), QString());
        w.onSetFilter();
        shown << count->text();
        showHistory(w, 400);
        QCOMPARE(rows(events(w)), 401);
        shown << count->text();
        w.eventsView().onlyNewFilter().setChecked(true);
        shown << count->text();
        QCOMPARE(shown, counts);
        QVERIFY(count->mapTo(&w, QPoint()).y() > events(w)->mapTo(&w, QPoint()).y() + events(w)->height());
        w.on_buttonNew_clicked();
        QVERIFY(count->text().isEmpty());
        w.onLangEn();
    }

    void newEmptiesViewAndSession()
    {
        CapturedMessages messages;
        MainWindow w;
        loadSample(w);
        QVERIFY(!child<QLabel>(w, "labelLockSN")->text().isEmpty());
        events(w)->setColumnHidden(3, false);
        events(w)->setColumnWidth(5, 320);
        child<QTabWidget>(w, "tabWidget")->setCurrentIndex(2);

        w.on_buttonNew_clicked();
        QCOMPARE(rows(events(w)) + child<QTableWidget>(w, "tableWidget_2")->rowCount(), 0);
        QCOMPARE(child<QTabWidget>(w, "tabWidget")->currentIndex(), 0);
        for (const char* label : { "labelLockSN", "labelTD", "labelDlDate", "labelDlDate2" })
            QVERIFY2(child<QLabel>(w, label)->text().isEmpty(), label);
        QVERIFY(events(w)->isColumnHidden(3));
        QCOMPARE(events(w)->columnWidth(5), 470);
        QVERIFY(w.view().events.isEmpty() && w.session().decoded.config.serialNumber.isEmpty());
        QCOMPARE(w.session().busEvents[0], quint8(0));
        QVERIFY(messages.list.isEmpty());
    }

    void filtersPickUsersAndEvents()
    {
        CapturedMessages messages;
        writeSetting("AuditType", 0);
        MainWindow w;
        loadSample(w);
        auto visibleRows = [&w]() {
            QList<int> rows;
            for (int r = 0; r < w.eventsView().model().rowCount(); ++r)
                if (w.eventsView().rowShown(r))
                    rows << r;
            return rows;
        };
        // Distinct values in first-seen order; the timeless event gives one empty date.
        QCOMPARE(w.eventsView().dateFilter().count(), 4);
        QCOMPARE(w.eventsView().dateFilter().itemText(0), QStringLiteral("06/05/2024"));
        QCOMPARE(w.eventsView().dateFilter().itemText(3), QString());
        QCOMPARE(w.eventsView().userFilter().count(), 3);

        w.onSetFilter();
        QCOMPARE(visibleRows().size(), 6); // nothing checked

        // A click on the summary line opens the list, and the release does not close it again.
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Through the window system, so the release reaches whatever holds the mouse.
        const QPoint onLine = w.eventsView().userFilter().lineEdit()->mapTo(&w, QPoint(5, 5));
        QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, onLine);
        QTRY_VERIFY(w.eventsView().userFilter().view()->isVisible());
        QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, onLine);
        QTest::qWait(50);
        QVERIFY(w.eventsView().userFilter().view()->isVisible());
        w.eventsView().userFilter().hidePopup();

        press(w.eventsView().userFilter(), "User 01");
        press(w.eventsView().userFilter(), "Master");
        press(w.eventsView().eventFilter(), "Bolt open");
        QCOMPARE(w.eventsView().userFilter().lineEdit()->text(), QStringLiteral("User 01, Master"));
        QCOMPARE(visibleRows().size(), 6); // picking alone does not filter
        w.onSetFilter();
        QCOMPARE(visibleRows(), (QList<int>{ 0, 2 }));

        w.onResetFilter();
        QCOMPARE(visibleRows().size(), 6);
        QVERIFY(w.eventsView().userFilter().checkedTexts().isEmpty() && w.eventsView().userFilter().lineEdit()->text().isEmpty());

        press(w.eventsView().dateFilter(), QString());
        w.onSetFilter();
        QCOMPARE(visibleRows(), (QList<int>{ 5 }));

        for (int i = 0; i < w.eventsView().eventIdFilter().count(); ++i)
            w.eventsView().eventIdFilter().on_itemPressed(w.eventsView().eventIdFilter().model()->index(i, 0));
        QCOMPARE(w.eventsView().eventIdFilter().globalCheckState(), int(QCheckList::AllChecked));
        QVERIFY(w.eventsView().eventIdFilter().lineEdit()->text().isEmpty());
    }

    void portsFromEnvironmentAreListed()
    {
        qputenv("CORVANE_AUDIT_PORTS", "/dev/corvane-sim-a:/dev/corvane-sim-b");
        MainWindow w;
        auto* ports = child<QComboBox>(w, "comboBox");
        QCOMPARE(ports->itemText(ports->count() - 2), QStringLiteral("/dev/corvane-sim-a"));
        QCOMPARE(ports->itemText(ports->count() - 1), QStringLiteral("/dev/corvane-sim-b"));
        QCOMPARE(ports->currentIndex(), 0);

        qputenv("CORVANE_AUDIT_PORTS", "/dev/corvane-sim-c");
        w.on_buttonRefresh_clicked();
        QCOMPARE(ports->itemText(ports->count() - 1), QStringLiteral("/dev/corvane-sim-c"));
        QCOMPARE(ports->findText(QStringLiteral("/dev/corvane-sim-a")), -1);
        qunsetenv("CORVANE_AUDIT_PORTS");
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
