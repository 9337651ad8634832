#include "view/ConfigurationTab.h"
#include "ui_ConfigurationTab.h"

#include "model/LockClock.h"

#include <QHash>

ConfigurationTab::ConfigurationTab(QWidget* parent) : QWidget(parent), ui(new Ui::ConfigurationTab)
{
    ui->setupUi(this);
    ui->labelCaptionClock->hide();
    ui->labelLockClock->hide();
}

ConfigurationTab::~ConfigurationTab()
{
    delete ui;
}

void ConfigurationTab::setConfiguration(const ConfigPresentation& p, std::optional<qint64> clockOffset)
{
    ui->labelLockName->setText(p.lockName);
    ui->labelLockSN->setText(p.serialNumber);
    ui->labelLockVersion->setText(p.lockVersion);
    ui->labelKeypadVersion->setText(p.keypadVersion);
    // Each value label by its name; one the presentation does not name is emptied.
    QHash<QString, QString> values;
    for (const ConfigItem& item : p.configuration)
        values.insert(item.labelName, item.value);
    for (QLabel* label : ui->groupBox_2->findChildren<QLabel*>())
        if (!label->objectName().startsWith(QLatin1String("labelCaption")))
            label->setText(values.value(label->objectName()));

    ui->labelCaptionClock->setVisible(clockOffset.has_value());
    ui->labelLockClock->setVisible(clockOffset.has_value());
    const bool off = clockOffset && qAbs(*clockOffset) > lockclock::ToleranceSeconds;
    ui->labelLockClock->setText(clockOffset ? lockclock::OffsetText(*clockOffset) : QString());
    // Over the tolerance it stands out: the technician is to set the lock's clock. (A style sheet
    // is costly to set: only when it changes.)
    const QString look = off ? QStringLiteral("color: #b00000; font-weight: bold;") : QString();
    if (ui->labelLockClock->styleSheet() != look)
        ui->labelLockClock->setStyleSheet(look);
}

void ConfigurationTab::retranslate()
{
    ui->retranslateUi(this);
}
