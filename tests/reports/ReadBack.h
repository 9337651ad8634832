#pragma once

// Exports read back with the tools users open them with: openpyxl for workbooks, poppler's
// pdftotext for PDF reports.

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

namespace readback {

// {"sheets": [names in order], "active": name, "<sheet>": {"widths": {"B": 5, ...}, "cells": {"B2": "text|fill|borders"}}}
// fill: W white, Y yellow, - none; borders top, right, bottom, left: m medium, t thin, - none.
// Widths are the whole characters of a column (libxlsxwriter adds Excel's padding).
inline QJsonObject Workbook(const QString& path)
{
    static const char* const script = R"(
import json, sys, openpyxl
from openpyxl.utils import get_column_letter
wb = openpyxl.load_workbook(sys.argv[1])
out = {"sheets": wb.sheetnames, "active": wb.active.title}
fills = {"FFFFFFFF": "W", "FFFFFF00": "Y"}
sides = {"medium": "m", "thin": "t", None: "-"}
for ws in wb.worksheets:
    widths = {get_column_letter(c): int(d.width) for d in ws.column_dimensions.values() if d.min
              for c in range(d.min, d.max + 1)}
    cells = {}
    for row in ws.iter_rows():
        for c in row:
            if c.value is None and not c.has_style:
                continue
            fill = fills.get(c.fill.fgColor.rgb, "?") if c.fill.fill_type == "solid" else "-"
            b = c.border
            cells[c.coordinate] = "%s|%s|%s" % (c.value if c.value is not None else "", fill,
                "".join(sides.get(s.style, "?") for s in (b.top, b.right, b.bottom, b.left)))
    out[ws.title] = {"widths": widths, "cells": cells}
print(json.dumps(out))
)";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), { QStringLiteral("-c"), QString::fromUtf8(script), path });
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        return QJsonObject{ { "error", QString::fromUtf8(python.readAllStandardError()) } };
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// The workbook as the golden outputs keep it (tests/golden/xlsx_dump.py): a line a sheet setting or cell.
inline QStringList WorkbookDump(const QString& path)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 { QStringLiteral(CORVANE_SOURCE_DIR "/tests/golden/xlsx_dump.py"), path });
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        return { QStringLiteral("error: ") + QString::fromUtf8(python.readAllStandardError()) };
    return QString::fromUtf8(python.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The text of each page, in reading order.
inline QStringList PdfPages(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), path, QStringLiteral("-") });
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0)
        return {};
    // Ligatures (the "fi" of "Configuration") read as their letters.
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput())
                            .normalized(QString::NormalizationForm_KC)
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast(); // after the last page's form feed
    return pages;
}

} // namespace readback
