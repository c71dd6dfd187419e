#include "graph_about_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "graph_strings.h"
#include "viewer_icon.h"

namespace velmora {

namespace {
QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
} // namespace

CGraphAboutDlg::CGraphAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(text(graphtext::kAboutTitle));

    auto* icon = new QLabel(this);
    icon->setPixmap(viewerIcon().pixmap(QSize(48, 48), devicePixelRatioF()));
    icon->setAlignment(Qt::AlignTop);

    auto* product = new QLabel(text(graphtext::kAppTitle), this);
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    product->setFont(bold);
    auto* version = new QLabel(text(graphtext::kVersion), this);
    auto* role = new QLabel(text(graphtext::kAboutRole), this);
    auto* copyright = new QLabel(text(graphtext::kCopyright), this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* lines = new QVBoxLayout;
    lines->addWidget(product);
    lines->addWidget(version);
    lines->addSpacing(6);
    lines->addWidget(role);
    lines->addWidget(copyright);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(10);
    top->addLayout(lines, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace velmora
