#include "ui/plan_preview.h"

#include "print/plan_printout.h"
#include "ui/sheet_controls.h"

#include <QAction>
#include <QDate>
#include <QGuiApplication>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QWidget>
#include <algorithm>

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

// The preview's toolbar ends with its Print action, where a narrow window (a screen at double
// scale) hides it behind the toolbar's extension. Print comes first instead, and the page
// modes go: a planner reads the plan a page at a time. The toolkit names the modes' and the
// fitting actions by object name, not by their (translated) texts.
void arrangeToolbar(QPrintPreviewDialog& preview) {
    auto* toolbar = preview.findChild<QToolBar*>();
    if (toolbar == nullptr || toolbar->actions().isEmpty()) {
        return;
    }
    const QList<QAction*> actions = toolbar->actions();
    QAction* print = actions.constLast();
    toolbar->insertAction(actions.constFirst(), print);
    toolbar->insertSeparator(actions.constFirst());
    for (const char* mode : {"singleModeAction", "facingModeAction", "overviewModeAction"}) {
        if (auto* action = preview.findChild<QAction*>(QLatin1String(mode))) {
            toolbar->removeAction(action);
        }
    }
    // Two separators in a row are left where the modes were: one of them goes too.
    const QList<QAction*> left = toolbar->actions();
    for (qsizetype i = 1; i < left.size(); ++i) {
        if (left[i]->isSeparator() && left[i - 1]->isSeparator()) {
            toolbar->removeAction(left[i]);
            break;
        }
    }
}

// As tall as the screen's room and as wide as the page at its printed size, within the screen,
// less a window manager's frame and title bar (not known before the window shows: taken to be
// as wide as the style's); the page fitted to the preview's width.
void fitToScreen(QPrintPreviewDialog& preview, const QPrinter& printer, const QScreen* screen) {
    if (auto* fitWidth = preview.findChild<QAction*>(QStringLiteral("fitWidthAction"))) {
        fitWidth->trigger(); // the toolbar shows the fitting it does
    } else if (auto* view = preview.findChild<QPrintPreviewWidget*>()) {
        view->setZoomMode(QPrintPreviewWidget::FitToWidth);
    }
    if (screen == nullptr) {
        return;
    }
    const QRect room = screen->availableGeometry();
    const QStyle* style = preview.style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &preview);
    const int titleBar = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &preview);
    constexpr qreal kPointsPerInch = 72.0;
    const qreal pageWidth = printer.pageLayout().fullRectPoints().width() / kPointsPerInch *
                            screen->logicalDotsPerInchX();
    // The view's margins around the page and its scroll bar.
    const int scrollBar = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &preview);
    const int wanted = qRound(pageWidth * 1.1) + scrollBar;
    preview.resize(std::min(wanted, room.width() - 2 * border), room.height() - titleBar - border);
}

} // namespace

void previewPlan(const ConfigSheet& sheet, const PlanningAssumptions& assumptions,
                 StatedWorkload workload, const KeptPlans& keptPlans, QWidget& parent) {
    const RowDiskNames names = rowDiskNames();
    const std::vector<KeptPlan> kept = keptPlansOf(keptPlans);
    const std::string separator = QLocale().groupSeparator().toStdString();
    const PlanDocument document =
        planDocument({sheet, assumptions, names, kept, printedFigureOf(keptPlans.chartedFigure()),
                      today(), separator, workload});
    QPrinter printer(QPrinter::HighResolution);
    takeDefaultPageSize(printer);
    preparePlanPage(printer);
    QPrintPreviewDialog preview(&printer, &parent);
    arrangeToolbar(preview);
    const QScreen* screen = parent.screen();
    fitToScreen(preview, printer, screen ? screen : QGuiApplication::primaryScreen());
    const QFont font = parent.font();
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview,
        [&document, &font](QPrinter* target) { printPlanDocument(document, font, *target); });
    preview.exec();
}

} // namespace brim
