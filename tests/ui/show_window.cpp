// Developer tool, not part of the program: opens the About, the Help or the Size for Capacity
// window on its own, so that scripts/screenshot can take its picture. "compare" opens a workbook
// first and then Compare Plans over it; "performance" opens one and then Sheet Performance;
// "capacity" opens one first when given (its prices and sizing choices); "plan" opens one and
// then Print Plan's preview, or with a PDF file prints the plan to it; "growth" opens one and
// then the Growth Plan window.
//   brimcount_show_window about|help|capacity|compare|performance|plan|growth [WORKBOOK] [PDF]
#include "ui/about_window.h"
#include "ui/application.h"
#include "ui/help_window.h"
#include "ui/plan_keeping.h"
#include "ui/sheet_window.h"
#include "ui/window_menu.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>
#include <cstring>

namespace {

bool asked(int argc, char* argv[], const char* name) {
    return argc > 1 && std::strcmp(argv[1], name) == 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    brim::setUpApplication(app, "brimcount");
    if (asked(argc, argv, "help")) {
        brim::HelpWindow window;
        window.exec();
    } else if (asked(argc, argv, "capacity")) {
        // Over the main window, which owns it; closing it leaves the main window to close.
        brim::SheetWindow window;
        const std::string workbook = argc > 2 ? argv[2] : "";
        QTimer::singleShot(0, &window, [&window, workbook] {
            if (!workbook.empty()) {
                window.planKeeping().openFile(workbook);
            }
            window.handleWindowMenuCommand(brim::kSizeForCapacityCommand);
            window.reject();
        });
        window.exec();
    } else if (asked(argc, argv, "performance")) {
        // The sheet and prices of a workbook, then Sheet Performance over them.
        brim::SheetWindow window;
        const std::string workbook = argc > 2 ? argv[2] : "docs/example.brimcount";
        QTimer::singleShot(0, &window, [&window, workbook] {
            window.planKeeping().openFile(workbook);
            window.handleWindowMenuCommand(brim::kSheetPerformanceCommand);
            window.reject();
        });
        window.exec();
    } else if (asked(argc, argv, "growth")) {
        brim::SheetWindow window;
        const std::string workbook = argc > 2 ? argv[2] : "docs/growth_plan.brimcount";
        QTimer::singleShot(0, &window, [&window, workbook] {
            window.planKeeping().openFile(workbook);
            window.handleWindowMenuCommand(brim::kGrowthPlanCommand);
            window.reject();
        });
        window.exec();
    } else if (asked(argc, argv, "compare")) {
        brim::SheetWindow window;
        const std::string workbook = argc > 2 ? argv[2] : "docs/example.brimcount";
        QTimer::singleShot(0, &window, [&window, workbook] {
            window.planKeeping().openFile(workbook);
            window.handleWindowMenuCommand(brim::kComparePlansCommand);
            window.reject();
        });
        window.exec();
    } else if (asked(argc, argv, "plan")) {
        brim::SheetWindow window;
        const std::string workbook = argc > 2 ? argv[2] : "docs/example.brimcount";
        const QString pdf = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
        QTimer::singleShot(0, &window, [&window, workbook, pdf] {
            window.planKeeping().openFile(workbook);
            if (!pdf.isEmpty()) {
                // The preview is modal: once it shows, its own printer writes the PDF.
                QTimer::singleShot(500, [pdf] {
                    auto* preview =
                        qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
                    if (preview != nullptr) {
                        preview->printer()->setOutputFileName(pdf);
                        preview->findChild<QPrintPreviewWidget*>()->print();
                        preview->reject();
                    }
                });
            }
            window.handleWindowMenuCommand(brim::kPrintPlanCommand);
            window.reject();
        });
        window.exec();
    } else {
        brim::AboutWindow window;
        window.exec();
    }
    return 0;
}
