#pragma once
// Page 16: the name, thermocouple kind, temperature scale and sample rate of the
// thermocouple loggers.
#include "name_page_parts.h"
#include "setup_page.h"

class QComboBox;
class QLineEdit;

namespace velmora {

class CSetupTCNameForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupTCNameForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override;

private:
    QLineEdit* name_ = nullptr;
    QComboBox* kind_ = nullptr;
    ScaleRadios scale_;
    QComboBox* rate_ = nullptr;
    int loadedScale_ = 0;
};

} // namespace velmora
