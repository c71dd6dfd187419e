#pragma once
// The chart view's printing: the printer (landscape by default) that the three print
// commands share, and the commands themselves.
//   printAction()        "&Print...\tCtrl+P" (print())
//   printPreviewAction() "Print Pre&view" (printPreview())
//   printSetupAction()   "P&rint Setup..." (printSetup())
// What goes on the page is asked for each time: the view builds the print chart from
// the screen chart as it stands.
#include <QObject>
#include <functional>
#include <memory>

#include "chart.h"

class QAction;
class QPrinter;
class QWidget;

namespace velmora {

class Prompts;

class ChartPrintCommands : public QObject {
    Q_OBJECT
public:
    // `page` makes the chart to print; the print dialogs open over `dialogParent`.
    ChartPrintCommands(Prompts& prompts, std::function<Chart()> page, QWidget* dialogParent);
    ~ChartPrintCommands() override;

    QAction* printAction() const { return print_; }
    QAction* printPreviewAction() const { return printPreview_; }
    QAction* printSetupAction() const { return printSetup_; }

    QPrinter& printer() { return *printer_; }
    // The name the printed document goes by: the print job's name, and the name the
    // print dialog suggests for a PDF (the data file's name with ".pdf").
    void setDocumentName(const QString& fileName);
    // Prints the chart on one page of `printer`; on failure says "Error: Failed to
    // print graph." and returns false.
    bool printTo(QPrinter& printer);

    void print();
    void printPreview();
    void printSetup();

private:
    Prompts& prompts_;
    std::function<Chart()> page_;
    QWidget* dialogParent_;
    std::unique_ptr<QPrinter> printer_;
    QAction* print_ = nullptr;
    QAction* printPreview_ = nullptr;
    QAction* printSetup_ = nullptr;
};

} // namespace velmora
