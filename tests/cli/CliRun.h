#pragma once

#include "AuditCli.h"

#include <QTextStream>

// One command's exit status and what it wrote (the streams flush into the strings as they go).
struct Run
{
    QString out, err;
    int code;
    explicit Run(const QStringList& args)
    {
        QTextStream o(&out), e(&err);
        code = cli::Run(args, o, e);
    }
};
