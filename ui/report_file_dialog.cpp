#include "report_file_dialog.h"

#include <QDialog>
#include <QString>
#include <QStringList>

namespace brim {

namespace {

constexpr char kTextFilesFilter[] = "Text Files (*.txt)";
constexpr char kTextSuffix[] = "txt";

} // namespace

std::unique_ptr<QFileDialog> makeReportFileDialog(QWidget* parent) {
    // A dialog object, not QFileDialog::getSaveFileName: only the object applies the default
    // suffix. Qt's own dialog, so the suffix and the replace question hold on every desktop.
    // No caption and no file name: the dialog keeps its own title for saving.
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilter(QString::fromLatin1(kTextFilesFilter));
    dialog->setDefaultSuffix(QString::fromLatin1(kTextSuffix));
    return dialog;
}

ReportFileDialog::ReportFileDialog(QWidget* parent) : parent_(parent) {}

std::optional<std::string> ReportFileDialog::chooseReportFile() {
    const std::unique_ptr<QFileDialog> dialog = makeReportFileDialog(parent_);
    if (dialog->exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog->selectedFiles();
    if (files.isEmpty()) {
        return std::nullopt;
    }
    return files.first().toStdString();
}

} // namespace brim
