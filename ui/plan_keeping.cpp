#include "ui/plan_keeping.h"

#include "commands/capacity_planner.h"
#include "commands/file_texts.h"
#include "ui/compare_window.h"
#include "ui/qt_text.h"
#include "ui/question_box.h"
#include "ui/report_file_dialog.h"

#include <QAction>

namespace brim {

PlanKeeping::PlanKeeping(QWidget& window, const WorkbookParts& parts, MessageSink& messages)
    : window_(window), parts_(parts), commands_(parts, messages),
      ownChooser_(std::make_unique<WorkbookFileDialog>(&window)),
      ownQuestions_(std::make_unique<QuestionBox>(&window)),
      ownClosingQuestion_(std::make_unique<ClosingQuestionBox>(&window)),
      chooser_(ownChooser_.get()), questions_(ownQuestions_.get()),
      closingQuestion_(ownClosingQuestion_.get()) {}

PlanKeeping::~PlanKeeping() = default;

void PlanKeeping::useDialogs(WorkbookFileChooser* chooser, Questions* questions) {
    chooser_ = chooser ? chooser : ownChooser_.get();
    questions_ = questions ? questions : ownQuestions_.get();
}

void PlanKeeping::useClosingQuestion(ClosingQuestion* question) {
    closingQuestion_ = question ? question : ownClosingQuestion_.get();
}

void PlanKeeping::saveWorkbook() {
    commands_.save(*chooser_);
    showFile();
}

void PlanKeeping::saveWorkbookAs() {
    commands_.saveAs(*chooser_);
    showFile();
}

void PlanKeeping::openFile(const std::string& path) {
    commands_.openFile(path, *questions_);
    showFile();
}

// A save the question asked for names its file, as Ctrl+S does, in case the window stays open.
bool PlanKeeping::mayClose() {
    const bool closes = commands_.mayClose(*chooser_, *closingQuestion_);
    showFile();
    return closes;
}

void PlanKeeping::showFileIn(QAction& saveEntry) {
    saveEntry_ = &saveEntry;
    showFile();
}

void PlanKeeping::showFile() {
    if (saveEntry_) {
        saveEntry_->setText(toQString(saveWorkbookEntryText(parts_.file)));
    }
}

void PlanKeeping::comparePlans() {
    if (!parts_.commands.captureInput()) {
        return;
    }
    CompareWindow window(parts_.sheet, parts_.plans, parts_.planning, statedWorkload(parts_.sizing),
                         parts_.commands, *questions_, &window_);
    window.exec();
}

} // namespace brim
