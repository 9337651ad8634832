#pragma once

#include "AuditCli.h"

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
