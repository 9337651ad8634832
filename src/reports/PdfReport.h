#pragma once

#include "model/ReportContent.h"

#include <QString>

// The landscape PDF report: the program's title on every page, a section per section of the
// report (for an audit the events, six columns or seven with the daylight-saving correction, a
// history's with "Visit" and its gaps as rows of their own; the users; the configuration; from the
// archive, a history's findings before them all and its evidence after them, each section's notes
// as paragraphs below its table), and a footer with the file name, "Page i of n" and the keypad's
// date at download (for a history, labelled, and when it was printed). Every text from the content is HTML-escaped, so a lock's
// texts print as they are.
QString PdfReportHeader();
// The body: the one long section (the events) as a table whose rows are made as its pages are
// laid out, the sections before it and after it as HTML around it.
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
