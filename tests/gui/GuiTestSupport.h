#pragma once

#include "app/MainWindow.h"
#include "sim/AuditBuilder.h"
#include "view/EventsTableView.h"
#include "view/Messages.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTimer>
#include <QVector>

// Shared by the window tests: a clean Settings.ini, captured message boxes, small audits.
namespace guitest {

inline QString settingsPath() { return QCoreApplication::applicationDirPath() + "/Settings.ini"; }
inline void removeSettings() { QFile::remove(settingsPath()); }
inline void writeSetting(const QString& key, const QVariant& value)
{
    QSettings(settingsPath(), QSettings::IniFormat).setValue(key, value);
}
inline QVariant readSetting(const QString& key) { return QSettings(settingsPath(), QSettings::IniFormat).value(key); }

// Copies (or removes) the compiled translations beside the test executable.
inline void provideTranslations(bool present)
{
    const QString here = QCoreApplication::applicationDirPath() + "/";
    for (const char* name : { "audit_it.qm", "audit_es.qm", "audit_en.qm", "qt_it.qm", "qt_es.qm", "qtbase_it.qm", "qtbase_es.qm" }) {
        QFile::remove(here + name);
        if (present)
            QFile::copy(QStringLiteral(CORVANE_BINARY_DIR "/") + name, here + name);
    }
}

struct CapturedMessages
{
    QVector<QPair<QMessageBox::Icon, QString>> list;
    CapturedMessages()
    {
        Messages::setInterceptor([this](QMessageBox::Icon icon, const QString& text) { list.append({ icon, text }); });
    }
    ~CapturedMessages() { Messages::setInterceptor(nullptr); }
    QStringList texts() const
    {
        QStringList t;
        for (const auto& m : list)
            t << m.second;
        return t;
    }
};

// Loads a bus audit as a download leaves it: master and user 01 installed, events newest first.
inline void loadBusAudit(MainWindow& w, const QVector<QPair<BusDate, QPair<int, int>>>& events)
{
    BusAuditBuilder builder;
    for (const auto& e : events)
        builder.addEvent(e.first, quint8(e.second.first), quint8(e.second.second));
    Config lock;
    lock.userStatus[80] = lock.openingMode[80] = 1;
    lock.userStatus[1] = 1;
    lock.openingMode[1] = 2;
    LockDescription description = LockDescription::FromConfig(lock, DelayEncoding::Bcd);
    description.name = "VAULT1";
    description.serialNumber = "123456";
    builder.setLock(description);
    w.ResetContent(true);
    w.session().busAudit = true;
    builder.fill(w.session());
    w.session().downloadTime = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));
}

// A lock's history of `count` events as the archive would join it, without an archive: three
// visits (the latest brings the newest 30 events), the lock's events in two stretches with a gap
// between them, and among the events one with a long name.
inline DecodedAudit historyAudit(int count)
{
    DecodedAudit audit;
    const quint8 codes[] = { 0x01, 0x05, 0x37, 0x11, 0x05 };
    for (int i = 0; i < count; ++i) {
        EventsTable e;
        e.time = e.dstTime = 790000000 - 600 * qint64(i);
        e.event = codes[i % 5];
        e.user = 1 + i % 7;
        e.device = i % 10 == 3 ? KeypadDevice : LockDevice;
        e.visit = i < 30 ? 3 : i < count / 2 ? 2 : 1;
        e.run = e.device == LockDevice && i < count / 4 ? 1 : 0;
        (e.device == KeypadDevice ? audit.keypadEvents : audit.lockEvents).append(e);
    }
    audit.config.lockName = QStringLiteral("BANK01");
    audit.config.serialNumber = QStringLiteral("30051122");
    audit.history.visits = 3;
    audit.history.firstVisit = QDateTime(QDate(2024, 1, 8), QTime(10, 0), Qt::UTC);
    audit.history.lastVisit = QDateTime(QDate(2025, 1, 13), QTime(10, 0), Qt::UTC);
    return audit;
}

inline void showHistory(MainWindow& w, int count)
{
    w.ResetContent(true);
    w.session().busAudit = true;
    w.session().decoded = historyAudit(count);
    PresentationOptions options;
    options.auditType = FullAudit;
    w.show(PresentAudit(w.session().decoded, true, options));
}

inline void loadDallasImage(MainWindow& w, const QByteArray& image)
{
    w.ResetContent(true);
    w.session().busAudit = false;
    std::copy(image.begin(), image.end(), w.session().dallasImage.begin());
}

// Runs `action` on the modal dialog that the next call opens (e.g. to press its OK button).
template <typename Dialog, typename Action> void onNextDialog(Action action)
{
    QTimer::singleShot(0, [action]() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<Dialog*>(w); d && d->isVisible())
                return action(d);
    });
}

// Cells of a table as shown (a view over a model, or a table widget).
inline int rows(const QAbstractItemView* t) { return t->model()->rowCount(); }
inline QString cell(const QAbstractItemView* t, int r, int c) { return t->model()->index(r, c).data().toString(); }
inline QString header(const QAbstractItemView* t, int c) { return t->model()->headerData(c, Qt::Horizontal).toString(); }

template <typename T> T* child(QWidget& w, const char* name)
{
    T* c = w.findChild<T*>(QLatin1String(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

} // namespace guitest
