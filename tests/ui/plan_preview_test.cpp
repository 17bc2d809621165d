// Print Plan in the main window: Ctrl+P computes and opens the print preview, which shows the
// page to read and its Print action.

#include "tests/support/control_names.h"
#include "tests/ui/sheet_window_fixture.h"
#include "ui/window_menu.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QToolBar>

namespace brim::test {
namespace {

using namespace controls;

// Like Print, Ctrl+P first computes what the controls show, then opens the preview.
TEST_F(SheetWindowTest, CtrlPComputesWhatTheControlsShowAndOpensThePrintPreview) {
    const int groups = rowLayout(1).groupCount.id;
    click(kLowCost);
    typeOver(groups, QStringLiteral("2"));
    click(kCompute);
    typeOver(groups, QStringLiteral("3"));
    ASSERT_TRUE(rowFiguresStale(sheet(), 0));
    ModalResponder responder;
    QTest::keyClick(window_.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(responder.count("QPrintPreviewDialog"), 1);
    EXPECT_FALSE(rowFiguresStale(sheet(), 0));
    EXPECT_EQ(row(1).groupCount, 3U);
}

// The preview opens within the screen, the page fitted to its width and large enough to read
// (at double scale on 1280 x 1024 it showed at 24 %), with the toolbar's Print action in view,
// not behind the toolbar's extension. CTest runs this at double scale on such a screen too.
TEST_F(SheetWindowTest, ThePrintPreviewShowsThePageToReadAndItsPrintAction) {
    click(kLowCost);
    QSize room, frame;
    std::pair<int, qreal> zoom{-1, 0.0}; // the mode and the factor
    bool printShown = false;
    ModalResponder responder([&](QWidget* modal) {
        room = modal->screen()->availableGeometry().size();
        frame = modal->frameGeometry().size();
        const auto* view = modal->findChild<QPrintPreviewWidget*>();
        zoom = {view->zoomMode(), view->zoomFactor()};
        const auto* toolbar = modal->findChild<QToolBar*>();
        for (QAction* action : toolbar->actions()) {
            const QWidget* button = toolbar->widgetForAction(action);
            printShown |= action->text() == QStringLiteral("Print") && button->isVisible() &&
                          toolbar->rect().contains(button->geometry());
        }
    });
    QTest::keyClick(window_.get(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(responder.count("QPrintPreviewDialog"), 1);
    EXPECT_TRUE(frame.width() <= room.width() && frame.height() <= room.height());
    EXPECT_EQ(zoom.first, QPrintPreviewWidget::FitToWidth);
    EXPECT_GE(zoom.second, 0.6);
    EXPECT_TRUE(printShown);
}

} // namespace
} // namespace brim::test
