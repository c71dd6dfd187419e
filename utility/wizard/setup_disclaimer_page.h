#pragma once
// The safety agreement pages: the agreement in a read-only box that scrolls, "I Do
// Not Agree" and "I Agree", and "Next >" only after "I Agree". Every refresh starts
// again from "I Do Not Agree"; "< Back" is never enabled.
#include "setup_disclaimer_rules.h"
#include "setup_page.h"

class QPlainTextEdit;
class QRadioButton;

namespace velmora {

class CSetupDisclaimerPage : public CSetupPage {
    Q_OBJECT
public:
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override;

protected:
    CSetupDisclaimerPage(PageContext& context, const PageDescriptor& descriptor, PanelMotif motif);

private:
    setup_disclaimer::Values shown() const;
    void OnChoice();

    QPlainTextEdit* text_ = nullptr;
    QRadioButton* choices_[2] = {};
    std::string agreement_; // as the page holds it, CR LF and all
};

} // namespace velmora
