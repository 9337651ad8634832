#pragma once

#include "archive/ArchiveService.h"
#include "model/People.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

// A lock's directory of people, read and changed through the window's archive: the users its
// latest visit shows installed whom nobody is named for come first, marked; then every tenure by
// user and first day. Each change is stored at once; a refused one changes nothing and says why.
// An archive the user may only read is shown and no longer offered for change. Where the lock's
// users logs are kept, the days they give the chosen user as installed are offered as From.
class PeopleDialog : public QDialog
{
    Q_OBJECT
public:
    PeopleDialog(ArchiveService& archive, const QString& serial, QWidget* parent = nullptr);

    // The directory as last read or stored, and the unnamed users with it.
    const Tenures& tenures() const { return m_tenures; }
    const QVector<int>& unnamed() const { return m_unnamed; }
    // A read or a change is on its way.
    bool isBusy() const { return m_busy; }
    bool isReadOnly() const { return m_readOnly; }

    QTableView& table() { return m_table; }
    QComboBox& userChoice() { return m_user; }
    QLineEdit& person() { return m_person; }
    QDateEdit& from() { return m_from; }
    // The chosen user's installation days from the users logs, the latest first; hidden without any.
    QComboBox& installedDays() { return m_installed; }
    QCheckBox& hasUntil() { return m_hasUntil; }
    QDateEdit& until() { return m_until; }
    QPushButton& addButton() { return m_add; }
    QPushButton& removeButton() { return m_remove; }
    // Why the last change was refused, or what went wrong reading; empty after a change stored.
    QLabel& message() { return m_message; }

signals:
    // A read or a change has come back.
    void updated();

private:
    struct Result;
    void reload();
    void add();
    void removeSelected();
    // Shows why a change worked out on the directory shown is refused; false when it is not.
    bool refused(const PeopleChange& outcome);
    // Runs `change` on the archive's thread, then reads the directory again.
    void change(std::function<bool(Archive&, const QString&)> change);
    void done(const Result& result);
    void showDirectory(const Tenures& tenures, const QVector<int>& unnamed);
    void updateButtons();
    // The chosen user's installation days offered, the one From shows selected.
    void showInstalledDays();

    ArchiveService& m_archive;
    QString m_serial;
    Tenures m_tenures;
    QVector<int> m_unnamed;
    QStandardItemModel m_model;
    QTableView m_table;
    QComboBox m_user;
    QLineEdit m_person;
    QDateEdit m_from;
    QLabel m_installedLabel;
    QComboBox m_installed;
    QMap<int, QVector<QDate>> m_installedDays;
    QCheckBox m_hasUntil;
    QDateEdit m_until;
    QPushButton m_add;
    QPushButton m_remove;
    QLabel m_message;
    bool m_busy = false;
    bool m_readOnly = false;
};
