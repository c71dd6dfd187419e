#pragma once
// The stop page (page 5, form 141): the logger is stopped; "OK" downloads its
// readings, saves them and opens them in the viewer, "Cancel" goes back with the
// readings left in the logger.
#include "page_view.h"

class QLabel;
class QPushButton;

namespace velmora {

struct PageContext;

class CStopInfoForm final : public CPageView {
    Q_OBJECT
public:
    explicit CStopInfoForm(PageContext& context);
    void refresh() override;

public slots:
    void OnOK();
    void OnCancel();

private:
    PageContext& context_;
};

} // namespace velmora
