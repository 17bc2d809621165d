#pragma once

// Print Plan: the plan as a document in the toolkit's print preview, from which the planner
// prints it or saves it as a PDF through the print dialog.

#include "commands/plan_document.h"

#include <span>

class QWidget;

namespace brim {

// The document of `sheet` as it stands, dated today, with the kept plans and the figure last
// charted in Compare Plans, the years ahead grown from the workload Size for Capacity states, in
// `parent`'s font;
// modal over `parent` until the planner closes the preview.
void previewPlan(const ConfigSheet& sheet, const PlanningAssumptions& assumptions,
                 StatedWorkload workload, const KeptPlans& keptPlans, QWidget& parent);

} // namespace brim
