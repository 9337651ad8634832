#include "GuiTestSupport.h"
#include "model/ReportContent.h"
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

QVector<int> rule(MainWindow& w, const QVector<int>& picks = {})
{
    QVector<int> now;
    for (int i = 0; i < 8; ++i) {
        if (!picks.isEmpty())
            child<QComboBox>(w, ruleCombos[i])->setCurrentIndex(picks[i]);
        now << child<QComboBox>(w, ruleCombos[i])->currentIndex();
    }
    return now;
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
    for (int r = 0; r < w.eventsView().model().rowCount(); ++r)
        cells << w.eventsView().cellText(r, 3) + (w.eventsView().dstHighlighted(r) ? "*" : "");
    return cells;
}

QStringList Flat(const ReportContent& c)
{
    QStringList lines { c.keypadDownloadTime, c.dstApplied ? "dst" : "" };
    for (const ReportSection& s : c.sections) {
        lines << s.name;
        for (int r = 0; r < s.rowCount; ++r) {
            QStringList cells { s.keys.value(r) };
            for (const ReportCell& cell : s.rowAt(r).cells)
                cells << cell.text + (cell.marks & Highlighted ? "*" : "");
            lines << cells.join('|');
        }
    }
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

    // "Set" shows the corrected dates; asked again, No keeps everything and Yes starts over from the
    // lock's own times. A language change drops the correction but keeps the rule.
    void dstCorrection()
    {
        QStringList questions;
        bool answer = false;
        Messages::setQuestionInterceptor([&](const QString& q) { return questions << q, answer; });
        MainWindow w;
        loadSample(w);
        rule(w, { 4, 0, 2, 4, 0, 9, 0, 2 }); // last Sunday of March to last Sunday of October, add 1 hour
        child<QPushButton>(w, "pushButton")->click();
        QVERIFY(questions.isEmpty() && !w.eventsView().table()->isColumnHidden(3));
        QCOMPARE(w.eventsView().table()->columnWidth(5), 320);
        const QStringList corrected { "06/05/2024 10.30.00*", "10/01/2024 08.00.00*", "*" };
        QCOMPARE(dstColumn(w), corrected);

        const QVector<int> subtract = rule(w, { 4, 0, 2, 4, 0, 9, 1, 2 });
        w.on_pushButton_clicked();
        QCOMPARE(questions, QStringList { "You have already set DST for these events. Do you want to set it again?" });
        QCOMPARE(dstColumn(w), corrected);
        answer = true;
        w.on_pushButton_clicked();
        QCOMPARE(dstColumn(w), (QStringList { "06/05/2024 08.30.00*", "10/01/2024 08.00.00*", "*" }));
        Messages::setQuestionInterceptor(nullptr);

        w.onLangIt();
        QVERIFY(w.eventsView().table()->isColumnHidden(3));
        QCOMPARE(rule(w), subtract);
        QCOMPARE(child<QComboBox>(w, "comboBoxAddSub")->currentText(), italian.translate("DstGroup", "Subtract"));
        w.onLangEn();
    }

    // What the window exports is the table as shown in the current language, rows hidden by the
    // filters included: the content the command line builds. An export cancelled, written (sheet
    // names in the current language) or refused says so.
    void exports()
    {
        CapturedMessages messages;
        QString answer;
        Messages::setFileNameInterceptor([&](bool) { return answer; });
        MainWindow w;
        w.onLangIt();
        loadSample(w);
        rule(w, { 4, 0, 2, 4, 0, 9, 0, 2 });
        w.on_pushButton_clicked();
        w.eventsView().userFilter().on_itemPressed(w.eventsView().userFilter().model()->index(1, 0));
        w.onSetFilter();
        QVERIFY(!w.eventsView().rowShown(0));
        // The window's steps give what the one presentation gives the command line.
        PresentationOptions options;
        options.dst = true;
        options.dstRule = DstRule{ 5, 0, 3, 5, 0, 10, false, 3600 };
        const ReportContent model = ReportFromView(PresentAudit(DecodeAudit(w.session()), w.session().busAudit, options));
        QVERIFY(model.sections.size() == 3 && model.sections[0].rowCount == 3 && model.sections[2].rowCount == 18);
        QVERIFY(model.sections[2].rowAt(0).cells[0].text == it("Active configuration:")
                && it("Active configuration:") != "Active configuration:");
        QCOMPARE(Flat(ReportFromView(w.view())), Flat(model));

        const QString unwritable = dir.filePath(QString(252, 'k')); // with its suffix, too long a name
        for (const QString suffix : { ".xlsx", ".pdf" }) {
            for (const QString& name : { QString(), dir.filePath("italian" + suffix), unwritable + suffix }) {
                answer = name;
                suffix == ".pdf" ? w.onExportPdf() : w.onExportXlsx();
            }
        }
        QCOMPARE(messages.texts(), (QStringList { it("Audit successfully exported"), it("Unable to export audit"),
            it("No audit to export"), it("Audit successfully exported"), it("Unable to export audit") }));
        QCOMPARE(messages.list[2].first, QMessageBox::Critical);
        QCOMPARE(readback::Workbook(dir.filePath("italian.xlsx"))["sheets"].toVariant().toStringList(),
                 (QStringList { it("Audit"), it("Users"), it("Configuration") }));
        QVERIFY(readback::PdfPages(dir.filePath("italian.pdf")).value(0).contains(it("Page") + " 1 "));
        Messages::setFileNameInterceptor(nullptr);
        w.onLangEn();
    }
};

QTEST_MAIN(ReportWindowTest)
#include "tst_reportwindow.moc"
