#pragma once

#include "model/ConfigPresentation.h"

#include <QWidget>

#include <optional>

namespace Ui {
class ConfigurationTab;
}

// The "Configuration" tab: the lock's identity and configuration as a presentation gives them,
// and, after a download or a key read, how far the lock's clock was from the computer's.
class ConfigurationTab : public QWidget
{
    Q_OBJECT
public:
    explicit ConfigurationTab(QWidget* parent = nullptr);
    ~ConfigurationTab() override;

    // Every value label from `presentation` (an empty one empties the tab); the clock row shows
    // `clockOffset` (the lock's minus the computer's, in seconds), or nothing when it is not known.
    void setConfiguration(const ConfigPresentation& presentation, std::optional<qint64> clockOffset);
    void retranslate();

private:
    Ui::ConfigurationTab* ui;
};
