#include "plan_preview.h"

#include "plan_printout.h"
#include "sheet_controls.h"

#include <QDate>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace brim {
namespace {

CalendarDate today() {
    const QDate date = QDate::currentDate();
    return {date.year(), date.month(), date.day()};
}

// A printer's own page size; with no printer, the PDF file gets the locale's: Letter where the
// US customary system is used, A4 elsewhere.
void takeDefaultPageSize(QPrinter& printer) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        return;
    }
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    printer.setPageSize(QPageSize(letter ? QPageSize::Letter : QPageSize::A4));
}

} // namespace

void previewPlan(const ConfigSheet& sheet, const PlanningAssumptions& assumptions,
                 const KeptPlans& keptPlans, QWidget& parent) {
    const RowDiskNames names = rowDiskNames();
    const std::vector<KeptPlan> kept = keptPlansOf(keptPlans);
    const PlanDocument document = planDocument(
        {sheet, assumptions, names, kept, printedFigureOf(keptPlans.chartedFigure()), today()});
    QPrinter printer(QPrinter::HighResolution);
    takeDefaultPageSize(printer);
    preparePlanPage(printer);
    QPrintPreviewDialog preview(&printer, &parent);
    const QFont font = parent.font();
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview,
        [&document, &font](QPrinter* target) { printPlanDocument(document, font, *target); });
    preview.exec();
}

} // namespace brim
