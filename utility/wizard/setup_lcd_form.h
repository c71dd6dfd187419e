#pragma once
// Page 17: how the display of the loggers with a display works, and what the
// logger does when its memory is full.
#include "setup_page.h"

class QRadioButton;

namespace velmora {

class CSetupLCDForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupLCDForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override;

private:
    QRadioButton* display_[3] = {};
    QRadioButton* storage_[2] = {};
};

} // namespace velmora
