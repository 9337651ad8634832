#pragma once

#include "model/DstCorrection.h"
#include "model/SettingsFile.h"

#include <QGroupBox>

namespace Ui {
class DstGroup;
}

// The "Daylight saving time" group: the site's period as two n-th weekdays of a month, the
// direction and the shift. Its "Set" button (`pushButton`) is the window's to connect.
class DstGroup : public QGroupBox
{
    Q_OBJECT
public:
    explicit DstGroup(QWidget* parent = nullptr);
    ~DstGroup() override;

    DstRule rule() const;
    Settings::DstChoice choice() const;
    void setChoice(const Settings::DstChoice& choice);
    // Texts in the current language; the choices stay.
    void retranslate();
    // Row by row, then "Set": the order in which Tab reaches them.
    QWidgetList focusOrder() const;

private:
    Ui::DstGroup* ui;
};
