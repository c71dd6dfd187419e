#pragma once
// Page 8: the name and sample rate of the voltage and current loggers, and the
// choice between their factory scaling and one of the user's own.
#include "setup_page.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace velmora {

class CSetupVoltageNameForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupVoltageNameForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override;

private:
    QLineEdit* name_ = nullptr;
    QRadioButton* standard_ = nullptr;
    QRadioButton* custom_ = nullptr;
    QLabel* scaleLabel_ = nullptr;
    QLabel* rangeLabel_ = nullptr;
    QComboBox* rate_ = nullptr;
};

} // namespace velmora
