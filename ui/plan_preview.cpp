#include "plan_preview.h"

#include "plan_printout.h"
#include "sheet_controls.h"

#include <QDate>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>

namespace brim {
namespace {

CalendarDate today() {
    const QDate date = QDate::currentDate();
    return {date.year(), date.month(), date.day()};
}

} // namespace

void previewPlan(const ConfigSheet& sheet, const PlanningAssumptions& assumptions,
                 std::span<const KeptPlan> keptPlans, QWidget& parent) {
    const RowDiskNames names = rowDiskNames();
    const PlanDocument document =
        planDocument({sheet, assumptions, names, keptPlans, std::nullopt, today()});
    // The page size is the printer's own (A4 or Letter, as it or the locale says).
    QPrinter printer(QPrinter::HighResolution);
    preparePlanPage(printer);
    QPrintPreviewDialog preview(&printer, &parent);
    const QFont font = parent.font();
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview,
        [&document, &font](QPrinter* target) { printPlanDocument(document, font, *target); });
    preview.exec();
}

} // namespace brim
