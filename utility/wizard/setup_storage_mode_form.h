#pragma once
// Page 19: what the loggers without a display do when their memory is full, with
// the number of readings each choice keeps.
#include "setup_page.h"

class QGroupBox;
class QLabel;
class QRadioButton;

namespace velmora {

class CSetupStorageModeForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupStorageModeForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override;

private:
    QRadioButton* storage_[2] = {};
    QLabel* stopCapacity_ = nullptr;
    QLabel* overwriteCapacity_ = nullptr;
};

} // namespace velmora
