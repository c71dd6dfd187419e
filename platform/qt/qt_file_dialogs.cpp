#include "qt_file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace velmora {

QString toQtFilter(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList qtFilters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        // A description that already shows its patterns, "Text Files (*.txt)", gets
        // Qt's form of them in their place instead of a second copy.
        const QString shown = QStringLiteral("(%1)").arg(parts[i + 1].trimmed());
        if (description.endsWith(shown))
            description = description.left(description.size() - shown.size()).trimmed();
        if (description.isEmpty())
            break;
        // "*.*" means every file; Qt spells that "*".
        const QString qtPatterns = patterns == QLatin1String("*.*") ? QStringLiteral("*") : patterns;
        qtFilters << QStringLiteral("%1 (%2)").arg(description, qtPatterns);
    }
    return qtFilters.join(QStringLiteral(";;"));
}

namespace {
QFileDialog* makeDialog(QWidget* parent, const FileDialogRequest& request)
{
    auto* dialog = new QFileDialog(parent, QString::fromStdString(request.title));
    dialog->setNameFilters(toQtFilter(request.filter).split(QStringLiteral(";;")));
    dialog->setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    if (!request.initialFolder.empty())
        dialog->setDirectory(QString::fromStdString(request.initialFolder));
    if (!request.suggestedName.empty())
        dialog->selectFile(QString::fromStdString(request.suggestedName));
    return dialog;
}

std::optional<std::string> run(QFileDialog* dialog)
{
    std::optional<std::string> result;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
        result = QDir::toNativeSeparators(dialog->selectedFiles().first()).toStdString();
    delete dialog;
    return result;
}
} // namespace

std::optional<std::string> QtFileDialogs::openFile(const FileDialogRequest& request)
{
    QFileDialog* dialog = makeDialog(parent_, request);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return run(dialog);
}

std::optional<std::string> QtFileDialogs::saveFile(const FileDialogRequest& request)
{
    QFileDialog* dialog = makeDialog(parent_, request);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    return run(dialog);
}

std::optional<std::string> QtFileDialogs::chooseFolder(const FileDialogRequest& request)
{
    auto* dialog = new QFileDialog(parent_, QString::fromStdString(request.title));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    if (!request.initialFolder.empty())
        dialog->setDirectory(QString::fromStdString(request.initialFolder));
    return run(dialog);
}

} // namespace velmora
