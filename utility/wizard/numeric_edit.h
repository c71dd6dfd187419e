#pragma once
// The wizard's numeric edit box: takes only what a number of its format can hold,
// as it is typed, offers no context menu, and (when asked) rewrites its text from
// its value whenever it loses or gains the focus.
#include <QLineEdit>

#include "numeric_entry.h"

namespace velmora {

class CNumericEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit CNumericEdit(QWidget* parent = nullptr);

    // Stores the settings and shows the value with `decimals` places.
    void setValue(double value, int decimals, bool negativeAllowed, bool reformat);
    // The number last given to setValue, or (reformat on) parsed at the last loss of focus.
    double value() const { return value_; }
    // At most `n` characters can be typed.
    void setLimitText(int n) { setMaxLength(n); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Types `ch` through the rules; false (and a beep) when refused.
    bool typeCharacter(char ch);
    void paste();

    double value_ = 0.0;
    NumericFormat format_;
    bool reformat_ = false;
    QString formatted_;
};

} // namespace velmora
