#pragma once
#include <QString>

#include "../file_dialogs.h"

class QWidget;

namespace velmora {

// Turns a filter of the "Text|*.txt|All Files (*.*)| *.*||" form into Qt's
// "Text (*.txt);;All Files (*.*) (*)" form.
QString toQtFilter(const std::string& filter);

class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const FileDialogRequest& request) override;
    void setParent(QWidget* parent) { parent_ = parent; }

private:
    QWidget* parent_;
};

} // namespace velmora
