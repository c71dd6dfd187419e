#pragma once
// File > Open from Archive...: the store (as velmora-cli finds it unless another is
// typed), a logger by serial number and name, then one of its deployments, which the
// time range narrows to those with readings in it; or, with a range, every one of
// them at once ("Open All in Range").
#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive_pick.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace velmora {

class ArchiveOpenDialog final : public QDialog {
    Q_OBJECT
public:
    ArchiveOpenDialog(const std::string& location, QWidget* parent);
    ~ArchiveOpenDialog() override;

    // After exec(): the store looked at and what was chosen: the deployment, or all in
    // the range; the range when one was set.
    ArchiveStore* store() const { return store_.get(); }
    ArchiveChoice choice() const;

public slots:
    void look(); // opens the store typed in and lists its loggers

private:
    void showDeployments();

    QLineEdit* location_;
    QComboBox* logger_;
    QCheckBox* range_;
    QDateTimeEdit* from_;
    QDateTimeEdit* to_;
    QListWidget* list_;
    QLabel* message_;
    QPushButton* open_;
    QPushButton* openAll_;
    bool allChosen_ = false;
    std::unique_ptr<ArchiveStore> store_;
    std::vector<Deployment> all_;
    std::vector<Deployment> shown_;
};

} // namespace velmora
