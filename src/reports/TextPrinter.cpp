#include "reports/TextPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

namespace {

// Millimetres per inch as the printer's geometry has always counted them (not exactly 1/25.4).
constexpr double InchesPerMillimetre = 0.039370147;

QPen rulePen(double width)
{
    return QPen(QBrush(Qt::black), width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

// Each layout setting changed on a laid-out document lays the whole document out again: only
// what differs is set.
void prepareForDevice(QTextDocument& document, QPaintDevice* device, const QSizeF& pageSize)
{
    document.setUseDesignMetrics(true);
    document.documentLayout()->setPaintDevice(device);
    if (document.pageSize() != pageSize)
        document.setPageSize(pageSize);
}

// The body fills the content rectangle to its edges.
void dropRootMargin(QTextDocument& document)
{
    QTextFrameFormat format = document.rootFrame()->frameFormat();
    if (format.margin() != 0) {
        format.setMargin(0);
        document.rootFrame()->setFrameFormat(format);
    }
}

} // namespace

TextPrinter::TextPrinter(QObject* parent)
    : QObject(parent), m_parentWidget(qobject_cast<QWidget*>(parent)),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    m_printer->setFullPage(true);
    m_printer->setPageOrientation(QPageLayout::Portrait);
    m_printer->setPageSize(QPageSize(defaultPageSize(QLocale::system().country())));
}

TextPrinter::~TextPrinter() = default;

QPageSize::PageSizeId TextPrinter::defaultPageSize(QLocale::Country country)
{
    switch (country) {
    case QLocale::UnitedStates:
    case QLocale::UnitedStatesMinorOutlyingIslands:
    case QLocale::Canada:
    case QLocale::AnyCountry:
        return QPageSize::Letter;
    default:
        return QPageSize::A4;
    }
}

QPageSize::PageSizeId TextPrinter::pageSize() const { return m_printer->pageLayout().pageSize().id(); }
void TextPrinter::setPageSize(QPageSize::PageSizeId size) { m_printer->setPageSize(QPageSize(size)); }
QPageLayout::Orientation TextPrinter::orientation() const { return m_printer->pageLayout().orientation(); }
void TextPrinter::setOrientation(QPageLayout::Orientation orientation) { m_printer->setPageOrientation(orientation); }
QString TextPrinter::docName() const { return m_printer->docName(); }
void TextPrinter::setDocName(const QString& name) { m_printer->setDocName(name); }

// ---- bounds: a length is compared with the paper in the same unit, the printer's dots ----

double TextPrinter::paperWidth() const
{
    return m_printer->pageLayout().fullRectPixels(m_printer->resolution()).width();
}

double TextPrinter::paperHeight() const
{
    return m_printer->pageLayout().fullRectPixels(m_printer->resolution()).height();
}

double TextPrinter::toDeviceX(double mm) const { return mm * m_printer->logicalDpiX() * InchesPerMillimetre; }
double TextPrinter::toDeviceY(double mm) const { return mm * m_printer->logicalDpiY() * InchesPerMillimetre; }

void TextPrinter::setLeftMargin(double mm)
{
    m_leftMargin = mm > 0 && toDeviceX(mm) < int(paperWidth()) / 2 ? mm : 0;
}

void TextPrinter::setRightMargin(double mm)
{
    m_rightMargin = mm > 0 && toDeviceX(mm) < int(paperWidth()) / 2 ? mm : 0;
}

void TextPrinter::setTopMargin(double mm)
{
    m_topMargin = mm > 0 && toDeviceY(mm) < int(paperHeight()) / 4 ? mm : 0;
}

void TextPrinter::setBottomMargin(double mm)
{
    m_bottomMargin = mm > 0 && toDeviceY(mm) < int(paperHeight()) / 4 ? mm : 0;
}

void TextPrinter::setMargins(double mm)
{
    const bool fits = mm > 0 && toDeviceY(mm) < int(paperHeight()) / 2 && toDeviceX(mm) < int(paperWidth()) / 2;
    m_leftMargin = m_rightMargin = m_topMargin = m_bottomMargin = fits ? mm : 0;
}

void TextPrinter::setSpacing(double mm)
{
    m_spacing = mm > 0 && toDeviceY(mm) <= int(paperHeight()) / 8 ? mm : 0;
}

void TextPrinter::setHeaderSize(double mm)
{
    m_headerSize = mm > 0 && toDeviceY(mm) <= int(paperHeight()) / 8 ? mm : 0;
}

void TextPrinter::setFooterSize(double mm)
{
    m_footerSize = mm > 0 && toDeviceY(mm) <= int(paperHeight()) / 8 ? mm : 0;
}

void TextPrinter::setHeaderRule(double points) { m_headerRule = points > 0 ? points : 0; }
void TextPrinter::setFooterRule(double points) { m_footerRule = points > 0 ? points : 0; }

// ---- geometry ----

QRectF TextPrinter::paperRect(QPaintDevice* device) const
{
    QRectF rect = m_printer->paperRect(QPrinter::DevicePixel);
    rect.setWidth(rect.width() * device->logicalDpiX() / m_printer->logicalDpiX());
    rect.setHeight(rect.height() * device->logicalDpiY() / m_printer->logicalDpiY());
    return rect;
}

QRectF TextPrinter::contentRect(QPaintDevice* device) const
{
    const double dpiX = device->logicalDpiX() * InchesPerMillimetre;
    const double dpiY = device->logicalDpiY() * InchesPerMillimetre;
    QRectF rect = paperRect(device).adjusted(m_leftMargin * dpiX, m_topMargin * dpiY, -m_rightMargin * dpiX,
                                             -m_bottomMargin * dpiY);
    if (m_headerSize > 0)
        rect.setTop(rect.top() + (m_headerSize + m_spacing) * dpiY);
    if (m_footerSize > 0)
        rect.setBottom(rect.bottom() - (m_footerSize + m_spacing) * dpiY);
    return rect;
}

QRectF TextPrinter::headerRect(QPaintDevice* device) const
{
    const double dpiX = device->logicalDpiX() * InchesPerMillimetre;
    const double dpiY = device->logicalDpiY() * InchesPerMillimetre;
    const QRectF paper = paperRect(device);
    return QRectF(paper.left() + m_leftMargin * dpiX, paper.top() + m_topMargin * dpiY,
                  paper.width() - (m_leftMargin + m_rightMargin) * dpiX, m_headerSize * dpiY);
}

QRectF TextPrinter::footerRect(QPaintDevice* device) const
{
    const double dpiX = device->logicalDpiX() * InchesPerMillimetre;
    const double dpiY = device->logicalDpiY() * InchesPerMillimetre;
    const QRectF paper = paperRect(device);
    const double height = m_footerSize * dpiY;
    return QRectF(paper.left() + m_leftMargin * dpiX, paper.bottom() - m_bottomMargin * dpiY - height,
                  paper.width() - (m_leftMargin + m_rightMargin) * dpiX, height);
}

// ---- jobs ----

bool TextPrinter::print(const QTextDocument* document, const QString& caption)
{
    m_printer->setOutputFormat(QPrinter::NativeFormat);
    m_printer->setOutputFileName(QString());
    QPrintDialog dialog(m_printer.get(), m_parentWidget);
    dialog.setWindowTitle(caption.isEmpty() ? tr("Print Document") : caption);
    if (dialog.exec() == QDialog::Rejected)
        return false;
    runJob(document);
    return true;
}

bool TextPrinter::saveAsPdf(const QTextDocument* document, const QString& fileName)
{
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(fileName);
    return runJob(document);
}

bool TextPrinter::getAndSavePdf(const QTextDocument* document, const QString& caption, const QString& fileName)
{
    QString name = fileName;
    if (!QFile::exists(name)) {
        name = QFileDialog::getSaveFileName(m_parentWidget, caption.isEmpty() ? tr("Export PDF") : caption, fileName,
                                            QStringLiteral("*.pdf"));
        if (name.isEmpty())
            return false;
        if (QFileInfo(name).suffix().isEmpty())
            name += QStringLiteral(".pdf");
    }
    return saveAsPdf(document, name);
}

std::unique_ptr<QTextDocument> TextPrinter::makeTemporaryDocument(const QTextDocument* document) const
{
    if (document)
        return std::unique_ptr<QTextDocument>(document->clone());
    // Laid out for the printer before the text goes in, so the text is laid out only once: on
    // a year of events every layout of the one big table costs seconds.
    auto body = std::make_unique<QTextDocument>();
    prepareForDevice(*body, m_printer.get(), contentRect(m_printer.get()).size());
    body->setDocumentMargin(0); // the root frame setHtml() makes takes this margin
    body->setHtml(m_bodyText);
    return body;
}

bool TextPrinter::runJob(const QTextDocument* document)
{
    m_tempDocument = document || !m_bodyTable ? makeTemporaryDocument(document) : nullptr;
    m_runFailed = false;
    print(m_printer.get());
    m_tempDocument.reset();
    m_header = Decoration();
    m_footer = Decoration();
    const bool failed = m_runFailed || m_printer->printerState() == QPrinter::Error
        || m_printer->printerState() == QPrinter::Aborted;
    return !failed;
}

void TextPrinter::print(QPrinter* printer)
{
    if (!printer)
        return;
    if (m_tempDocument) {
        QTextDocument* document = m_tempDocument.get();
        prepareForDevice(*document, printer, contentRect(printer).size());
        dropRootMargin(*document);
        const int pageCount = document->pageCount();
        paintPages(printer, pageCount, [this, document, pageCount](QPainter* painter, int page) {
            paintPage(painter, document, page, pageCount);
        });
    } else if (m_bodyTable) {
        PagedBody body(*m_bodyTable, printer, contentRect(printer).size());
        const int pageCount = body.pageCount();
        paintPages(printer, pageCount, [this, &body, pageCount](QPainter* painter, int page) {
            paintDecorations(painter, page, pageCount);
            const QRectF content = contentRect(painter->device());
            painter->save();
            painter->translate(content.topLeft());
            body.paint(painter, page);
            painter->restore();
        });
    }
}

void TextPrinter::paintPages(QPrinter* printer, int pageCount, const std::function<void(QPainter*, int)>& paintBody)
{
    // Collated copies repeat each page; the others repeat the whole range.
    const int copies = printer->supportsMultipleCopies() ? 1 : qMax(1, printer->copyCount());
    const int pageRepeats = printer->collateCopies() ? copies : 1;
    const int rangeRepeats = printer->collateCopies() ? 1 : copies;
    int from = printer->fromPage();
    int to = printer->toPage();
    if (from == 0 && to == 0) {
        from = 1;
        to = pageCount;
    }
    from = qMax(from, 1);
    to = qMin(to, pageCount);
    const bool backwards = printer->pageOrder() == QPrinter::LastPageFirst;

    QPainter painter;
    if (!painter.begin(printer)) {
        m_runFailed = true;
        return;
    }
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    bool firstPage = true;
    for (int copy = 0; copy < rangeRepeats; ++copy) {
        for (int i = 0; i <= to - from; ++i) {
            const int page = backwards ? to - i : from + i;
            for (int repeat = 0; repeat < pageRepeats; ++repeat) {
                if (printer->printerState() == QPrinter::Aborted || printer->printerState() == QPrinter::Error) {
                    m_runFailed = true;
                    return;
                }
                if (!firstPage && !printer->newPage()) {
                    m_runFailed = true;
                    return;
                }
                firstPage = false;
                paintBody(&painter, page);
            }
        }
    }
    if (!painter.end())
        m_runFailed = true;
}

// ---- one page ----

QString TextPrinter::substitute(QString text, int page, int pageCount) const
{
    const QDate today = QDate::currentDate();
    text.replace(QLatin1String("&page;"), page < 0 ? pageMarker() : QString::number(page), Qt::CaseSensitive);
    text.replace(QLatin1String("&total;"), QString::number(pageCount), Qt::CaseSensitive);
    text.replace(QLatin1String("&date;"),
                 m_dateFormat.isEmpty() ? today.toString(Qt::TextDate) : today.toString(m_dateFormat),
                 Qt::CaseSensitive);
    return text;
}

QString TextPrinter::pageMarker()
{
    return QString(QChar(0xe000)) + QLatin1String("page") + QChar(0xe001);
}

void TextPrinter::paintDecoration(QPainter* painter, Decoration& decoration, const QString& html, int page,
                                  int pageCount, const QRectF& rect, bool alignBottom) const
{
    // Laid out once a job: from page to page only the page numbers change, put in where the text
    // holds them. A number that is not in the text (in an attribute) lays the text out each page.
    const QDate today = QDate::currentDate();
    if (decoration.source != html || decoration.pageCount != pageCount || decoration.day != today) {
        decoration.source = html;
        decoration.pageCount = pageCount;
        decoration.day = today;
        decoration.marked = substitute(html, -1, pageCount);
    }
    const QString& laidOut = decoration.marked;
    QTextDocument* document = decoration.document.get();
    if (!document || decoration.html != laidOut || decoration.size != rect.size()
        || decoration.device != painter->device()) {
        decoration.document = std::make_unique<QTextDocument>();
        document = decoration.document.get();
        decoration.html = laidOut;
        decoration.size = rect.size();
        decoration.device = painter->device();
        decoration.page = -1;
        decoration.numbers.clear();
        prepareForDevice(*document, painter->device(), rect.size());
        document->setHtml(laidOut);
        for (QTextCursor found = document->find(pageMarker()); !found.isNull();
             found = document->find(pageMarker(), found))
            decoration.numbers << found;
        decoration.everyPage = decoration.numbers.size() != laidOut.count(pageMarker());
    }
    if (decoration.everyPage) {
        document->setHtml(substitute(html, page, pageCount));
    } else if (decoration.page != page) {
        const QString number = QString::number(page);
        for (QTextCursor& cursor : decoration.numbers) {
            const int at = cursor.selectionStart();
            cursor.insertText(number);
            cursor.setPosition(at);
            cursor.setPosition(at + number.size(), QTextCursor::KeepAnchor);
        }
        decoration.page = page;
    }
    const double height = document->documentLayout()->documentSize().height();

    painter->save();
    painter->translate(rect.left(), alignBottom ? rect.top() + rect.height() - height : rect.top());
    document->drawContents(painter, QRectF(0, 0, rect.width(), alignBottom ? height : rect.height()));
    painter->restore();
}

void TextPrinter::paintDecorations(QPainter* painter, int page, int pageCount)
{
    const double onePoint = painter->device()->logicalDpiY() / 72.0;

    if (m_headerSize > 0) {
        const QRectF rect = headerRect(painter->device());
        if (m_headerRule > 0) {
            painter->save();
            painter->setPen(rulePen(m_headerRule * onePoint));
            const double y = rect.bottom() + onePoint + m_headerRule * onePoint * 0.5;
            painter->drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
            painter->restore();
        }
        paintDecoration(painter, m_header, m_headerText, page, pageCount, rect, true);
    }

    if (m_footerSize > 0) {
        const QRectF rect = footerRect(painter->device());
        if (m_footerRule > 0) {
            painter->save();
            painter->setPen(rulePen(m_footerRule * onePoint));
            const double y = rect.top() - onePoint - m_footerRule * onePoint * 0.5;
            painter->drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
            painter->restore();
        }
        paintDecoration(painter, m_footer, m_footerText, page, pageCount, rect, false);
    }
}

void TextPrinter::paintPage(QPainter* painter, QTextDocument* document, int page, int pageCount)
{
    paintDecorations(painter, page, pageCount);
    const QRectF content = contentRect(painter->device());
    painter->save();
    painter->translate(content.left(), content.top() - (page - 1) * content.height());
    document->drawContents(painter, QRectF(0, (page - 1) * content.height(), content.width(), content.height()));
    painter->restore();
}
