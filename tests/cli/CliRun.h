#pragma once

#include "AuditCli.h"
#include "DeviceCommands.h"
#include "LockSimProcess.h"
#include "device/SerialLink.h"

#include <QTextStream>

// One command's exit status and what it wrote (the streams flush into the strings as they go).
struct Run
{
    QString out, err;
    int code;
    // `unreadable`: the arguments (by place) that the system's encoding could not give back.
    explicit Run(const QStringList& args, const QMap<int, QString>& unreadable = {})
    {
        QTextStream o(&out), e(&err);
        code = cli::Run(args, o, e, unreadable);
    }
};

// A device command as Run runs it, over serial ports at the quick pace of a simulator at fast pace:
// for the tests where the line's pace is not the point.
struct QuickRun
{
    QString out, err;
    int code;
    explicit QuickRun(const QStringList& args)
    {
        // In English, as Run leaves the program for a command without --language.
        QString version;
        QTextStream quiet(&version);
        cli::Run({ "--version" }, quiet, quiet);
        QTextStream o(&out), e(&err);
        code = cli::RunDeviceCommand(args, o, e, SerialLinkFactory(LockSimProcess::QuickPace));
    }
};
