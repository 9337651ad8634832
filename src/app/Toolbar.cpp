#include "app/Toolbar.h"
#include "ui_MainWindow.h"

#include "app/LanguageSwitcher.h"
#include "app/MainWindow.h"
#include "app/Manual.h"
#include "view/FileDialogs.h"

#include <QMenu>
#include <QShortcut>

namespace {

// A button with a menu opens it, as a press on it does.
QVector<QPair<QToolButton*, QKeySequence>> keys(const Ui::MainWindow& ui)
{
    return { { ui.buttonOpen, QKeySequence::Open }, { ui.buttonSave, QKeySequence::Save },
             { ui.buttonExport, Qt::CTRL | Qt::Key_E }, { ui.btnDownlad, Qt::CTRL | Qt::Key_D },
             { ui.buttonReadDallas, Qt::CTRL | Qt::Key_R } };
}

QString keyText(const QKeySequence& key)
{
    return key.toString(QKeySequence::NativeText);
}

} // namespace

Toolbar::Toolbar(MainWindow& window, Ui::MainWindow& ui, LanguageSwitcher& languages)
    : QObject(&window), m_window(window), m_ui(ui), m_languages(languages)
{
    for (const auto& [button, key] : keys(ui))
        connect(new QShortcut(key, &window), &QShortcut::activated, button, [button = button] {
            button->popupMode() == QToolButton::InstantPopup ? button->showMenu() : button->click();
        });
    connect(new QShortcut(QKeySequence::HelpContents, &window), &QShortcut::activated, this,
            [this] { manual::Open(m_languages.current(), &m_window); });
}

void Toolbar::retranslate()
{
    for (const auto& [button, key] : keys(m_ui))
        button->setToolTip(QStringLiteral("%1 (%2)").arg(button->toolTip(), keyText(key)));
    m_ui.buttonAbout->setToolTip(m_ui.buttonAbout->toolTip() + QLatin1Char('\n')
                                 + MainWindow::tr("Manual: %1").arg(keyText(QKeySequence::HelpContents)));

    for (QToolButton* button : { m_ui.btnDownlad, m_ui.btnLanguage, m_ui.buttonExport, m_ui.buttonOpen })
        if (button->menu())
            button->menu()->deleteLater();
    MainWindow* w = &m_window;
    auto* download = new QMenu(w);
    connect(download->addAction(QIcon(QStringLiteral(":/Resources/page_table_32.png")), MainWindow::tr("Audit")),
            &QAction::triggered, w, &MainWindow::on_btnDownlad_clicked);
    connect(download->addAction(QIcon(QStringLiteral(":/Resources/users_32.png")), MainWindow::tr("Users log")),
            &QAction::triggered, w, &MainWindow::on_btnLog_clicked);
    auto* exports = new QMenu(w);
    connect(exports->addAction(QIcon(QStringLiteral(":/Resources/if_pdf_272705.png")), MainWindow::tr("Export to Pdf")),
            &QAction::triggered, w, &MainWindow::onExportPdf);
    connect(exports->addAction(QIcon(QStringLiteral(":/Resources/if_excel_272703.png")),
                               MainWindow::tr("Export to Excel")),
            &QAction::triggered, w, &MainWindow::onExportXlsx);
    // A click opens as it always did; the arrow beside it offers the archive and the recent files.
    auto* open = new QMenu(w);
    connect(open->addAction(QIcon(QStringLiteral(":/Resources/Open.png")), MainWindow::tr("Open...")),
            &QAction::triggered, w, &MainWindow::on_buttonOpen_clicked);
    connect(open->addAction(MainWindow::tr("Add to archive")), &QAction::triggered, w, &MainWindow::onAddToArchive);
    connect(open, &QMenu::aboutToShow, w, [w, open] {
        FileDialogs::ListRecentFiles(*open, 2, [w](const QString& file) { w->OpenAuditFile(file); });
    });
    m_ui.buttonOpen->setMenu(open);
    m_ui.buttonOpen->setPopupMode(QToolButton::MenuButtonPopup);
    m_ui.btnDownlad->setMenu(download);
    m_ui.btnLanguage->setMenu(m_languages.menu(w));
    m_ui.buttonExport->setMenu(exports);
    for (QToolButton* button : { m_ui.btnDownlad, m_ui.btnLanguage, m_ui.buttonExport })
        button->setPopupMode(QToolButton::InstantPopup);
}
