#pragma once

#include "ReportContent.h"

#include <QString>

// The landscape PDF report: the program's title on every page, the events (six columns, seven
// with the daylight-saving correction), the users and the configuration, and a footer with the
// file name, "Page i of n" and the keypad's date at download. Every text from the content is
// HTML-escaped, so a lock's texts print as they are.
QString PdfReportHeader();
// The body: the events as a table printed a page at a time, then the users and the configuration.
struct BodyTable;
BodyTable PdfReportTable(const ReportContent& content);
QString PdfReportBody(const ReportContent& content);
// With `printed`, the keypad's date is labelled and the time of printing follows it.
QString PdfReportFooter(const QString& fileName, const QString& keypadDownloadTime, const QString& printed = QString());

class TextPrinter;
// Landscape, margins 12 mm (11 mm at the top), header and footer 7 mm, the three texts.
void SetUpReportPrinter(TextPrinter& printer, const ReportContent& content, const QString& shownName);

// Writes the report to `fileName`, naming `shownName` in the footer. The file is replaced only
// by a complete PDF; false, with any previous file untouched and the reason in `error`, otherwise.
bool WritePdfReport(const ReportContent& content, const QString& fileName, const QString& shownName,
                    QString* error = nullptr);

// A PDF that was written to its end: the header at the start, "%%EOF" at the end.
bool IsCompletePdf(const QString& fileName);
