#pragma once
// The viewer's main window: the menus, the toolbar and the status bar around the
// chart view. It only presents commands; the application carries them out.
#include <QMainWindow>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace velmora {

class CVelmoraGraphView;

class CGraphMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    // The frame shows `view` as its central widget and takes its commands into the
    // menus and the toolbar.
    explicit CGraphMainFrame(CVelmoraGraphView& view, QWidget* parent = nullptr);

    CVelmoraGraphView& view() const { return view_; }
    QToolBar* toolBar() const { return toolBar_; }
    QAction* openAction() const { return open_; }
    QAction* addFileAction() const { return addFile_; }
    QMenu* removeFileMenu() const { return removeFile_; }
    QAction* exportAction() const { return export_; }
    QAction* saveReportAction() const { return saveReport_; }
    QAction* statisticsAction() const { return statistics_; }
    QAction* joinDeploymentsAction() const { return joinDeployments_; }
    QAction* spreadAction() const { return spread_; }
    QAction* closeGraphAction() const { return closeGraph_; }
    QAction* toolBarAction() const { return toolBarToggle_; }
    QAction* statusBarAction() const { return statusBarToggle_; }
    QAction* helpTopicsAction() const { return helpTopics_; }
    QAction* aboutAction() const { return about_; }
    QAction* helpAction() const { return help_; }
    QAction* contextHelpAction() const { return contextHelp_; }
    QMenu* recentFilesMenu() const { return fileMenu_; }
    const std::vector<QAction*>& recentFileActions() const { return recent_; }

    // The recent-file entries of the File menu, newest first.
    void setRecentFiles(const std::vector<std::string>& paths);
    // The files on the chart as Remove File from Chart lists them (one or none: the
    // menu is disabled, and so are Join Deployments and the spread).
    void setChartFiles(const QStringList& titles);
    // "<file> - VelmoraGraph", or the bare title with no file loaded.
    void showFileInTitle(const std::string& path);
    // A warning about the loaded file that stays in the status bar while the file is
    // shown (command prompts come and go beside it); empty hides it.
    void showFileWarning(std::string_view warning);
    QLabel* fileWarningLabel() const { return fileWarning_; }

signals:
    void openRequested();
    void openFromArchiveRequested();
    void addFileRequested();
    void removeFileRequested(int index);
    void recentFileRequested(const QString& path);
    void exportRequested();
    void saveReportRequested();
    void statisticsRequested();
    void joinDeploymentsToggled(bool on);
    void spreadToggled(bool on);
    void helpTopicsRequested();
    void contextHelpRequested();
    void aboutRequested();
    void filesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();

    CVelmoraGraphView& view_;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* openFromArchive_ = nullptr;
    QAction* recentSeparator_ = nullptr; // recent entries go just before it
    QAction* recentPlaceholder_ = nullptr;
    std::vector<QAction*> recent_;
    QAction* open_ = nullptr;
    QAction* addFile_ = nullptr;
    QMenu* removeFile_ = nullptr;
    QAction* export_ = nullptr;
    QAction* saveReport_ = nullptr;
    QAction* statistics_ = nullptr;
    QAction* joinDeployments_ = nullptr;
    QAction* spread_ = nullptr;
    QAction* closeGraph_ = nullptr;
    QAction* toolBarToggle_ = nullptr;
    QAction* statusBarToggle_ = nullptr;
    QAction* helpTopics_ = nullptr;
    QAction* about_ = nullptr;
    QAction* help_ = nullptr;
    QAction* contextHelp_ = nullptr;
    QLabel* fileWarning_ = nullptr;
};

} // namespace velmora
