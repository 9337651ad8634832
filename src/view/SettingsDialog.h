#pragma once

#include "model/Findings.h"

#include <QDateEdit>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace Ui {
class SettingsDialog;
}

// What the archive keeps for every one of its users: the days the sites are closed and the
// thresholds of the findings.
struct ArchiveRules
{
    ClosedDays closedDays;
    FindingThresholds thresholds;
};

// Date format, hour format, audit type and archiving, stored in Settings.ini on "Ok"; and the
// archive's rules, which its owner reads and writes (off the window's thread): shown disabled until
// they are given, and for good when the archive may only be read.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget* parent = nullptr);
    ~SettingsDialog() override;

    // The archive's rules as read; `editable` false keeps them disabled, `note` tells why (the
    // archive's own message) or is empty.
    void setArchiveRules(const ArchiveRules& rules, bool editable, const QString& note);
    // The rules as given, as edited, and whether they differ.
    const ArchiveRules& givenRules() const { return m_given; }
    ArchiveRules archiveRules() const;
    bool archiveRulesChanged() const;

    QGroupBox& rulesGroup() { return m_rules; }
    QLabel& rulesNote() { return m_note; }
    QListWidget& closedDays() { return m_days; }
    QDateEdit& dayEdit() { return m_day; }
    QPushButton& addDayButton() { return m_addDay; }
    QPushButton& removeDayButton() { return m_removeDay; }
    QSpinBox& wrongCodes() { return m_wrongCodes; }
    QSpinBox& wrongCodeMinutes() { return m_wrongCodeMinutes; }
    QSpinBox& clockMinutes() { return m_clockMinutes; }
    QSpinBox& doorMinutes() { return m_doorMinutes; }
    QSpinBox& visitDays() { return m_visitDays; }

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    void buildRules();
    void addDay(const QDate& day);
    QWidgetList editors();

    Ui::SettingsDialog* ui;
    QGroupBox m_rules;
    QLabel m_note;
    QListWidget m_days;
    QDateEdit m_day;
    QPushButton m_addDay;
    QPushButton m_removeDay;
    QSpinBox m_wrongCodes;
    QSpinBox m_wrongCodeMinutes;
    QSpinBox m_clockMinutes;
    QSpinBox m_doorMinutes;
    QSpinBox m_visitDays;
    ArchiveRules m_given;
};
