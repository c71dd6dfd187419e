#include "chart_print_commands.h"

#include <QAction>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "graph_strings.h"
#include "print_page.h"
#include "prompts.h"

namespace velmora {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

ChartPrintCommands::ChartPrintCommands(Prompts& prompts, std::function<Chart()> page, QWidget* dialogParent)
    : QObject(dialogParent), prompts_(prompts), page_(std::move(page)), dialogParent_(dialogParent),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    printer_->setPageOrientation(QPageLayout::Landscape);

    print_ = new QAction(text(graphtext::kPrint), this);
    print_->setShortcut(QKeySequence::Print);
    connect(print_, &QAction::triggered, this, &ChartPrintCommands::print);
    printPreview_ = new QAction(text(graphtext::kPrintPreview), this);
    connect(printPreview_, &QAction::triggered, this, &ChartPrintCommands::printPreview);
    printSetup_ = new QAction(text(graphtext::kPrintSetup), this);
    connect(printSetup_, &QAction::triggered, this, &ChartPrintCommands::printSetup);
}

ChartPrintCommands::~ChartPrintCommands() = default;

void ChartPrintCommands::setDocumentName(const QString& fileName) { printer_->setDocName(fileName); }

bool ChartPrintCommands::printTo(QPrinter& printer)
{
    const Chart page = page_();
    QPainter painter;
    if (!painter.begin(&printer)) {
        prompts_.warn(std::string(graphtext::kPrintFailed));
        return false;
    }
    const QRect printable(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    drawPrintPage(painter, printable, page);
    if (!painter.end()) {
        prompts_.warn(std::string(graphtext::kPrintFailed));
        return false;
    }
    return true;
}

void ChartPrintCommands::print()
{
    QPrintDialog dialog(printer_.get(), dialogParent_);
    if (dialog.exec() == QDialog::Accepted)
        printTo(*printer_);
}

void ChartPrintCommands::printPreview()
{
    QPrintPreviewDialog dialog(printer_.get(), dialogParent_);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { printTo(*p); });
    dialog.exec();
}

void ChartPrintCommands::printSetup()
{
    QPageSetupDialog dialog(printer_.get(), dialogParent_);
    dialog.exec();
}

} // namespace velmora
