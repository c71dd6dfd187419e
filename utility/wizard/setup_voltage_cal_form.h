#pragma once
// Page 9: the unit and the two-point scaling of the voltage and current loggers.
#include "setup_page.h"

class QComboBox;
class QLabel;

namespace velmora {

class CNumericEdit;

class CSetupVoltageCalForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupVoltageCalForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override;
    void OnDefault();

private:
    void showOutputUnit(const QString& unit);

    QComboBox* unit_ = nullptr;
    CNumericEdit* in1_ = nullptr;
    CNumericEdit* out1_ = nullptr;
    CNumericEdit* in2_ = nullptr;
    CNumericEdit* out2_ = nullptr;
    QLabel* in1Unit_ = nullptr;
    QLabel* in2Unit_ = nullptr;
    QLabel* out1Unit_ = nullptr;
    QLabel* out2Unit_ = nullptr;
};

} // namespace velmora
