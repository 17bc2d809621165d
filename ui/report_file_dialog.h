#pragma once

#include "report.h"

class QWidget;

namespace brim {

// The save-file chooser of Print: Qt's own file dialog in save mode, one file type
// "Text Files (*.txt)", default suffix "txt", asking before it replaces a file.
class ReportFileDialog final : public ReportFileChooser {
public:
    explicit ReportFileDialog(QWidget* parent);
    std::optional<std::string> chooseReportFile() override;

private:
    QWidget* parent_;
};

} // namespace brim
