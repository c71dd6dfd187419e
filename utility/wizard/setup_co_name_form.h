#pragma once
// Page 13: the name and sample rate of the carbon monoxide loggers.
#include "setup_page.h"

class QComboBox;
class QLineEdit;

namespace velmora {

class CSetupCONameForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupCONameForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override;

private:
    QLineEdit* name_ = nullptr;
    QComboBox* rate_ = nullptr;
};

} // namespace velmora
