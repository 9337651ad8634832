#pragma once

#include "AuditRecords.h"
#include "ColumnAlignedLayout.h"
#include "QCheckList.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTranslator>

struct DecodeResult;
class QAction;
class QMenu;
class QPushButton;
class QHBoxLayout;

namespace Ui {
class MainWindow;
}

void switchTranslator(QTranslator& translator, const QString& fileName);

// The one window: toolbar, port selector, the three tabs, and the loaded audit session.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The loaded audit; tests and the file slots fill it before running the pipeline.
    AuditSession& session() { return m_session; }
    const QString& currentLanguage() const { return m_currLang; }

    void SetupWidgets();
    void SetupMenu();
    void SetupTable(bool clearRaw);
    void ResetContent(bool clearRaw);
    void loadLanguage(const QString& code);

    // Audit pipeline steps, in the order they always run.
    bool ParseEventsBuffer();
    void ParseBusEvents();
    void ParseBusConfig();
    void ParseConfig();
    void MergeEvents();
    void FilterEvents();
    void ParseListView();
    void PopulateFilters();

    // Decodes the raw buffers by the audit source flag, then presents the audit.
    // False when a Dallas image was rejected (its messages were shown); a new audit stops
    // there, a re-render of the loaded one goes on.
    bool ShowLoadedAudit(bool stopWhenRejected = true);

    QCheckList& dateFilter() { return m_dateFilter; }
    QCheckList& userFilter() { return m_userFilter; }
    QCheckList& eventFilter() { return m_eventFilter; }
    QCheckList& eventIdFilter() { return m_eventIdFilter; }
    ColumnAlignedLayout* filterRowLayout() const { return m_alignedLayout; }

public slots:
    void onLangIt();
    void onLangEn();
    void onLangEs();
    void on_buttonRefresh_clicked();
    void on_buttonNew_clicked();
    void on_btnSettings_clicked();
    void on_buttonSave_clicked();
    void on_buttonOpen_clicked();
    void invalidateAlignedLayout();
    void onSetFilter();
    void onResetFilter();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void applyLanguage(const QString& code, int settingValue, int checkedIndex);
    void retranslateForm();
    void showDecodeNotices(const DecodeResult& result);

    Ui::MainWindow* ui;
    QStringList m_ports;
    QString m_currLang;
    QTranslator m_translator;
    QTranslator m_translatorQt;
    AuditSession m_session;

    QCheckList m_dateFilter;
    QCheckList m_userFilter;
    QCheckList m_eventFilter;
    QCheckList m_eventIdFilter;
    QWidget m_column0Placeholder;
    QLabel m_column3Placeholder;
    QPointer<QPushButton> m_btnSetFilter;
    QPointer<QPushButton> m_btnResetFilter;
    QPointer<ColumnAlignedLayout> m_alignedLayout;
    bool m_filtersBuilt = false;

    QPointer<QMenu> m_downloadMenu;
    QPointer<QMenu> m_languageMenu;
    QPointer<QMenu> m_exportMenu;
    QAction* m_actionAudit = nullptr;
    QAction* m_actionUsersLog = nullptr;
    QAction* m_actionItalian = nullptr;
    QAction* m_actionEnglish = nullptr;
    QAction* m_actionSpanish = nullptr;
    QAction* m_actionExportPdf = nullptr;
    QAction* m_actionExportXlsx = nullptr;
};
