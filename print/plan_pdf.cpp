#include "print/plan_pdf.h"

#include "commands/plan_document.h"
#include "print/plan_printout.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTextDocument>

namespace brim {
namespace {

constexpr char kPlatformOption[] = "-platform";
// Its own fonts come from fontconfig, as the window's do on a desktop.
constexpr char kOffscreen[] = "offscreen";

// The toolkit's own notes (a runtime folder it lacks, say) are none of the program's words,
// which alone go to standard error.
void dropToolkitNote(QtMsgType, const QMessageLogContext&, const QString&) {}

QPageSize pageSizeOf(PlanPage page) {
    return QPageSize(page == PlanPage::Letter ? QPageSize::Letter : QPageSize::A4);
}

} // namespace

// The platform given on the toolkit's command line outranks QT_QPA_PLATFORM.
OffscreenToolkit::OffscreenToolkit(const char* programPath)
    : argv_{const_cast<char*>(programPath), const_cast<char*>(kPlatformOption),
            const_cast<char*>(kOffscreen), nullptr},
      previousHandler_(qInstallMessageHandler(dropToolkitNote)),
      application_(std::make_unique<QGuiApplication>(argc_, argv_)) {}

OffscreenToolkit::~OffscreenToolkit() {
    application_.reset();
    qInstallMessageHandler(previousHandler_);
}

// The PDF made in memory, and the document laid out for its pages.
struct PlanPdfParts {
    QBuffer bytes;
    QPdfWriter writer{&bytes};
    QFont font;
    std::unique_ptr<QTextDocument> text;
};

PlanPdf::PlanPdf(PlanPage page) : parts_(std::make_unique<PlanPdfParts>()) {
    parts_->bytes.open(QIODevice::WriteOnly);
    parts_->writer.setPageSize(pageSizeOf(page));
    preparePlanPage(parts_->writer);
}

PlanPdf::~PlanPdf() = default;

void PlanPdf::layOut(const PlanDocument& document, const QFont& font) {
    parts_->font = font;
    parts_->text = planTextDocument(document, font, parts_->writer);
}

std::string PlanPdf::write() {
    printPlanText(*parts_->text, parts_->font, parts_->writer);
    parts_->bytes.close();
    return parts_->bytes.data().toStdString();
}

} // namespace brim
