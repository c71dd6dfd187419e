#pragma once
// "Choose a Logger": with several loggers plugged in, the list a task asks from, one
// row per logger (serial number, name, type, state), the first one selected. OK (or
// Return, or a double click) takes the selected logger; Cancel takes none.
#include <QDialog>

#include "logger_picker.h"

class QTreeWidget;

namespace velmora {

class CChooseLoggerDlg final : public QDialog {
    Q_OBJECT
public:
    CChooseLoggerDlg(const std::vector<FleetLogger>& loggers, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    // The row selected: the logger's index.
    std::size_t chosen() const;

private:
    QTreeWidget* list_;
};

// The picker of the utility: asks with the dialog above, over `parent`.
class DialogLoggerPicker final : public LoggerPicker {
public:
    explicit DialogLoggerPicker(QWidget* parent) : parent_(parent) {}
    std::optional<std::size_t> pick(const std::vector<FleetLogger>& loggers) override;

private:
    QWidget* parent_;
};

} // namespace velmora
