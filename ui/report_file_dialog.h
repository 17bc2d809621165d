#pragma once

#include "report/report.h"
#include "report/report_reader.h"
#include "report/workbook.h"

#include <QFileDialog>
#include <memory>

class QWidget;

namespace brim {

// The save-file chooser of Print, set up but not shown: Qt's own file dialog in save mode, one
// file type "Text Files (*.txt)", default suffix "txt", asking before it replaces a file.
std::unique_ptr<QFileDialog> makeReportFileDialog(QWidget* parent);

// Shows the chooser modally over `parent` and returns the confirmed path (UTF-8).
class ReportFileDialog final : public ReportFileChooser {
public:
    explicit ReportFileDialog(QWidget* parent);
    std::optional<std::string> chooseReportFile() override;

private:
    QWidget* parent_;
};

// The save-file chooser of Save Workbook and Save Workbook As, set up as Print's and titled
// "Save Workbook": one file type "Brimcount workbook (*.brimcount)", default suffix
// "brimcount", asking before it replaces a file.
std::unique_ptr<QFileDialog> makeWorkbookFileDialog(QWidget* parent);

class WorkbookFileDialog final : public WorkbookFileChooser {
public:
    explicit WorkbookFileDialog(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> chooseWorkbookFile() override;

private:
    QWidget* parent_;
};

// The open-file chooser of Open, set up but not shown: Qt's own file dialog titled "Open", picking
// one existing file, reports and workbooks together first, then "Text Files (*.txt)", "Brimcount
// workbook (*.brimcount)" and "All Files (*)".
std::unique_ptr<QFileDialog> makeOpenReportFileDialog(QWidget* parent);

// Shows the open-file chooser modally over `parent` and returns the picked path (UTF-8).
class OpenReportFileDialog final : public ReportOpenChooser {
public:
    explicit OpenReportFileDialog(QWidget* parent);
    std::optional<std::string> chooseReportToOpen() override;

private:
    QWidget* parent_;
};

} // namespace brim
