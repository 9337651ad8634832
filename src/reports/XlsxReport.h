#pragma once

#include "model/ReportContent.h"

#include <QString>

// How the workbook is put together: in memory and written at the end, or a row at a time with
// little memory (libxlsxwriter's constant-memory mode: texts written inline, rows in order).
enum class XlsxMode { Auto, InMemory, ConstantMemory };

// Writes the workbook, a sheet per section of the report (for an audit: "Audit", "Users" and
// "Configuration", names and headers translated; a history from the archive "Findings" first and
// "Evidence" last), opening on the first; a section's notes below its table. A single audit's cells are
// all texts; a history's numbers and dates are number and date cells (Auto writes a history in
// constant memory). The file is replaced only once the workbook is whole; false, with any previous
// file untouched and the reason in `error`, when it could not be written.
bool WriteXlsxReport(const ReportContent& content, const QString& fileName, QString* error = nullptr,
                     XlsxMode mode = XlsxMode::Auto);
