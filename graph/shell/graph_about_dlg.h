#pragma once
// The viewer's About box ("About Velmora USB"): the program's icon, the product, its
// version and the supplier.
#include <QDialog>

namespace velmora {

class CGraphAboutDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CGraphAboutDlg(QWidget* parent = nullptr);
};

} // namespace velmora
