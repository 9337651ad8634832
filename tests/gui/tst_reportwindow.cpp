#include "GuiTestSupport.h"
#include "ReportContent.h"
#include "reports/ReadBack.h"

#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

using namespace guitest;

namespace {

const char* const ruleCombos[] = { "comboBoxFrom", "comboBoxFromDay", "comboBoxFromMonth", "comboBoxTo",
                                   "comboBoxToDay", "comboBoxToMonth", "comboBoxAddSub", "comboBoxHours" };
const QVector<int> europe { 4, 0, 2, 4, 0, 9, 0, 2 }; // last Sunday of March to last Sunday of October, add 1 hour

void setRule(MainWindow& w, const QVector<int>& picks)
{
    for (int i = 0; i < 8; ++i)
        child<QComboBox>(w, ruleCombos[i])->setCurrentIndex(picks[i]);
}

QVector<int> rule(MainWindow& w)
{
    QVector<int> picks;
    for (const char* name : ruleCombos)
        picks << child<QComboBox>(w, name)->currentIndex();
    return picks;
}

// Newest first: one event in the daylight-saving period, one outside, one without a valid date.
void loadSample(MainWindow& w)
{
    loadBusAudit(w, { { { 24, 5, 6, 9, 30, 0 }, { 0x05, 1 } }, { { 24, 1, 10, 8, 0, 0 }, { 0x01, 80 } },
                      { { 24, 0, 4, 8, 0, 0 }, { 0xF9, 0 } } });
    QVERIFY(w.ShowLoadedAudit());
}

QStringList dstColumn(MainWindow& w)
{
    QStringList cells;
    for (int r = 0; r < w.eventsView().table()->rowCount(); ++r)
        cells << w.eventsView().cellText(r, 3) + (w.eventsView().dstHighlighted(r) ? "*" : "");
    return cells;
}

// Every text and flag of a report content, one line per row.
QStringList Flat(const ReportContent& c)
{
    QStringList lines { c.keypadDownloadTime, c.dstApplied ? "dst" : "" };
    for (const EventRow& e : c.events)
        lines << QStringList { e.number, e.device, e.date, e.dstDate, e.user, e.event, e.eventId, e.dstHighlight ? "*" : "" }.join('|');
    for (const UserRow& u : c.users)
        lines << QStringList { u.name, u.status, u.openingMode }.join('|');
    for (const ConfigItem& i : c.configuration)
        lines << QStringList { i.labelName, i.caption, i.value }.join('|');
    return lines;
}

} // namespace

class ReportWindowTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QTranslator italian;

    QString it(const char* text) const
    {
        const QString t = italian.translate("MainWindow", text);
        return t.isEmpty() ? QString(text) : t;
    }

private slots:
    void initTestCase() { QVERIFY(italian.load(QStringLiteral(CORVANE_BINARY_DIR "/audit_it.qm"))); }

    void init()
    {
        removeSettings();
        provideTranslations(true);
        writeSetting("AuditType", 0);
    }

    // "Set" shows the column with the corrected dates; asked again, No keeps everything and Yes
    // starts over from the lock's own times.
    void dstCorrection()
    {
        CapturedMessages messages;
        QStringList questions;
        bool answer = false;
        Messages::setQuestionInterceptor([&](const QString& q) { return questions << q, answer; });
        MainWindow w;
        loadSample(w);
        QTableWidget* table = w.eventsView().table();
        QVERIFY(table->isColumnHidden(3));
        QCOMPARE(w.FindDay(2021, 2, 1, 5), 22);

        setRule(w, europe);
        child<QPushButton>(w, "pushButton")->click();
        QVERIFY(questions.isEmpty() && w.session().dstApplied);
        QVERIFY(!table->isColumnHidden(3));
        QCOMPARE(table->columnWidth(5), 320);
        const QStringList corrected { "06/05/2024 10.30.00*", "10/01/2024 08.00.00*", "*" };
        QCOMPARE(dstColumn(w), corrected);

        setRule(w, { 4, 0, 2, 4, 0, 9, 1, 2 }); // subtract
        child<QPushButton>(w, "pushButton")->click();
        QCOMPARE(questions, QStringList { "You have already set DST for these events. Do you want to set it again?" });
        QCOMPARE(dstColumn(w), corrected);

        answer = true;
        child<QPushButton>(w, "pushButton")->click();
        QCOMPARE(dstColumn(w), (QStringList { "06/05/2024 08.30.00*", "10/01/2024 08.00.00*", "*" }));
        QVERIFY(messages.list.isEmpty());
        Messages::setQuestionInterceptor(nullptr);
    }

    void languageSwitchKeepsTheRule()
    {
        MainWindow w;
        const QVector<int> picks { 3, 6, 11, 1, 5, 0, 1, 4 };
        setRule(w, picks);
        w.onLangIt();
        QCOMPARE(child<QComboBox>(w, "comboBoxFromMonth")->currentText(), it("December"));
        QCOMPARE(rule(w), picks);
        w.onLangEn();
        QCOMPARE(rule(w), picks);
    }

    // The exports get the table as shown, rows hidden by the filters included: the same content the
    // command line builds from the audit.
    void windowContentIsTheModelsContent()
    {
        MainWindow w;
        loadSample(w);
        setRule(w, europe);
        w.on_pushButton_clicked();
        w.userFilter().on_itemPressed(w.userFilter().model()->index(1, 0));
        w.onSetFilter();
        QVERIFY(w.eventsView().table()->isRowHidden(0));

        AuditSession& s = w.session();
        const ReportContent model = ReportFromAudit(BuildEventRows(s.mergedEvents, {}, true),
                                                    PresentConfig(s.config, s.busAudit, s.lockEvents, {}), true);
        QCOMPARE(model.events.size(), 3);
        QCOMPARE(model.configuration.size(), 18);
        QCOMPARE(Flat(w.reportContent()), Flat(model));
    }

    void exports_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("workbook") << "xlsx";
        QTest::newRow("report") << "pdf";
    }

    // Cancelled, written in Italian, or refused with the previous file kept.
    void exports()
    {
        QFETCH(QString, suffix);
        const bool pdf = suffix == "pdf";
        CapturedMessages messages;
        QString answer;
        Messages::setFileNameInterceptor([&](bool) { return answer; });
        MainWindow w;
        w.onLangIt();
        loadSample(w);
        const auto exportNow = [&] { pdf ? w.onExportPdf() : w.onExportXlsx(); };

        exportNow();
        QCOMPARE(messages.list, pdf ? (QVector<QPair<QMessageBox::Icon, QString>> { { QMessageBox::Critical, it("No audit to export") } })
                                    : (QVector<QPair<QMessageBox::Icon, QString>> {}));

        messages.list.clear();
        answer = dir.filePath("italian." + suffix);
        exportNow();
        QCOMPARE(messages.list.value(0), qMakePair(QMessageBox::Information, it("Audit successfully exported")));
        if (pdf) {
            const QString text = readback::PdfPages(answer).join('\n').simplified();
            for (const char* word : { "Audit", "Users", "Configuration", "Active configuration:", "Page", "Date with DST" })
                QCOMPARE(text.contains(it(word)), word != QLatin1String("Date with DST"));
        } else {
            const QJsonObject book = readback::Workbook(answer);
            QCOMPARE(book["sheets"].toVariant().toStringList(), (QStringList { it("Audit"), it("Users"), it("Configuration") }));
            QCOMPARE(book[it("Configuration")]["cells"]["B2"].toString(), it("Active configuration:") + "|W|tttt");
            QCOMPARE(book[it("Audit")]["cells"]["D2"].toString(), it("Date") + "|-|mmmm");
        }
        QVERIFY(it("Configuration") != "Configuration");

        messages.list.clear();
        answer = dir.filePath(QString(250, 'k') + "." + suffix); // no room for a temporary beside it
        QVERIFY(QFile(answer).open(QIODevice::WriteOnly));
        exportNow();
        QCOMPARE(messages.list.value(0), qMakePair(QMessageBox::Critical, it("Unable to export audit")));
        QCOMPARE(messages.list.size(), 1);
        QCOMPARE(QFileInfo(answer).size(), 0);
        Messages::setFileNameInterceptor(nullptr);
        w.onLangEn();
    }
};

QTEST_MAIN(ReportWindowTest)
#include "tst_reportwindow.moc"
