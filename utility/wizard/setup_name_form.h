#pragma once
// Page 1: the name, temperature scale and sample rate of the temperature and
// humidity loggers.
#include "name_page_parts.h"
#include "setup_page.h"

class QComboBox;
class QLineEdit;

namespace velmora {

class CSetupNameForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupNameForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override;

private:
    QLineEdit* name_ = nullptr;
    ScaleRadios scale_;
    QComboBox* rate_ = nullptr;
    int loadedScale_ = 0;
};

} // namespace velmora
