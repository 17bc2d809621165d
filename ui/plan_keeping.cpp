#include "plan_keeping.h"

#include "compare_window.h"
#include "question_box.h"
#include "report_file_dialog.h"

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

void PlanKeeping::comparePlans() {
    if (!parts_.commands.captureInput()) {
        return;
    }
    CompareWindow window(parts_.sheet, parts_.plans, parts_.planning, parts_.commands, *questions_,
                         &window_);
    window.exec();
}

} // namespace brim
