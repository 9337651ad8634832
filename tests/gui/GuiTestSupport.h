#pragma once

#include "AuditRecords.h"
#include "Messages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPair>
#include <QSettings>
#include <QTimer>
#include <QVector>

// Shared by the window tests: a clean Settings.ini, captured message boxes, small bus audits.
namespace guitest {

inline QString settingsPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Settings.ini");
}

inline void removeSettings() { QFile::remove(settingsPath()); }

inline void writeSetting(const QString& key, const QVariant& value)
{
    QSettings s(settingsPath(), QSettings::IniFormat);
    s.setValue(key, value);
}

inline QVariant readSetting(const QString& key)
{
    QSettings s(settingsPath(), QSettings::IniFormat);
    return s.value(key);
}

// Copies (or removes) the compiled translations beside the test executable.
inline void provideTranslations(bool present)
{
    const QString here = QCoreApplication::applicationDirPath();
    for (const char* name : { "audit_it.qm", "audit_es.qm", "qt_it.qm", "qt_es.qm", "qtbase_it.qm", "qtbase_es.qm" }) {
        QFile::remove(here + "/" + QLatin1String(name));
        if (present)
            QFile::copy(QStringLiteral(CORVANE_BINARY_DIR "/") + QLatin1String(name), here + "/" + QLatin1String(name));
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

struct BusEvent
{
    int year, month, day, hour, minute, second, code, user;
};

// Fills the session's bus buffers the way a download stores the lock's answers.
inline void loadBusAudit(AuditSession& s, const QVector<BusEvent>& events)
{
    s.ResetContent(true);
    s.busAudit = true;
    int off = 0;
    for (const BusEvent& e : events) {
        quint8* r = s.busEvents.data() + off;
        r[0] = 0x81;
        r[1] = 0x43;
        r[2] = quint8(e.year - 2000);
        r[3] = quint8(e.month);
        r[4] = quint8(e.day);
        r[5] = quint8(e.hour);
        r[6] = quint8(e.minute);
        r[7] = quint8(e.second);
        r[8] = quint8(e.code);
        r[9] = quint8(e.user);
        off += AuditSession::BusRecordSize;
    }
    s.busVersion[3] = 2;
    s.busVersion[4] = 5;
    const QByteArray report = QByteArray(6, '\0') + "123456\r\nVAULT1\0\0" + "1.07";
    std::copy(report.begin(), report.end(), s.busReport.begin());
    // Master installed with code only; user 1 installed with code and key.
    s.busConfig[40] = 0x01 | (0x01 << 2);
    s.busConfig[0] = (0x02 << 4) | (0x01 << 6);
    s.busStatus[0] = 0x15;
    s.busStatus[1] = 0x10;
    s.config.downloadTime = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));
}

// Runs `action` on the next modal dialog to appear (e.g. to press its OK button).
template <typename Dialog, typename Action>
void onNextDialog(Action action)
{
    QTimer::singleShot(0, [action]() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* d = qobject_cast<Dialog*>(w); d && d->isVisible()) {
                action(d);
                return;
            }
        }
    });
}

} // namespace guitest
