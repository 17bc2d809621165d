#pragma once

// The printed plan on paper: a document of commands/plan_document.h laid out as rich text on the
// device's own page size (A4 or Letter, as the printer says), portrait, in the given font, with
// "page N of M" at the foot of every page. Tables repeat their headings on a new page and never
// split a line; the chart is painted, not an image, so everything stays sharp at any resolution.

#include <memory>

class QFont;
class QPagedPaintDevice;
class QTextDocument;

namespace brim {

struct PlanDocument;

// Portrait with margins of 15 mm, on whatever page size the device holds.
void preparePlanPage(QPagedPaintDevice& device);

// The document as rich text laid out for the device's pages, less the room of the page footer.
std::unique_ptr<QTextDocument> planTextDocument(const PlanDocument& document, const QFont& font,
                                                QPagedPaintDevice& device);

// Prints every page on the device, which must not be painted on yet; returns the page count.
int printPlanDocument(const PlanDocument& document, const QFont& font, QPagedPaintDevice& device);

// The same for a document planTextDocument laid out for this device: its pages and their feet.
int printPlanText(QTextDocument& text, const QFont& font, QPagedPaintDevice& device);

} // namespace brim
