#include "qt_prompts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// Lines `paragraph` takes when broken at word boundaries to `width` pixels.
int linesAt(const QString& paragraph, const QFont& font, int width)
{
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    int lines = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines;
}

} // namespace

int messageTextWidth(const QString& text, const QFont& font, int limit)
{
    const QFontMetrics metrics(font);
    int width = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        const int natural = static_cast<int>(std::ceil(metrics.horizontalAdvance(paragraph))) + 1;
        if (natural <= limit) {
            width = std::max(width, natural);
            continue;
        }
        // The narrowest width that still takes no more lines than the limit does.
        const int lines = linesAt(paragraph, font, limit);
        int low = natural / lines, high = limit;
        while (low < high) {
            const int mid = (low + high) / 2;
            if (linesAt(paragraph, font, mid) <= lines)
                high = mid;
            else
                low = mid + 1;
        }
        width = std::max(width, high);
    }
    return width;
}

std::unique_ptr<QMessageBox> QtPrompts::makeBox(const std::string& text, PromptIcon icon, PromptButtons buttons,
                                                std::optional<PromptAnswer> defaultButton) const
{
    auto box = std::make_unique<QMessageBox>(parent_);
    box->setWindowTitle(caption_);
    box->setText(QString::fromStdString(text));
    switch (icon) {
    case PromptIcon::Warning: box->setIcon(QMessageBox::Warning); break;
    case PromptIcon::Question: box->setIcon(QMessageBox::Question); break;
    case PromptIcon::Stop: box->setIcon(QMessageBox::Critical); break;
    case PromptIcon::Information: box->setIcon(QMessageBox::Information); break;
    case PromptIcon::None: box->setIcon(QMessageBox::NoIcon); break;
    }
    switch (buttons) {
    case PromptButtons::Ok: box->setStandardButtons(QMessageBox::Ok); break;
    case PromptButtons::YesNo: box->setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case PromptButtons::YesNoCancel:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case PromptButtons::OkCancel: box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    }
    switch (defaultButton.value_or(firstButton(buttons))) {
    case PromptAnswer::Ok: box->setDefaultButton(QMessageBox::Ok); break;
    case PromptAnswer::Yes: box->setDefaultButton(QMessageBox::Yes); break;
    case PromptAnswer::No: box->setDefaultButton(QMessageBox::No); break;
    case PromptAnswer::Cancel: box->setDefaultButton(QMessageBox::Cancel); break;
    }
    // The box takes its text's width as the label's least: lines up to half the
    // screen's width (at least 400 pixels, at most 900) stay whole.
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        const QScreen* screen = parent_ ? parent_->screen() : QApplication::primaryScreen();
        const int limit = std::clamp(screen ? screen->availableGeometry().width() / 2 : 0, 400, 900);
        label->setMinimumWidth(messageTextWidth(box->text(), label->font(), limit));
    }
    return box;
}

PromptAnswer QtPrompts::ask(const std::string& text, PromptIcon icon, PromptButtons buttons, PromptAnswer defaultButton)
{
    const std::unique_ptr<QMessageBox> box = makeBox(text, icon, buttons, defaultButton);
    // A message that comes up during a busy operation (a failed download, say) is
    // answered with the ordinary pointer, not the wait cursor.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box->exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    switch (answer) {
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Cancel: return PromptAnswer::Cancel;
    default: return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Ok;
    }
}

} // namespace velmora
