#pragma once
// Page 18: how the loggers with a start button start (at once, on the button, or at
// a chosen time), and the finish that writes the logger and starts it.
#include "setup_page.h"
#include "setup_push_to_start_rules.h"
#include "start_picker.h"

class QRadioButton;
class QTimer;

namespace velmora {

class CSetupPushToStartForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupPushToStartForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override; // "&Finish"
    void OnBack() override;
    void OnCancel() override;
    // Timer 1004: the pickers shown again, on the current time.
    void OnTimer();

private:
    // Runs one of the page's rules on what the page shows and shows the outcome.
    void apply(void (*rule)(WizardCore&, setup_push_to_start::Values&));
    setup_push_to_start::Values shown() const;
    void show(const setup_push_to_start::Values& values);

    QRadioButton* radios_[3] = {};
    StartPickerPair pickers_;
    QTimer* timer_ = nullptr;
};

} // namespace velmora
