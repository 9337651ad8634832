#pragma once

#include "ReportContent.h"

#include <QString>

// Writes the workbook of three sheets, "Audit", "Users" and "Configuration" (names and headers
// translated), every value as text. The file is replaced only once the workbook is whole;
// false, with any previous file untouched and the reason in `error`, when it could not be written.
bool WriteXlsxReport(const ReportContent& content, const QString& fileName, QString* error = nullptr);
