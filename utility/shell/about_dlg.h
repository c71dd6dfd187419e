#pragma once
// "About Velmora USB": the program's icon and version, and the supplier's contact
// details that the messages refer to ("See About box for contact details").
#include <QDialog>

#include "velmora_version.h"

namespace velmora {

inline constexpr const char* kVersionLine = "Velmora USB Version " VELMORA_VERSION;

class CAboutDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace velmora
