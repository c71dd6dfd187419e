#pragma once
// The status page (page 6, form 142): what the attached logger is and does, read
// only. Every text comes from statusRows(); "Refresh" reads the logger again.
#include "page_view.h"

namespace velmora {

struct PageContext;

class CStatusInfoForm final : public CPageView {
    Q_OBJECT
public:
    explicit CStatusInfoForm(PageContext& context);
    void refresh() override { fill(); }

public slots:
    void OnOK();
    void OnRefresh();

private:
    void fill();

    PageContext& context_;
};

} // namespace velmora
