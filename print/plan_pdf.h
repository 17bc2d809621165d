#pragma once

// The printed plan as a PDF file, with no printer and no display: the layout of Print Plan on a
// PDF page of its own, made in memory so that the file is written atomically as a whole. Each
// step is a call of its own, so that a caller can tell what it costs.

#include <QFont>
#include <QtGlobal>
#include <cstdint>
#include <memory>
#include <string>

class QGuiApplication;

namespace brim {

struct PlanDocument;
struct PlanPdfParts;

// Qt Gui on its offscreen platform, whatever DISPLAY and WAYLAND_DISPLAY name: the fonts and
// the painting the PDF needs, with no display server reached (nor waited for, when the one
// named is dead). One in a process, for as long as the PDF is being made.
class OffscreenToolkit {
public:
    explicit OffscreenToolkit(const char* programPath);
    ~OffscreenToolkit();
    OffscreenToolkit(const OffscreenToolkit&) = delete;
    OffscreenToolkit& operator=(const OffscreenToolkit&) = delete;

private:
    int argc_ = 3;
    char* argv_[4];
    QtMessageHandler previousHandler_;
    std::unique_ptr<QGuiApplication> application_;
};

enum class PlanPage : std::uint8_t { A4, Letter };

class PlanPdf {
public:
    explicit PlanPdf(PlanPage page);
    ~PlanPdf();
    PlanPdf(const PlanPdf&) = delete;
    PlanPdf& operator=(const PlanPdf&) = delete;

    // The document laid out on the page in `font`, as the print preview lays it out.
    void layOut(const PlanDocument& document, const QFont& font);
    // Every page painted: the PDF file's bytes.
    std::string write();

private:
    std::unique_ptr<PlanPdfParts> parts_;
};

} // namespace brim
