#include "ui/report_file_dialog.h"

#include "commands/file_texts.h"
#include "ui/qt_text.h"

#include <QDialog>
#include <QString>
#include <QStringList>

namespace brim {

namespace {

constexpr char kTextFilesFilter[] = "Text Files (*.txt)";
constexpr char kTextSuffix[] = "txt";
constexpr char kAllFilesFilter[] = "All Files (*)";
constexpr char kWorkbookFilter[] = "Brimcount workbook (*.brimcount)";
constexpr char kWorkbookSuffix[] = "brimcount";
constexpr char kEitherFilter[] = "Reports and workbooks (*.txt *.brimcount)";

std::optional<std::string> firstChosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) {
        return std::nullopt;
    }
    return files.first().toStdString();
}

std::unique_ptr<QFileDialog> makeSaveDialog(QWidget* parent, const char* filter,
                                            const char* suffix) {
    // A dialog object, not QFileDialog::getSaveFileName: only the object applies the default
    // suffix. Qt's own dialog, so the suffix and the replace question hold on every desktop.
    // No caption and no file name: Print's dialog keeps its own title for saving.
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilter(QString::fromLatin1(filter));
    dialog->setDefaultSuffix(QString::fromLatin1(suffix));
    return dialog;
}

} // namespace

std::unique_ptr<QFileDialog> makeReportFileDialog(QWidget* parent) {
    return makeSaveDialog(parent, kTextFilesFilter, kTextSuffix);
}

std::unique_ptr<QFileDialog> makeWorkbookFileDialog(QWidget* parent) {
    auto dialog = makeSaveDialog(parent, kWorkbookFilter, kWorkbookSuffix);
    dialog->setWindowTitle(toQString(FileWords::kSaveWorkbookTitle));
    return dialog;
}

std::optional<std::string> WorkbookFileDialog::chooseWorkbookFile() {
    return firstChosenFile(*makeWorkbookFileDialog(parent_));
}

ReportFileDialog::ReportFileDialog(QWidget* parent) : parent_(parent) {}

std::optional<std::string> ReportFileDialog::chooseReportFile() {
    return firstChosenFile(*makeReportFileDialog(parent_));
}

std::unique_ptr<QFileDialog> makeOpenReportFileDialog(QWidget* parent) {
    // Qt's own dialog, as for Print, titled for the command.
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setWindowTitle(toQString(FileWords::kOpenTitle));
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setNameFilters(
        {QString::fromLatin1(kEitherFilter), QString::fromLatin1(kTextFilesFilter),
         QString::fromLatin1(kWorkbookFilter), QString::fromLatin1(kAllFilesFilter)});
    return dialog;
}

OpenReportFileDialog::OpenReportFileDialog(QWidget* parent) : parent_(parent) {}

std::optional<std::string> OpenReportFileDialog::chooseReportToOpen() {
    return firstChosenFile(*makeOpenReportFileDialog(parent_));
}

} // namespace brim
