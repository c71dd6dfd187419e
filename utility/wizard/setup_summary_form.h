#pragma once
// Page 4: the logger, by its name, has been configured; "OK" returns to the main menu.
#include "setup_page.h"

class QLabel;

namespace velmora {

class CSetupSummaryForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupSummaryForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override; // "OK"

private:
    QLabel* name_ = nullptr;
};

} // namespace velmora
