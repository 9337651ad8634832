#pragma once

#include <QDate>
#include <QLocale>
#include <QObject>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QTextCursor>
#include <QVector>

#include <functional>
#include <memory>

#include "reports/PagedBody.h"

class QPaintDevice;
class QPainter;
class QPrinter;
class QTextDocument;
class QWidget;

// Prints rich text (HTML) on pages with an HTML header and footer, each ruled off from the body.
// Header and footer may carry "&page;", "&total;" and "&date;", replaced on every page.
// Lengths are in millimetres, rules in points.
class TextPrinter : public QObject
{
    Q_OBJECT
public:
    explicit TextPrinter(QObject* parent = nullptr);
    ~TextPrinter() override;

    // Letter for the United States, its minor outlying islands, Canada and no country; A4 elsewhere.
    static QPageSize::PageSizeId defaultPageSize(QLocale::Country country);

    QPageSize::PageSizeId pageSize() const;
    void setPageSize(QPageSize::PageSizeId size);
    QPageLayout::Orientation orientation() const;
    void setOrientation(QPageLayout::Orientation orientation);
    QString docName() const;
    void setDocName(const QString& name);
    // Copies, collation, page range and order are the printer's own settings.
    QPrinter* printer() const { return m_printer.get(); }

    double leftMargin() const { return m_leftMargin; }
    double rightMargin() const { return m_rightMargin; }
    double topMargin() const { return m_topMargin; }
    double bottomMargin() const { return m_bottomMargin; }
    double spacing() const { return m_spacing; }
    double headerSize() const { return m_headerSize; }
    double headerRule() const { return m_headerRule; }
    double footerSize() const { return m_footerSize; }
    double footerRule() const { return m_footerRule; }
    QString headerText() const { return m_headerText; }
    QString footerText() const { return m_footerText; }
    QString bodyText() const { return m_bodyTable ? m_bodyTable->html() : m_bodyText; }
    QString dateFormat() const { return m_dateFormat; }

    // A length that is not positive or does not fit the paper becomes 0 (for setMargins, all four).
    void setLeftMargin(double mm);
    void setRightMargin(double mm);
    void setTopMargin(double mm);
    void setBottomMargin(double mm);
    void setMargins(double mm);
    void setSpacing(double mm);
    void setHeaderSize(double mm);
    void setHeaderRule(double points);
    void setFooterSize(double mm);
    void setFooterRule(double points);
    void setHeaderText(const QString& html) { m_headerText = html; }
    void setFooterText(const QString& html) { m_footerText = html; }
    void setBodyText(const QString& html) { m_bodyText = html; m_bodyTable.reset(); }
    // A body around one long table, printed a page at a time (see PagedBody).
    void setBodyTable(const BodyTable& table) { m_bodyTable = std::make_unique<BodyTable>(table); m_bodyText.clear(); }
    void setDateFormat(const QString& format) { m_dateFormat = format; }

    // A null document prints the body text. print() asks for the printer and returns false when
    // the dialog is cancelled; the PDF writers return false when the printer failed on the way.
    bool print(const QTextDocument* document, const QString& caption = QString());
    bool saveAsPdf(const QTextDocument* document, const QString& fileName);
    // Asks for the name unless a file of that name exists; ".pdf" is added to a name without suffix.
    bool getAndSavePdf(const QTextDocument* document, const QString& caption, const QString& fileName);

    // In the units of `device`.
    QRectF paperRect(QPaintDevice* device) const;
    QRectF contentRect(QPaintDevice* device) const;
    QRectF headerRect(QPaintDevice* device) const;
    QRectF footerRect(QPaintDevice* device) const;

    void paintPage(QPainter* painter, QTextDocument* document, int page, int pageCount);

public slots:
    // Paints the document of the running job on `printer`, copies and page range as it asks.
    void print(QPrinter* printer);

private:
    bool runJob(const QTextDocument* document);
    void paintDecorations(QPainter* painter, int page, int pageCount);
    void paintPages(QPrinter* printer, int pageCount, const std::function<void(QPainter*, int)>& paintBody);
    std::unique_ptr<QTextDocument> makeTemporaryDocument(const QTextDocument* document) const;
    // A header or footer, laid out for the pages of a job.
    struct Decoration
    {
        // The text given, the page count and day it was marked for, and the text marked.
        QString source;
        int pageCount = -1;
        QDate day;
        QString marked;
        QString html; // as laid out, with the page numbers marked
        QSizeF size;
        QPaintDevice* device = nullptr;
        std::unique_ptr<QTextDocument> document;
        QVector<QTextCursor> numbers;
        int page = -1;
        bool everyPage = false;
    };
    // A page below 1 is marked, for the number to be put in later.
    QString substitute(QString text, int page, int pageCount) const;
    static QString pageMarker();
    void paintDecoration(QPainter* painter, Decoration& decoration, const QString& html, int page, int pageCount,
                         const QRectF& rect, bool alignBottom) const;
    double paperWidth() const;
    double paperHeight() const;
    double toDeviceX(double mm) const;
    double toDeviceY(double mm) const;

    QPointer<QWidget> m_parentWidget;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QTextDocument> m_tempDocument;
    Decoration m_header;
    Decoration m_footer;
    bool m_runFailed = false;

    double m_leftMargin = 5;
    double m_rightMargin = 5;
    double m_topMargin = 5;
    double m_bottomMargin = 5;
    double m_spacing = 5;
    double m_headerSize = 0;
    double m_headerRule = 0.5;
    double m_footerSize = 0;
    double m_footerRule = 0.5;
    QString m_headerText;
    QString m_footerText;
    QString m_bodyText;
    std::unique_ptr<BodyTable> m_bodyTable;
    QString m_dateFormat;
};
