#include "XlsxReport.h"

#include "OutputFile.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include <xlsxwriter.h>

namespace {

// Sheet columns; row 0 and column A stay empty, headers go in row 1.
enum SheetColumn : lxw_col_t { ColB = 1, ColC, ColD, ColE, ColF, ColG, ColH };
constexpr lxw_row_t HeaderRow = 1;
constexpr lxw_row_t FirstDataRow = 2;

const char* const sheetTitles[] = {
    QT_TRANSLATE_NOOP("MainWindow", "Audit"),
    QT_TRANSLATE_NOOP("MainWindow", "Users"),
    QT_TRANSLATE_NOOP("MainWindow", "Configuration"),
};

// A translation may hold what a sheet name cannot: the characters Excel refuses become '_'.
QByteArray sheetName(const char* title)
{
    QString name = QCoreApplication::translate("MainWindow", title);
    for (QChar& c : name) {
        if (QStringLiteral("[]:*?/\\").contains(c))
            c = QLatin1Char('_');
    }
    return name.left(31).toUtf8();
}

class WorkbookWriter
{
public:
    explicit WorkbookWriter(lxw_workbook* workbook) : m_workbook(workbook)
    {
        m_header = workbook_add_format(workbook);
        format_set_border(m_header, LXW_BORDER_MEDIUM);
        m_configuration = dataFormat(false, false, true);
    }

    bool ok() const { return m_ok; }

    lxw_worksheet* addSheet(const char* title)
    {
        lxw_worksheet* sheet = workbook_add_worksheet(m_workbook, sheetName(title).constData());
        m_ok = m_ok && sheet;
        return sheet;
    }

    void headers(lxw_worksheet* sheet, const QStringList& texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            write(sheet, HeaderRow, lxw_col_t(ColB + i), texts.at(i), m_header);
    }

    // The first data row has no top or bottom border; the users sheet drops the left border
    // after its first column; the yellow fill marks a corrected date as the table does.
    lxw_format* data(int row, bool yellow = false, bool leftBorder = true)
    {
        lxw_format*& f = m_data[row == 0 ? 0 : 1][yellow ? 1 : 0][leftBorder ? 1 : 0];
        if (!f)
            f = dataFormat(row == 0, yellow, leftBorder);
        return f;
    }

    lxw_format* configuration() const { return m_configuration; }

    void write(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const QString& text, lxw_format* format)
    {
        if (!sheet)
            return;
        // libxlsxwriter refuses texts beyond Excel's 32767 characters: the export then fails
        // rather than leave a cell out.
        if (worksheet_write_string(sheet, row, column, text.toUtf8().constData(), format) != LXW_NO_ERROR)
            m_ok = false;
    }

private:
    lxw_format* dataFormat(bool firstRow, bool yellow, bool leftBorder)
    {
        lxw_format* f = workbook_add_format(m_workbook);
        format_set_top(f, firstRow ? LXW_BORDER_NONE : LXW_BORDER_THIN);
        format_set_bottom(f, firstRow ? LXW_BORDER_NONE : LXW_BORDER_THIN);
        format_set_left(f, leftBorder ? LXW_BORDER_THIN : LXW_BORDER_NONE);
        format_set_right(f, LXW_BORDER_THIN);
        format_set_pattern(f, LXW_PATTERN_SOLID);
        format_set_bg_color(f, yellow ? LXW_COLOR_YELLOW : LXW_COLOR_WHITE);
        return f;
    }

    lxw_workbook* m_workbook;
    bool m_ok = true;
    lxw_format* m_header = nullptr;
    lxw_format* m_configuration = nullptr;
    lxw_format* m_data[2][2][2] = {};
};

void writeAuditSheet(WorkbookWriter& w, lxw_worksheet* sheet, const ReportContent& content)
{
    if (!sheet)
        return;
    worksheet_set_column(sheet, ColB, ColB, 5, nullptr);
    worksheet_set_column(sheet, ColC, ColD, 30, nullptr);
    // Without the correction the dates with DST are written but their column has no width.
    worksheet_set_column(sheet, ColE, ColE, content.dstApplied ? 30 : 0, nullptr);
    worksheet_set_column(sheet, ColF, ColF, 30, nullptr);
    worksheet_set_column(sheet, ColG, ColG, 70, nullptr);
    worksheet_set_column(sheet, ColH, ColH, 15, nullptr);
    w.headers(sheet, EventColumnHeaders());
    // A history names its lock above the table.
    if (!content.title.isEmpty())
        w.write(sheet, HeaderRow - 1, ColB, content.title, nullptr);

    for (int r = 0; r < content.events.size(); ++r) {
        const EventRow& e = content.events.at(r);
        const lxw_row_t row = FirstDataRow + lxw_row_t(r);
        lxw_format* white = w.data(r);
        w.write(sheet, row, ColB, e.number, white);
        w.write(sheet, row, ColC, e.device, white);
        w.write(sheet, row, ColD, e.date, white);
        w.write(sheet, row, ColE, e.dstDate, e.dstHighlight ? w.data(r, true) : white);
        w.write(sheet, row, ColF, e.user, white);
        w.write(sheet, row, ColG, e.event, white);
        w.write(sheet, row, ColH, e.eventId, white);
    }
}

void writeUsersSheet(WorkbookWriter& w, lxw_worksheet* sheet, const ReportContent& content)
{
    if (!sheet)
        return;
    worksheet_set_column(sheet, ColB, ColD, 50, nullptr);
    w.headers(sheet, UserColumnHeaders());
    for (int r = 0; r < content.users.size(); ++r) {
        const UserRow& u = content.users.at(r);
        const lxw_row_t row = FirstDataRow + lxw_row_t(r);
        w.write(sheet, row, ColB, u.name, w.data(r));
        w.write(sheet, row, ColC, u.status, w.data(r, false, false));
        w.write(sheet, row, ColD, u.openingMode, w.data(r, false, false));
    }
}

void writeConfigurationSheet(WorkbookWriter& w, lxw_worksheet* sheet, const ReportContent& content)
{
    if (!sheet)
        return;
    worksheet_set_column(sheet, ColB, ColC, 50, nullptr);
    for (int i = 0; i < content.configuration.size(); ++i) {
        const ConfigItem& item = content.configuration.at(i);
        w.write(sheet, HeaderRow + lxw_row_t(i), ColB, item.caption, w.configuration());
        w.write(sheet, HeaderRow + lxw_row_t(i), ColC, item.value, w.configuration());
    }
}

// libxlsxwriter tells its failures on standard error, naming the temporary file; the caller
// tells them instead, naming the output.
class QuietStandardError
{
public:
    QuietStandardError() : m_saved(::dup(STDERR_FILENO))
    {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
    ~QuietStandardError()
    {
        if (m_saved >= 0) {
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
        }
    }

private:
    int m_saved;
};

} // namespace

bool WriteXlsxReport(const ReportContent& content, const QString& fileName, QString* error)
{
    OutputFile file(fileName);
    const auto failed = [&file, error](const QString& reason = QString()) {
        file.setError(reason);
        if (error)
            *error = file.errorString();
        return false;
    };
    if (!file.open())
        return failed();
    lxw_workbook* workbook = workbook_new(QFile::encodeName(file.writePath()).constData());
    if (!workbook)
        return failed(SystemErrorText(ENOMEM));

    WorkbookWriter w(workbook);
    QByteArray title = content.title.toUtf8();
    lxw_doc_properties properties{};
    properties.title = title.data();
    if (!content.title.isEmpty())
        workbook_set_properties(workbook, &properties);
    lxw_worksheet* audit = w.addSheet(sheetTitles[0]);
    writeAuditSheet(w, audit, content);
    writeUsersSheet(w, w.addSheet(sheetTitles[1]), content);
    writeConfigurationSheet(w, w.addSheet(sheetTitles[2]), content);
    if (audit)
        worksheet_activate(audit);

    // Closing writes the file and frees the workbook, whatever happened before.
    lxw_error closed;
    {
        QuietStandardError quiet;
        errno = 0;
        closed = workbook_close(workbook);
    }
    if (closed != LXW_NO_ERROR)
        return failed(errno ? SystemErrorText(errno) : QString::fromUtf8(lxw_strerror(closed)));
    if (!w.ok())
        return failed(QCoreApplication::translate("OutputFile", "a cell holds more than a workbook can"));
    return file.commit() || failed();
}
