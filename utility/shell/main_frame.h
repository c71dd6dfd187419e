#pragma once
// The utility's main window: the menu, the help keys, the About box and the pane
// that holds the pages. It cannot be resized or maximised; it is fitted to the form
// of the pages once they exist.
#include <QMainWindow>
#include <functional>
#include <map>

class QAction;

namespace velmora {

class Help;
class ContextHelpMode;

// Command identifiers of the "&Options" menu.
namespace cmd {
inline constexpr int kSetUp = 1101;
inline constexpr int kStopAndDownload = 1102;
inline constexpr int kViewPreviousGraph = 1103;
inline constexpr int kCurrentStatus = 32775;
inline constexpr int kDownloadAll = 32776;
} // namespace cmd

inline constexpr const char* kProgramTitle = "Velmora USB";

class CMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(Help& help, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QWidget* pane() const { return pane_; }
    // The menu command `id` (1101, 1102, 1103, 32775, 32776).
    QAction* command(int id) const;
    QAction* exitAction() const { return exit_; }
    QAction* helpTopicsAction() const { return helpTopics_; }
    QAction* aboutAction() const { return about_; }
    QAction* helpAction() const { return help_; }
    QAction* contextHelpAction() const { return contextHelp_; }

    // The help context of what is on show, for F1.
    void setCurrentContext(std::function<int()> current) { currentContext_ = std::move(current); }
    // The task commands only act while the main menu is on show.
    void setTaskCommandsEnabled(bool enabled);
    // Gives the window the fixed size that fits a form of `formSize` exactly.
    void fitToForm(QSize formSize);
    ContextHelpMode& contextHelpMode() const { return *contextHelpMode_; }

public slots:
    void OnAppAbout();

private:
    QAction* addCommand(QMenu* menu, const QString& text, int id);

    Help& helpSeam_;
    QWidget* pane_;
    std::map<int, QAction*> commands_;
    QAction* exit_ = nullptr;
    QAction* helpTopics_ = nullptr;
    QAction* about_ = nullptr;
    QAction* help_ = nullptr;
    QAction* contextHelp_ = nullptr;
    ContextHelpMode* contextHelpMode_ = nullptr;
    std::function<int()> currentContext_;
};

} // namespace velmora
