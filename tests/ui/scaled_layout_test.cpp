// The window at whatever scale and font size the environment asks for (CTest runs this binary at
// QT_SCALE_FACTOR=2 and at QT_FONT_DPI=144): the layout keeps its proportions, no two controls
// that take input overlap, and every one-line caption shows whole.

#include "tests/support/control_names.h"
#include "tests/ui/gui_test_support.h"
#include "tests/ui/sheet_window_fixture.h"
#include "ui/dialog_units.h"
#include "ui/window_layout.h"
#include "ui/window_menu.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTableView>
#include <vector>

namespace brim::test {
namespace {

bool takesInput(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QLineEdit*>(widget);
}

std::vector<QWidget*> inputControls(const QWidget& window) {
    std::vector<QWidget*> found;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (takesInput(child)) {
            found.push_back(child);
        }
    }
    return found;
}

// Each text in one line, with the room its control keeps around the text.
int captionWidth(const QWidget& widget, const QString& text) {
    const QFontMetrics metrics(widget.font());
    int widest = 0;
    for (const QString& line : text.split(u'\n')) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest;
}

TEST_F(SheetWindowTest, KeepsTheLayoutsProportionsAtThisScale) {
    const DialogUnits units(window_->font());
    EXPECT_EQ(window_->size(), units.toPixels(kSheetWindowRect).size());
    for (const FixedControl& fixed : kFixedControls) {
        if (fixed.id == kNoControlId || fixed.kind == ControlKind::DropDownList) {
            continue;
        }
        EXPECT_EQ(window_->control(fixed.id)->geometry(), units.toPixels(fixed.rect)) << fixed.id;
    }
}

TEST_F(SheetWindowTest, NoTwoInputControlsOverlap) {
    const std::vector<QWidget*> controls = inputControls(*window_);
    ASSERT_GT(controls.size(), 60u);
    for (std::size_t a = 0; a < controls.size(); ++a) {
        for (std::size_t b = a + 1; b < controls.size(); ++b) {
            EXPECT_FALSE(controls[a]->geometry().intersects(controls[b]->geometry()))
                << controls[a]->accessibleName().toStdString() << " and "
                << controls[b]->accessibleName().toStdString();
        }
    }
}

TEST_F(SheetWindowTest, OneLineCaptionsShowWhole) {
    for (QWidget* child : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QString text;
        int room = 0;
        if (auto* button = qobject_cast<QPushButton*>(child)) {
            text = button->text();
            room = button->width() - 2; // the button's frame
        } else if (auto* label = qobject_cast<QLabel*>(child); label && !label->wordWrap()) {
            text = label->text();
            room = label->contentsRect().width() + 1; // a glyph's last column may be blank
        } else if (auto* list = qobject_cast<QComboBox*>(child)) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                              QStyle::SC_ComboBoxEditField, list);
            // The entry is drawn a pixel in from each side of the field.
            for (int i = 0; i < list->count(); ++i) {
                EXPECT_LE(captionWidth(*list, list->itemText(i)), field.width() - 2)
                    << list->accessibleName().toStdString() << ": "
                    << list->itemText(i).toStdString();
            }
            continue;
        } else {
            continue;
        }
        if (!text.isEmpty()) {
            EXPECT_LE(captionWidth(*child, text), room) << text.toStdString();
        }
    }
}

// Sheet Performance stays on a screen that cannot hold it whole (the test platform's screen is
// 800 x 800, at double scale 400 x 400): its body scrolls and Close stays in view.
TEST_F(SheetWindowTest, SheetPerformanceAndItsCloseButtonStayOnTheScreen) {
    click(controls::kLowCost); // nine rows
    QRect screenRoom;
    QRect window; // with its frame
    QRect closeButton;
    ModalResponder responder([&](QWidget* modal) {
        screenRoom = modal->screen()->availableGeometry();
        window = modal->frameGeometry();
        for (auto* button : modal->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Close")) {
                closeButton = QRect(button->mapTo(modal, QPoint(0, 0)), button->size());
            }
        }
    });
    window_->handleWindowMenuCommand(kSheetPerformanceCommand);
    ASSERT_EQ(responder.count("brim::PerformanceWindow"), 1);
    // Where it stands is the window manager's choice; that it can stand whole is the window's.
    EXPECT_LE(window.width(), screenRoom.width());
    EXPECT_LE(window.height(), screenRoom.height());
    EXPECT_TRUE(QRect(QPoint(0, 0), window.size()).contains(closeButton));
}

// Sheet Performance's body scrolls on a small screen: the field with the focus is in view when
// the window opens ("% reads", at its top right) and after every Tab, whole where it fits.
TEST_F(SheetWindowTest, SheetPerformanceKeepsTheFocusInView) {
    click(controls::kLowCost);
    std::vector<std::string> outOfView;
    int stops = 0;
    ModalResponder responder([&](QWidget* modal) {
        auto* body = modal->findChild<QScrollArea*>();
        EXPECT_EQ(modal->focusWidget()->objectName(), QStringLiteral("readPercent"));
        for (int tab = 0; tab <= 12; ++tab) {
            processEvents();
            QWidget* focus = modal->focusWidget();
            if (body->widget()->isAncestorOf(focus)) {
                ++stops;
                const QRect shown = body->viewport()->rect();
                const QRect where(focus->mapTo(body->viewport(), QPoint(0, 0)), focus->size());
                const bool fits = where.size().boundedTo(shown.size()) == where.size();
                if (fits ? !shown.contains(where) : !shown.intersects(where)) {
                    outOfView.push_back(focus->accessibleName().toStdString());
                }
            }
            QTest::keyClick(focus, Qt::Key_Tab);
        }
    });
    window_->handleWindowMenuCommand(kSheetPerformanceCommand);
    ASSERT_EQ(responder.count("brim::PerformanceWindow"), 1);
    EXPECT_GE(stops, 10);
    EXPECT_TRUE(outOfView.empty()) << outOfView.front();
}

// Compare Plans over nine different definitions, which make a long cell: the figures' names and the
// sheet's column both stay in view, the long cell cut short instead.
TEST_F(SheetWindowTest, ComparePlansKeepsTheFiguresNamesBesideAPlansColumn) {
    click(controls::kLowCost);
    for (std::size_t row = 0; row < 9; ++row) { // a different group count in each definition
        typeOver(kRowLayouts[row].groupCount.id, QString::number(row + 1));
    }
    int namesLeft = -1;
    int planRight = 0;
    int shownWidth = 0;
    ModalResponder responder([&](QWidget* modal) {
        auto* table = modal->findChild<QTableView*>(QStringLiteral("comparison"));
        namesLeft = table->verticalHeader()->isVisible() ? table->verticalHeader()->x() : -1;
        planRight = table->columnViewportPosition(0) + table->columnWidth(0);
        shownWidth = table->viewport()->width();
    });
    window_->handleWindowMenuCommand(kComparePlansCommand);
    ASSERT_EQ(responder.count("brim::CompareWindow"), 1);
    EXPECT_GE(namesLeft, 0);
    EXPECT_LE(planRight, shownWidth);
}

} // namespace
} // namespace brim::test
