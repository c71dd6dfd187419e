#include "full_memory_choice.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "page_view.h"
#include "setup_page.h"

namespace velmora {

namespace {
constexpr int kFirstStorageRadio = 1152;
// In radio order: the values 0 and 1 of the pages' storage choice.
constexpr std::array<const char*, 2> kStorageChoices = {
    "Logger stops (recommended)", "Logger continues to log, overwriting the oldest data\nwhen full"};
} // namespace

void addStorageChoice(QGroupBox* group, QRadioButton* (&radios)[2])
{
    QVBoxLayout* column = groupColumn(group);
    column->addWidget(new QLabel(QStringLiteral("Select how the logger should perform when full."), group));
    for (int i = 0; i < 2; ++i) {
        radios[i] = withId(new QRadioButton(QString::fromUtf8(kStorageChoices[static_cast<std::size_t>(i)]), group),
                           kFirstStorageRadio + i);
        column->addWidget(radios[i]);
    }
}

} // namespace velmora
