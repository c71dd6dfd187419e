#pragma once
// The advice the carbon monoxide page offers with "CO Levels...": a fixed table of
// the effects of exposure, with an "OK" button.
#include <QDialog>

namespace velmora {

class CSetupCOTableDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CSetupCOTableDlg(QWidget* parent = nullptr);
};

} // namespace velmora
