#pragma once
// Page 11: the name and temperature scale of the fixed-rate logger.
#include "name_page_parts.h"
#include "setup_page.h"

class QLineEdit;

namespace velmora {

class CSetupLiteNameForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupLiteNameForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override;

private:
    QLineEdit* name_ = nullptr;
    ScaleRadios scale_;
};

} // namespace velmora
