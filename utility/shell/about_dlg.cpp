#include "about_dlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "artwork.h"
#include "page_view.h"

namespace velmora {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("100"));
    setWindowTitle(QStringLiteral("About Velmora USB"));
    setProperty("helpContext", 100);

    auto* icon = new QLabel(this);
    icon->setPixmap(artworkIcon(Artwork::ProgramIcon).pixmap(QSize(48, 48), devicePixelRatioF()));
    icon->setAlignment(Qt::AlignTop);
    auto* version = new QLabel(QString::fromLatin1(kVersionLine), this);
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    auto* copyright = new QLabel(QStringLiteral("Copyright \u00a9 Oskenby Electronics Ltd."), this);

    auto* supplier = new QGroupBox(QStringLiteral("Supplier"), this);
    auto* contact = new QLabel(QStringLiteral("Oskenby Electronics Ltd.\n"
                                              "Technical support for Velmora USB Data Loggers\n"
                                              "\n"
                                              "Telephone: +44 1632 960 418\n"
                                              "E-mail: support@oskenby.example\n"
                                              "Web: www.oskenby.example"),
                               supplier);
    contact->setTextInteractionFlags(Qt::TextSelectableByMouse);
    (new QVBoxLayout(supplier))->addWidget(contact);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = withId(buttons->addButton(QDialogButtonBox::Ok), 1);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(version);
    text->addWidget(copyright);
    text->addSpacing(8);
    text->addWidget(supplier);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(8);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace velmora
