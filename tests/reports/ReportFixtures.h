#pragma once

#include "model/ConfigPresentation.h"
#include "model/LockHistory.h"
#include "model/ReportContent.h"

#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QTranslator>

namespace fixtures {

// The texts of a report, section by section, to be edited before the report is made of them.
struct ReportTexts
{
    bool dst = false;
    QVector<QStringList> events;
    QVector<QVector<bool>> yellow; // the events' yellow cells
    QVector<QStringList> users;
    QVector<QStringList> configuration; // caption and value, in the workbook's order
    QString keypadDownloadTime;
};

// Three events (the first and the last with a yellow DST date), two users, the lock's 18 settings;
// with `extra` more events numbered on, for reports of several pages.
inline ReportTexts Texts(bool dstApplied, int extra = 0)
{
    ReportTexts t;
    t.dst = dstApplied;
    t.events = {
        { "1", "Lock", "07/03/2022 20.26.40", "07/03/2022 21.26.40", "User 01", "Bolt open", "5" },
        { "2", "Keypad", "06/03/2022 20.26.40", "06/03/2022 20.26.40", "Master", "Valid code", "1" },
        { "3", "Lock", "", "", "", "Time changed", "226" },
    };
    const QVector<bool> yellowDst { false, false, false, dstApplied, false, false, false };
    t.yellow = { yellowDst, {}, yellowDst };
    for (int i = 0; i < extra; ++i) {
        const QString n = QString::number(4 + i);
        t.events.append({ n, "Lock", "01/02/2022 10.00.00", "01/02/2022 10.00.00", "User 02", "Event text " + n, "9" });
    }
    t.users = { { "Master", "Installed", "Code only" }, { "User 01", "Disabled", "" } };
    Config config;
    config.timeDelay = 10;
    config.codeExpirationMonths = 6;
    const ConfigPresentation presentation = PresentConfig(config, true, {}, {});
    for (const QString& label : ReportConfigurationLabels())
        for (const ConfigItem& item : presentation.configuration)
            if (item.labelName == label)
                t.configuration.append({ item.caption, item.value });
    t.keypadDownloadTime = "08/03/2022 09.00.00";
    return t;
}

// The report of those texts, its sections laid out as an audit's.
inline ReportContent Report(const ReportTexts& t)
{
    AuditView view;
    Config config;
    view.configuration = PresentConfig(config, true, {}, {});
    view.dstApplied = t.dst;
    ReportContent content = ReportFromView(view);
    const QVector<QStringList>* rows[] = { &t.events, &t.users, &t.configuration };
    for (int i = 0; i < 3; ++i) {
        ReportSection& s = content.sections[i];
        ReportSection made = TextSection(s.name, s.columns, *rows[i], i == 0 ? t.yellow : QVector<QVector<bool>>());
        s.rowCount = made.rowCount;
        s.row = made.row;
    }
    content.keypadDownloadTime = t.keypadDownloadTime;
    return content;
}

inline ReportContent Report(bool dstApplied, int extra = 0)
{
    return Report(Texts(dstApplied, extra));
}

// English as the programs speak it: its catalogue holds the plural forms ("1 gap", "2 gaps").
inline bool InstallEnglish()
{
    static QTranslator english;
    return english.load(QStringLiteral("audit_en.qm"), QStringLiteral(CORVANE_BINARY_DIR))
        && QCoreApplication::installTranslator(&english);
}

inline QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A lock's history of three visits: the lock's events in two runs (a gap between them), the keypad's
// in one, the latest visit's audit from the golden inputs.
inline LockHistory ThreeVisits()
{
    LockHistory h;
    h.serial = "24110042";
    for (int v = 1; v <= 3; ++v) {
        Visit visit;
        visit.audit = 100 + v;
        visit.number = v;
        visit.downloaded = QDateTime(QDate(2024, 10, v * 5), QTime(9, 30));
        h.visits << visit;
    }
    const qint64 start = 783000000; // October 2024
    HistoryRun older, newer, keypad;
    for (int i = 0; i < 6; ++i)
        older.events << HistoryEvent{ start + i * 3600, quint8(i % 2 ? 0x05 : 0x01), 1, 101 };
    for (int i = 0; i < 5; ++i)
        newer.events << HistoryEvent{ start + 90000 + i * 3600, quint8(0x09), 2, i < 2 ? 102 : 103 };
    for (int i = 0; i < 3; ++i)
        keypad.events << HistoryEvent{ start + 1800 + i * 40000, quint8(0x30 + i), 3, 103 };
    h.lock.runs = { older, newer };
    h.keypad.runs = { keypad };
    h.latestAudit = ReadAll(CORVANE_SOURCE_DIR "/tests/golden/inputs/visit-5.kaud");
    return h;
}

// A directory for those visits: user 03 changes hands overnight between its two keypad events
// (23 and 24 October), user 01 is named throughout, user 02 by nobody.
inline Tenures ThreeVisitsPeople()
{
    return { { 1, "Maria Rossi", QDate(2024, 1, 1), QDate() },
             { 3, "Anna Verdi", QDate(2024, 6, 1), QDate(2024, 10, 23) },
             { 3, "Paolo Neri", QDate(2024, 10, 24), QDate() } };
}

inline bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QStringList Entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace fixtures
