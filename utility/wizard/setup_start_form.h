#pragma once
// Page 3: the start time and date of the loggers without a start button, and the
// finish that writes the logger and starts it.
#include "setup_page.h"
#include "start_picker.h"

class QTimer;

namespace velmora {

class CSetupStartForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupStartForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override; // "&Finish"
    void OnBack() override;
    void OnCancel() override;
    // Timer 1001: the pickers back on the current time.
    void OnTimer();

private:
    void OnPickerEdited();

    StartPickerPair pickers_;
    QTimer* timer_ = nullptr;
};

} // namespace velmora
