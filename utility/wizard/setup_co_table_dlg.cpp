#include "setup_co_table_dlg.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_units.h"
#include "page_view.h"

namespace velmora {

namespace {

struct Row {
    const char* ppm;
    const char* time;
    const char* symptoms; // lines as the table sets them
};

constexpr Row kRows[] = {
    {"50", "N/A",
     "Safety level as specified by the Health and Safety Executive\n"
     "(HSE) in the UK."},
    {"200", "2 - 3 hours",
     "Slight headache, some may experience slight dizziness,\n"
     "nausea, chest tightness, fatigue, lack of concentration,\n"
     "memory loss."},
    {"400", "1 - 2 hours",
     "Headache worsening to a severe headache with prolonged\n"
     "exposure, dizziness, nausea, fatigue, tightness across the\n"
     "chest, memory loss, lack of concentration."},
    {"800", "45 minutes",
     "Headache, dizziness, nausea, convulsions within 45 minutes.\n"
     "Unconscious within 2 hours. Death can occur within 2-3\n"
     "hours."},
};

QFrame* rule(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

CSetupCOTableDlg::CSetupCOTableDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CSetupCOTableDlg"));
    setWindowTitle(QStringLiteral("Velmora USB"));
    const DialogUnits du(font());

    auto* title = new QLabel(QStringLiteral("The effects of Carbon Monoxide exposure"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    auto* table = new QGridLayout;
    table->setHorizontalSpacing(du.x(10));
    table->setVerticalSpacing(du.y(4));
    const char* const headings[] = {"ppm CO", "Time exposed", "Symptoms"};
    for (int column = 0; column < 3; ++column) {
        auto* heading = new QLabel(QString::fromLatin1(headings[column]), this);
        heading->setFont(bold);
        table->addWidget(heading, 0, column, Qt::AlignLeft | Qt::AlignTop);
    }
    table->addWidget(rule(this), 1, 0, 1, 3);
    int line = 2;
    for (const Row& row : kRows) {
        int column = 0;
        for (const char* text : {row.ppm, row.time, row.symptoms})
            table->addWidget(new QLabel(QString::fromLatin1(text), this), line, column++, Qt::AlignLeft | Qt::AlignTop);
        ++line;
    }
    table->addWidget(rule(this), line, 0, 1, 3);
    table->setColumnStretch(2, 1);

    auto* notes = new QLabel(QStringLiteral("- ppm CO, parts per million Carbon Monoxide\n"
                                            "- This table is for guidance only. National safety standards vary from "
                                            "country to country.\n"
                                            "   If unsure, check with your appropriate national body."),
                             this);

    auto* ok = withId(new QPushButton(QStringLiteral("OK"), this), 1);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(du.x(7), du.y(7), du.x(7), du.y(7));
    layout->setSpacing(du.y(6));
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addLayout(table);
    layout->addWidget(notes);
    layout->addStretch(1);
    layout->addLayout(buttons);

    // The form's size, grown if the user's font needs more room.
    resize(du.size(349, 257).expandedTo(sizeHint()));
}

} // namespace velmora
