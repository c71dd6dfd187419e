#pragma once
// Shows a long export as it goes: a window-modal progress dialog with a Cancel
// button that keeps the window repainting. Nothing is shown for exports that finish
// within a moment.
#include <QPointer>

#include "workbook_export.h"

class QProgressDialog;
class QWidget;

namespace velmora {

class ExportProgressDialog {
public:
    explicit ExportProgressDialog(QWidget* window, int showAfterMs = 400);
    ~ExportProgressDialog();
    ExportProgressDialog(const ExportProgressDialog&) = delete;
    ExportProgressDialog& operator=(const ExportProgressDialog&) = delete;

    // The callback for the export; it answers false once Cancel has been pressed.
    ExportProgress callback();
    QProgressDialog* dialog() const;

private:
    bool update(std::size_t done, std::size_t total);

    QWidget* window_;
    int showAfterMs_;
    QPointer<QProgressDialog> dialog_;
};

} // namespace velmora
