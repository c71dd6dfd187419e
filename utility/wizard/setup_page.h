#pragma once
// The frame every set-up page shares: the picture panel on the left, the page's
// framed groups on the right and the "< Back", "Next >" and "&Cancel" buttons under
// them. A page builds its controls into body() in buildBody(), when it is first
// needed; loads them from the working record in refresh(), and hands their values to
// its rules in OnNext(); the rules answer with a step, which follow() carries out.
#include "artwork.h"
#include "page_view.h"
#include "wizard_core.h"

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace velmora {

struct PageContext;
struct PageDescriptor;

// The column of a framed group made by CSetupPage::addGroup.
QVBoxLayout* groupColumn(QGroupBox* group);
// A label for a sentence: it wraps at the width of its group rather than being cut.
QLabel* sentenceLabel(const QString& text, QWidget* parent);

class CSetupPage : public CPageView {
    Q_OBJECT
public:
    // How the page's "< Back" works: by the logger's row (enabled when the row has a
    // page before this one), never (created disabled), or not at all (the inert
    // button of the first pages of some rows, control 1031).
    enum class Back { ByRow, Never, Inert };

    int pageIndex() const { return page_; }

public slots:
    virtual void OnNext() = 0;
    virtual void OnBack();
    virtual void OnCancel();

protected:
    // `descriptor` gives the page's number and its form's number. The constructor makes
    // no control: build() makes the frame and then calls buildBody().
    CSetupPage(PageContext& context, const PageDescriptor& descriptor, PanelMotif motif, Back back = Back::ByRow);
    void build() final;
    virtual void buildBody() = 0;

    // Where the page's groups go, top to bottom.
    QVBoxLayout* body() const { return body_; }
    // A framed group added to the body, with a vertical layout of its own (see
    // groupColumn) whose lines stand close together.
    QGroupBox* addGroup(const QString& title = {});
    // The width a line of text has inside one of the page's groups.
    int groupTextWidth(QGroupBox* group) const;
    // The group of the alarm pages: its title, a hint that wraps, and a grid of one
    // row per alarm, its cells a little apart.
    struct AlarmGroup {
        QGroupBox* group;
        QGridLayout* rows;
    };
    AlarmGroup addAlarmGroup(const QString& title, const QString& hint);

    QPushButton* backButton() const { return back_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* cancelButton() const { return cancel_; }
    // The summary page: one "OK" in place of the three buttons.
    QPushButton* replaceButtonsWithOk();

    // Enables "< Back" by the row; call from refresh() of pages with Back::ByRow.
    void refreshBackButton();

    // Goes where the step leads: another page, or stays with the focus on the
    // control at fault.
    void follow(const WizardStep& step);

    WizardCore& core() { return core_; }
    PageContext& context() { return context_; }

private:
    PageContext& context_;
    WizardCore core_;
    int page_;
    PanelMotif motif_;
    Back backKind_;
    QVBoxLayout* body_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace velmora
