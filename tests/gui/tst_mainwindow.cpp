#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "QCheckList.h"
#include "SettingsDialog.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

#include <memory>

using namespace guitest;

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    template <typename T> static T* child(MainWindow& w, const char* name)
    {
        T* c = w.findChild<T*>(QLatin1String(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }
    static QTableWidget* events(MainWindow& w) { return child<QTableWidget>(w, "tableWidget"); }

    static QVector<BusEvent> sampleEvents()
    {
        // Newest first, as the lock hands them out.
        return {
            { 2024, 5, 6, 9, 30, 0, 0x05, 1 },   // Bolt open, User 01
            { 2024, 5, 6, 9, 20, 0, 0x01, 1 },   // Valid code, User 01
            { 2024, 5, 5, 18, 0, 0, 0x05, 80 },  // Bolt open, Master
            { 2024, 5, 5, 17, 50, 0, 0x01, 80 }, // Valid code, Master
            { 2024, 5, 4, 8, 0, 0, 0x11, 1 },    // User installed, User 01
            { 2024, 0, 4, 8, 0, 0, 0xF9, 0 },    // month 0: no time
        };
    }

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
        for (const char* name : { "comboBoxFrom", "comboBoxFromDay", "comboBoxFromMonth", "comboBoxTo", "comboBoxToDay",
                                  "comboBoxToMonth", "comboBoxAddSub", "comboBoxHours" })
            QCOMPARE(child<QComboBox>(w, name)->currentIndex(), 0);
        QCOMPARE(child<QTabWidget>(w, "tabWidget")->currentIndex(), 0);
        QCOMPARE(events(w)->columnCount(), 7);
        QVERIFY(events(w)->isColumnHidden(3));
        QCOMPARE(events(w)->horizontalHeaderItem(5)->text(), QStringLiteral("Event"));

        SettingsDialog dialog;
        QVERIFY(dialog.findChild<QRadioButton*>("radioButtonEu")->isChecked());
        QVERIFY(dialog.findChild<QRadioButton*>("radioButton24")->isChecked());
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
        const QList<QPair<const char*, int>> picks = { { "comboBoxFrom", 4 },     { "comboBoxFromDay", 0 },
                                                       { "comboBoxFromMonth", 2 }, { "comboBoxTo", 4 },
                                                       { "comboBoxToDay", 3 },     { "comboBoxToMonth", 9 },
                                                       { "comboBoxAddSub", 1 },    { "comboBoxHours", 2 } };
        QRect geometry;
        {
            MainWindow w;
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.resize(1250, 780);
            for (const auto& p : picks)
                child<QComboBox>(w, p.first)->setCurrentIndex(p.second);
            geometry = w.geometry();
            w.close();
        }
        QCOMPARE(readSetting("ToMonth").toInt(), 9);
        MainWindow again;
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.size(), geometry.size());
        for (const auto& p : picks)
            QCOMPARE(child<QComboBox>(again, p.first)->currentIndex(), p.second);
        QCOMPARE(events(again)->rowCount(), 0);
    }

    void languageSwitchRetranslatesAndIsRemembered()
    {
        QTranslator italian;
        QVERIFY(italian.load(QStringLiteral(CORVANE_BINARY_DIR "/audit_it.qm")));
        const QString italianEvents = italian.translate("MainWindow", "Events");
        QVERIFY(!italianEvents.isEmpty());
        QVERIFY(italianEvents != QStringLiteral("Events"));

        {
            MainWindow w;
            w.onLangIt();
            QCOMPARE(w.currentLanguage(), QStringLiteral("it"));
            auto* tabs = child<QTabWidget>(w, "tabWidget");
            QCOMPARE(tabs->tabText(0), italianEvents);
            QCOMPARE(events(w)->horizontalHeaderItem(2)->text(), italian.translate("MainWindow", "Date"));
            QCOMPARE(child<QToolButton>(w, "buttonNew")->text(), italian.translate("MainWindow", "New"));
            QCOMPARE(child<QComboBox>(w, "comboBoxFromMonth")->itemText(0), italian.translate("MainWindow", "January"));
            QCOMPARE(readSetting("Language").toInt(), 0);

            // Exactly one language is checked in the rebuilt menu.
            QMenu* menu = child<QToolButton>(w, "btnLanguage")->menu();
            QVERIFY(menu);
            QList<bool> checked;
            for (QAction* a : menu->actions())
                checked << a->isChecked();
            QCOMPARE(checked, (QList<bool>{ true, false, false }));

            w.onLangEs();
            QCOMPARE(child<QTabWidget>(w, "tabWidget")->tabText(1),
                     QCoreApplication::translate("MainWindow", "Configuration"));
            QVERIFY(child<QTabWidget>(w, "tabWidget")->tabText(1) != QStringLiteral("Configuration"));
            w.onLangIt();
        }
        MainWindow reopened;
        QCOMPARE(reopened.currentLanguage(), QStringLiteral("it"));
        QCOMPARE(child<QTabWidget>(reopened, "tabWidget")->tabText(0), italianEvents);
        reopened.onLangEn();
        QCOMPARE(child<QTabWidget>(reopened, "tabWidget")->tabText(0), QStringLiteral("Events"));
    }

    void missingTranslationFilesLeaveEnglish()
    {
        provideTranslations(false);
        MainWindow w;
        w.onLangIt();
        QCOMPARE(w.currentLanguage(), QStringLiteral("it"));
        QCOMPARE(child<QTabWidget>(w, "tabWidget")->tabText(0), QStringLiteral("Events"));
        QCOMPARE(readSetting("Language").toInt(), 0);
        w.onLangEn();
    }

    void filterRowFollowsColumns()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTableWidget* table = events(w);
        QHeaderView* header = table->horizontalHeader();
        ColumnAlignedLayout* layout = w.filterRowLayout();
        QVERIFY(layout);
        QWidget* row = child<QWidget>(w, "widget");

        auto checkAligned = [&]() {
            QCoreApplication::processEvents();
            layout->activate();
            layout->setGeometry(row->rect());
            const int headerX = header->mapTo(&w, QPoint(0, 0)).x() - row->mapTo(&w, QPoint(0, 0)).x();
            for (int i = 0; i < header->count(); ++i) {
                if (header->isSectionHidden(i))
                    continue;
                // A column scrolled wholly out of view has nothing visible to align.
                if (header->sectionViewportPosition(i) + header->sectionSize(i) <= 0)
                    continue;
                const QRect g = layout->itemAt(i)->geometry();
                const int left = headerX + header->sectionViewportPosition(i) + 15;
                const int right = left + header->sectionSize(i) - 31;
                // Widgets scrolled partly out on the left are clipped at the row's edge.
                QCOMPARE(g.left(), qMax(left, 0));
                if (header->sectionSize(i) > 30)
                    QCOMPARE(g.right(), right);
            }
        };
        checkAligned();
        QCOMPARE(w.dateFilter().geometry().left(), layout->itemAt(2)->geometry().left());

        table->setColumnWidth(2, 260);
        checkAligned();

        table->setColumnWidth(5, 900); // wider than the view: the table scrolls sideways
        QCoreApplication::processEvents();
        table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
        QVERIFY(table->horizontalScrollBar()->value() > 0);
        checkAligned();

        // A narrow column leaves its filter no visible width.
        table->horizontalScrollBar()->setValue(0);
        header->setMinimumSectionSize(0);
        table->setColumnWidth(0, 20);
        checkAligned();
        QVERIFY(layout->itemAt(0)->geometry().width() <= 0);
    }

    void newEmptiesViewAndSession()
    {
        CapturedMessages messages;
        MainWindow w;
        loadBusAudit(w.session(), sampleEvents());
        QVERIFY(w.ShowLoadedAudit());
        QVERIFY(events(w)->rowCount() > 0);
        QVERIFY(!child<QLabel>(w, "labelLockSN")->text().isEmpty());
        events(w)->setColumnHidden(3, false);
        events(w)->setColumnWidth(5, 320);
        child<QTabWidget>(w, "tabWidget")->setCurrentIndex(2);

        w.on_buttonNew_clicked();
        QCOMPARE(events(w)->rowCount(), 0);
        QCOMPARE(child<QTableWidget>(w, "tableWidget_2")->rowCount(), 0);
        QCOMPARE(child<QTabWidget>(w, "tabWidget")->currentIndex(), 0);
        for (const char* label : { "labelLockSN", "labelLockName", "labelTD", "labelDlDate", "labelDlDate2" })
            QVERIFY2(child<QLabel>(w, label)->text().isEmpty(), label);
        QVERIFY(events(w)->isColumnHidden(3));
        QCOMPARE(events(w)->columnWidth(5), 470);
        QVERIFY(w.session().mergedEvents.isEmpty());
        QVERIFY(w.session().config.serialNumber.isEmpty());
        QCOMPARE(w.session().busEvents[0], quint8(0));
        QVERIFY(messages.list.isEmpty());

        w.on_buttonNew_clicked(); // nothing loaded: still fine
        QCOMPARE(events(w)->rowCount(), 0);
    }

    void filtersPickUsersAndEvents()
    {
        CapturedMessages messages;
        writeSetting("AuditType", 0);
        MainWindow w;
        loadBusAudit(w.session(), sampleEvents());
        QVERIFY(w.ShowLoadedAudit());
        QTableWidget* table = events(w);
        QCOMPARE(table->rowCount(), 6);

        // Distinct values in first-seen order; the timeless event gives one empty date.
        QCOMPARE(w.dateFilter().count(), 4);
        QCOMPARE(w.dateFilter().itemText(0), QStringLiteral("06/05/2024"));
        QCOMPARE(w.dateFilter().itemText(3), QString());
        QCOMPARE(w.userFilter().count(), 3);
        QCOMPARE(w.eventIdFilter().itemText(0), QStringLiteral("5"));

        auto check = [](QCheckList& list, const QString& text) {
            for (int i = 0; i < list.count(); ++i)
                if (list.itemText(i) == text)
                    list.on_itemPressed(list.model()->index(i, 0));
        };
        auto visibleRows = [table]() {
            QList<int> rows;
            for (int r = 0; r < table->rowCount(); ++r)
                if (!table->isRowHidden(r))
                    rows << r;
            return rows;
        };

        w.onSetFilter(); // nothing checked: everything stays
        QCOMPARE(visibleRows().size(), 6);

        check(w.userFilter(), "User 01");
        check(w.userFilter(), "Master");
        check(w.eventFilter(), "Bolt open");
        QCOMPARE(w.userFilter().lineEdit()->text(), QStringLiteral("User 01, Master"));
        QCOMPARE(visibleRows().size(), 6); // picking alone does not filter
        w.onSetFilter();
        QCOMPARE(visibleRows(), (QList<int>{ 0, 2 }));

        w.onResetFilter();
        QCOMPARE(visibleRows().size(), 6);
        QVERIFY(w.userFilter().checkedTexts().isEmpty());
        QVERIFY(w.userFilter().lineEdit()->text().isEmpty());

        check(w.dateFilter(), QString());
        w.onSetFilter();
        QCOMPARE(visibleRows(), (QList<int>{ 5 }));

        // All items checked shows the (empty) all-checked text, not the list.
        w.onResetFilter();
        for (int i = 0; i < w.eventIdFilter().count(); ++i)
            w.eventIdFilter().on_itemPressed(w.eventIdFilter().model()->index(i, 0));
        QCOMPARE(w.eventIdFilter().globalCheckState(), int(QCheckList::AllChecked));
        QVERIFY(w.eventIdFilter().lineEdit()->text().isEmpty());
    }

    void portsFromEnvironmentAreListed()
    {
        qputenv("CORVANE_AUDIT_PORTS", "/dev/corvane-sim-a:/dev/corvane-sim-b");
        MainWindow w;
        auto* ports = child<QComboBox>(w, "comboBox");
        QVERIFY(ports->count() >= 2);
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
