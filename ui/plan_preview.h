#pragma once

// Print Plan: the plan as a document in the toolkit's print preview, from which the planner
// prints it or saves it as a PDF through the print dialog.

#include "plan_document.h"

#include <span>

class QWidget;

namespace brim {

// The document of `sheet` as it stands, dated today, with the kept plans, in `parent`'s font;
// modal over `parent` until the planner closes the preview.
void previewPlan(const ConfigSheet& sheet, const PlanningAssumptions& assumptions,
                 std::span<const KeptPlan> keptPlans, QWidget& parent);

} // namespace brim
