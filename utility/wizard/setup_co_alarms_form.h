#pragma once
// The carbon monoxide warning level page (page 15); its rules are in
// setup_co_alarms_rules.h.
#include <vector>

#include "setup_page.h"

class QCheckBox;

namespace velmora {

class CNumericEdit;

class CSetupCOAlarmsForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupCOAlarmsForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override;
    void OnCoLevels();

private:
    // Enables what belongs to the indicator: the level, "Hold", the sounder, the
    // advice button and the texts.
    void enableWithIndicator();
    void showLevel(double level);

    QCheckBox* indicator_ = nullptr;
    CNumericEdit* level_ = nullptr;
    QCheckBox* hold_ = nullptr;
    QCheckBox* sounder_ = nullptr;
    std::vector<QWidget*> followers_; // enabled with the indicator
};

} // namespace velmora
