#include "reports/XlsxReport.h"

#include "model/OutputFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include <xlsxwriter.h>

namespace {

// Row 0 and column A stay empty, headers go in row 1.
constexpr lxw_col_t FirstColumn = 1;
constexpr lxw_row_t HeaderRow = 1;
constexpr lxw_row_t FirstDataRow = 2;

// A translation may hold what a sheet name cannot: the characters Excel refuses become '_'.
QByteArray sheetName(const QString& title)
{
    QString name = title;
    for (QChar& c : name) {
        if (QStringLiteral("[]:*?/\\").contains(c))
            c = QLatin1Char('_');
    }
    return name.left(31).toUtf8();
}

// The spreadsheet's number format of the display's date pattern.
QByteArray dateNumberFormat(const DisplaySettings& display)
{
    QByteArray format = display.dateFormat == 1 ? "mm/dd/yyyy" : "dd/mm/yyyy";
    return format + (display.hourFormat == 1 ? " hh.mm.ss AM/PM" : " hh.mm.ss");
}

lxw_datetime excelDateTime(qint64 seconds)
{
    const QDateTime t = AuditDateTime(seconds);
    return { t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute(),
             double(t.time().second()) };
}

class WorkbookWriter
{
public:
    WorkbookWriter(lxw_workbook* workbook, const DisplaySettings& display)
        : m_workbook(workbook), m_dateFormat(dateNumberFormat(display))
    {
        m_header = workbook_add_format(workbook);
        format_set_border(m_header, LXW_BORDER_MEDIUM);
        // Thin borders all round, white.
        m_configuration = data(Look{});
    }

    bool ok() const { return m_ok; }

    lxw_worksheet* addSheet(const QString& title)
    {
        lxw_worksheet* sheet = workbook_add_worksheet(m_workbook, sheetName(title).constData());
        m_ok = m_ok && sheet;
        return sheet;
    }

    lxw_format* header() const { return m_header; }
    lxw_format* configuration() const { return m_configuration; }

    // How a data cell looks. The first data row has no top or bottom border; a table without rules
    // between its columns drops the left border after its first column; the yellow fill marks a
    // corrected date as the window does; a history's latest visit is bold, its gaps grey and
    // italic; a date cell shows its date in the display's pattern.
    struct Look
    {
        bool firstRow = false;
        bool yellow = false;
        bool leftBorder = true;
        bool bold = false;
        bool separator = false;
        bool date = false;

        int key() const
        {
            return int(firstRow) | int(yellow) << 1 | int(leftBorder) << 2 | int(bold) << 3 | int(separator) << 4
                | int(date) << 5;
        }
    };

    lxw_format* data(const Look& look)
    {
        lxw_format*& f = m_data[look.key()];
        if (!f)
            f = dataFormat(look);
        return f;
    }

    void write(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const QString& text, lxw_format* format)
    {
        // libxlsxwriter refuses texts beyond Excel's 32767 characters: the export then fails
        // rather than leave a cell out.
        if (worksheet_write_string(sheet, row, column, text.toUtf8().constData(), format) != LXW_NO_ERROR)
            m_ok = false;
    }

    void writeNumber(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, double number, lxw_format* format)
    {
        if (worksheet_write_number(sheet, row, column, number, format) != LXW_NO_ERROR)
            m_ok = false;
    }

    void writeDate(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, qint64 seconds, lxw_format* format)
    {
        lxw_datetime when = excelDateTime(seconds);
        if (worksheet_write_datetime(sheet, row, column, &when, format) != LXW_NO_ERROR)
            m_ok = false;
    }

private:
    lxw_format* dataFormat(const Look& look)
    {
        lxw_format* f = workbook_add_format(m_workbook);
        format_set_top(f, look.firstRow ? LXW_BORDER_NONE : LXW_BORDER_THIN);
        format_set_bottom(f, look.firstRow ? LXW_BORDER_NONE : LXW_BORDER_THIN);
        format_set_left(f, look.leftBorder ? LXW_BORDER_THIN : LXW_BORDER_NONE);
        format_set_right(f, LXW_BORDER_THIN);
        format_set_pattern(f, LXW_PATTERN_SOLID);
        format_set_bg_color(f, look.yellow ? LXW_COLOR_YELLOW : look.separator ? 0xE8E8E8 : LXW_COLOR_WHITE);
        if (look.bold)
            format_set_bold(f);
        if (look.separator) {
            format_set_italic(f);
            format_set_font_color(f, 0x606060);
        }
        if (look.date)
            format_set_num_format(f, m_dateFormat.constData());
        return f;
    }

    lxw_workbook* m_workbook;
    QByteArray m_dateFormat;
    bool m_ok = true;
    lxw_format* m_header = nullptr;
    lxw_format* m_configuration = nullptr;
    QHash<int, lxw_format*> m_data;
};

void writeTableSheet(WorkbookWriter& w, lxw_worksheet* sheet, const ReportSection& section, const QString& title)
{
    const int columns = section.columns.size();
    for (int c = 0; c < columns; ++c)
        worksheet_set_column(sheet, FirstColumn + lxw_col_t(c), FirstColumn + lxw_col_t(c), section.columns[c].sheetWidth,
                             nullptr);
    // A history names its lock above the table.
    if (!title.isEmpty())
        w.write(sheet, HeaderRow - 1, FirstColumn, title, nullptr);
    for (int c = 0; c < columns; ++c)
        w.write(sheet, HeaderRow, FirstColumn + lxw_col_t(c), section.columns[c].header, w.header());
    if (section.frozenHeader) {
        worksheet_freeze_panes(sheet, FirstDataRow, 0);
        worksheet_autofilter(sheet, HeaderRow, FirstColumn, HeaderRow + lxw_row_t(std::max(section.rowCount, 0)),
                             FirstColumn + lxw_col_t(std::max(columns - 1, 0)));
    }

    ReportRow row;
    for (int r = 0; r < section.rowCount && w.ok(); ++r) {
        section.row(r, row);
        const lxw_row_t at = FirstDataRow + lxw_row_t(r);
        WorkbookWriter::Look look;
        look.firstRow = r == 0;
        if (!row.separator.isNull()) {
            look.separator = true;
            for (int c = 0; c < columns; ++c) {
                look.leftBorder = c == 0 || section.columnRules;
                w.write(sheet, at, FirstColumn + lxw_col_t(c), c == section.separatorColumn ? row.separator : QString(),
                        w.data(look));
            }
            continue;
        }
        for (int c = 0; c < columns && c < row.cells.size(); ++c) {
            const ReportCell& cell = row.cells[c];
            const CellKind kind = section.columns[c].kind;
            look.leftBorder = c == 0 || section.columnRules;
            look.yellow = cell.marks & Highlighted;
            look.bold = cell.marks & Strong;
            const bool typed = section.typedCells && !cell.text.isEmpty() && kind != CellKind::Text;
            look.date = typed && kind == CellKind::DateTime;
            const lxw_col_t column = FirstColumn + lxw_col_t(c);
            if (typed && kind == CellKind::Number)
                w.writeNumber(sheet, at, column, double(cell.value), w.data(look));
            else if (look.date)
                w.writeDate(sheet, at, column, cell.value, w.data(look));
            else
                w.write(sheet, at, column, cell.text, w.data(look));
        }
    }
    // Below the table after a row left empty, each in the first column's cell.
    const lxw_row_t notes = FirstDataRow + lxw_row_t(std::max(section.rowCount, 0)) + 1;
    for (int n = 0; n < section.notes.size() && w.ok(); ++n)
        w.write(sheet, notes + lxw_row_t(n), FirstColumn, section.notes[n], nullptr);
}

void writePairsSheet(WorkbookWriter& w, lxw_worksheet* sheet, const ReportSection& section)
{
    for (int c = 0; c < section.columns.size(); ++c)
        worksheet_set_column(sheet, FirstColumn + lxw_col_t(c), FirstColumn + lxw_col_t(c), section.columns[c].sheetWidth,
                             nullptr);
    ReportRow row;
    for (int r = 0; r < section.rowCount; ++r) {
        section.row(r, row);
        for (int c = 0; c < row.cells.size(); ++c)
            w.write(sheet, HeaderRow + lxw_row_t(r), FirstColumn + lxw_col_t(c), row.cells[c].text, w.configuration());
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

bool WriteXlsxReport(const ReportContent& content, const QString& fileName, QString* error, XlsxMode mode)
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
    const bool constantMemory = mode == XlsxMode::ConstantMemory || (mode == XlsxMode::Auto && content.history);
    // The rows of constant-memory sheets wait in temporary files beside the output.
    QByteArray folder = QFile::encodeName(QFileInfo(file.writePath()).absolutePath());
    lxw_workbook_options options{};
    options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
    options.tmpdir = folder.data();
    lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(file.writePath()).constData(), &options);
    if (!workbook)
        return failed(SystemErrorText(ENOMEM));

    WorkbookWriter w(workbook, content.display);
    QByteArray title = content.title.toUtf8();
    lxw_doc_properties properties{};
    properties.title = title.data();
    if (!content.title.isEmpty())
        workbook_set_properties(workbook, &properties);
    // The title stands above the events, or above the first sheet when none is that long.
    int titled = 0;
    for (int i = 0; i < content.sections.size(); ++i)
        if (content.sections[i].longRows) {
            titled = i;
            break;
        }
    lxw_worksheet* first = nullptr;
    for (int i = 0; i < content.sections.size(); ++i) {
        const ReportSection& section = content.sections[i];
        lxw_worksheet* sheet = w.addSheet(section.name);
        if (!sheet)
            continue;
        if (!first)
            first = sheet;
        if (section.layout == ReportSection::Table)
            writeTableSheet(w, sheet, section, i == titled ? content.title : QString());
        else
            writePairsSheet(w, sheet, section);
    }
    if (first)
        worksheet_activate(first);

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
