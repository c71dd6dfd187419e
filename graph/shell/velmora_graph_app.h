#pragma once
// The viewer's application object: start-up, the one document, its window and view,
// the recent-file list and the commands of the File and Help menus.
#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "chart_contents.h"
#include "file_dialogs.h"
#include "help.h"
#include "process_launcher.h"
#include "prompts.h"
#include "recent_file_list.h"
#include "settings.h"
#include "velmora_graph_doc.h"

namespace velmora {

class CGraphMainFrame;
class CVelmoraGraphView;
class ContextHelpMode;
class StatisticsPanel;

// What the viewer reaches the desktop through; real in the program, scripted in tests.
struct GraphServices {
    Prompts& prompts;
    FileDialogs& dialogs;
    ProcessLauncher& launcher;
    Settings& settings;
    Help& help;
    std::string programFolder;
    // Where File > Open starts (see OnFileOpen): the utility's settings, which hold the
    // folder downloads were last saved to, and the user's documents and home folders.
    const Settings* utilitySettings = nullptr;
    std::string documentsFolder = {};
    std::string homeFolder = {};
};

class CVelmoraGraphApp final : public QObject {
    Q_OBJECT
public:
    explicit CVelmoraGraphApp(const GraphServices& services);
    ~CVelmoraGraphApp() override;

    // Start-up with the command line's arguments after the program name: one file
    // path opens that file, more are added to its chart; none gives an empty chart
    // and the File Open dialog. False when the first file named cannot be opened: the
    // program then ends.
    bool InitInstance(const QStringList& arguments);

    CVelmoraGraphDoc& document() { return doc_; }
    CGraphMainFrame& mainFrame() const { return *frame_; }
    CVelmoraGraphView& view() const { return *view_; }
    StatisticsPanel& statisticsPanel() const { return *statistics_; }
    const RecentFileList& recentFiles() const { return recent_; }

    // The help topic for what is loaded.
    int helpContext() const;
    // The folder File > Open starts in: the folder downloads were last saved to, else
    // the open file's, else the documents folder, else home.
    std::string openFolder() const;

public slots:
    void OnFileOpen();
    // File > Open from Archive...: a deployment's own download file, opened as any file.
    void OnFileOpenFromArchive();
    // Opens `path` as File Open would; false when it could not be opened at all.
    bool OpenDocumentFile(const QString& path);
    // File > Add File to Chart...: the file dialog, then AddFileToChart.
    void OnAddFile();
    // Shows `path` on the chart with the files there; false when it was not added (the
    // user has been told).
    bool AddFileToChart(const QString& path);
    // Takes file `index` (0: the first) off the chart.
    void OnRemoveFile(int index);
    void OnFileNew();
    void OnExportToExcel();
    void OnSaveReport();
    void OnViewStatistics();
    void OnHelpTopics();
    void OnContextHelp();
    void OnAppAbout();

private:
    // Loads `file` into the document and shows it; false when it could not be opened.
    bool loadDocument(const std::string& file);
    void showDocument();
    // The file dialog for a download file to show, titled `title`.
    std::optional<std::string> askForDownloadFile(std::string_view title);
    // What the view and the statistics panel let go of while the document changes.
    void releaseDocument();

    GraphServices services_;
    CVelmoraGraphDoc doc_;
    RecentFileList recent_;
    GraphData released_;  // what the view shows while the document changes
    ChartContents shown_; // the files (or joins) on the chart, and the spread
    bool joinDeployments_ = false;
    bool showSpread_ = false;
    CVelmoraGraphView* view_ = nullptr;
    StatisticsPanel* statistics_ = nullptr;
    std::unique_ptr<CGraphMainFrame> frame_;
    std::unique_ptr<ContextHelpMode> contextHelp_;
};

} // namespace velmora
