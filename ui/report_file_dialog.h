#pragma once

#include "report.h"

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

} // namespace brim
