#include "numeric_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

namespace velmora {

CNumericEdit::CNumericEdit(QWidget* parent) : QLineEdit(parent) { setContextMenuPolicy(Qt::NoContextMenu); }

void CNumericEdit::setValue(double value, int decimals, bool negativeAllowed, bool reformat)
{
    value_ = value;
    format_ = NumericFormat{decimals, negativeAllowed};
    reformat_ = reformat;
    formatted_ = QString::fromStdString(numericText(value, decimals));
    setText(formatted_);
}

bool CNumericEdit::typeCharacter(char ch)
{
    // A selection is replaced by what is typed, so the rules see the text without it.
    QString rest = text();
    int caret = cursorPosition();
    if (hasSelectedText()) {
        caret = selectionStart();
        rest.remove(caret, selectedText().size());
    }
    if (!numericKeyAccepted(rest.toStdString(), caret, ch, format_)) {
        QApplication::beep();
        return false;
    }
    return true;
}

void CNumericEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        paste();
        return;
    }
    // Only characters go through the rules; editing and moving keys (Delete, the
    // arrows, Home, End, shortcuts) are the box's own, and Return, Escape and Tab go on
    // to the page (its default button, its Cancel, the next control).
    const QString typed = event->text();
    const int key = event->key();
    const bool pageKey = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Tab ||
                         key == Qt::Key_Backtab;
    const bool character = typed.size() == 1 && key != Qt::Key_Delete && !pageKey &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (character) {
        const char16_t c = typed.front().unicode();
        if (c > 0x7F) {
            QApplication::beep();
            return;
        }
        if (!typeCharacter(static_cast<char>(c)))
            return;
    }
    QLineEdit::keyPressEvent(event);
}

void CNumericEdit::paste()
{
    // Pasting is typing the clipboard's characters one by one; what the rules refuse
    // is dropped.
    for (const QChar c : QApplication::clipboard()->text()) {
        if (c.unicode() <= 0x7F && c.unicode() >= 32 && typeCharacter(static_cast<char>(c.unicode())))
            insert(QString(c));
    }
}

void CNumericEdit::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }

void CNumericEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void CNumericEdit::focusInEvent(QFocusEvent* event)
{
    if (reformat_)
        setText(formatted_);
    QLineEdit::focusInEvent(event);
}

void CNumericEdit::focusOutEvent(QFocusEvent* event)
{
    if (reformat_) {
        value_ = numericTextValue(text().toStdString());
        formatted_ = QString::fromStdString(numericText(value_, format_.decimals));
        setText(formatted_);
    }
    QLineEdit::focusOutEvent(event);
}

} // namespace velmora
