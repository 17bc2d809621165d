// The built window against its layout. Identifiers and places are written as numbers on
// purpose: this test pins the fixed layout that the other tests reach by name.

#include "core/sheet_exchange.h"
#include "tests/ui/sheet_window_fixture.h"
#include "ui/dialog_units.h"
#include "ui/window_layout.h"

#include <QAbstractButton>
#include <QMenu>
#include <QScrollBar>
#include <QWidget>
#include <utility>

namespace brim::test {
namespace {

template <typename... Fs> struct Overloaded : Fs... { using Fs::operator()...; };
template <typename... Fs> Overloaded(Fs...) -> Overloaded<Fs...>;

// A test name from a caption: its letters and digits.
std::string identifier(const QString& text) {
    std::string result;
    for (const QChar c : text) {
        if (c.isLetterOrNumber()) {
            result += c.toLatin1();
        }
    }
    return result;
}

// ---- the built window ------------------------------------------------------------------------

// Every control with an identifier is built, with the widget that its binding and its events
// need.
TEST_F(SheetWindowTest, EveryBindingFindsAControlThatCanShowItsField) {
    ConfigSheet scratch;
    for (const Binding& binding : kBindings) {
        QWidget* widget = window_->control(binding.id);
        ASSERT_NE(widget, nullptr) << "control " << binding.id;
        const FieldRef field = fieldRef(scratch, binding.field);
        const bool fits = std::visit(
            Overloaded{
                [&](std::int32_t*) { return qobject_cast<QComboBox*>(widget) != nullptr; },
                [&](std::uint32_t*) { return qobject_cast<QLineEdit*>(widget) != nullptr; },
                [&](bool*) { return qobject_cast<QCheckBox*>(widget) != nullptr; },
                [&](std::string*) { return qobject_cast<QLabel*>(widget) != nullptr; },
            },
            field);
        EXPECT_TRUE(fits) << "control " << binding.id << " is a "
                          << widget->metaObject()->className();
    }
}

TEST_F(SheetWindowTest, EveryUserActionHasAControlThatRaisesIt) {
    for (const EventMapEntry& entry : kEventMap) {
        QWidget* widget = window_->control(entry.id);
        ASSERT_NE(widget, nullptr) << "control " << entry.id;
        switch (entry.action) {
        case UserAction::Picks:
            EXPECT_NE(qobject_cast<QComboBox*>(widget), nullptr) << entry.id;
            break;
        case UserAction::EditsText:
            EXPECT_NE(qobject_cast<QLineEdit*>(widget), nullptr) << entry.id;
            break;
        case UserAction::Clicks:
            EXPECT_NE(qobject_cast<QAbstractButton*>(widget), nullptr) << entry.id;
            break;
        }
    }
}

struct AccessibleNameCase {
    int id;
    QString name;
};

class AccessibleNameTest : public SheetWindowTest,
                           public ::testing::WithParamInterface<AccessibleNameCase> {};

TEST_P(AccessibleNameTest, NamesTheControlForAScreenReader) {
    EXPECT_EQ(window_->control(GetParam().id)->accessibleName(), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, AccessibleNameTest,
    ::testing::Values(AccessibleNameCase{1022, QStringLiteral("Row 3 number of groups")},
                      AccessibleNameCase{1020, QStringLiteral("Row 3 disk type")},
                      AccessibleNameCase{1021, QStringLiteral("Row 3 RAID type")},
                      AccessibleNameCase{1019, QStringLiteral("Row 3 disks per group")},
                      AccessibleNameCase{1086, QStringLiteral("Row 3 includes vault disks")},
                      AccessibleNameCase{1075, QStringLiteral("Row 3 clear")},
                      AccessibleNameCase{1001, QStringLiteral("Array model")},
                      AccessibleNameCase{1008, QStringLiteral("Compute")}),
    [](const auto& info) { return "Control" + std::to_string(info.param.id); });

TEST_F(SheetWindowTest, EveryChildControlHasAnAccessibleName) {
    for (QWidget* child : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QMenu*>(child) == nullptr) {
            EXPECT_FALSE(child->accessibleName().isEmpty())
                << child->metaObject()->className() << " at " << child->x() << "," << child->y();
        }
    }
}

struct PlacementCase {
    QString accessibleName;
    DialogRect rect;
};

class PlacementTest : public SheetWindowTest,
                      public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(PlacementTest, StandsWhereTheLayoutPutsItInTheWindowsDialogUnits) {
    QWidget* found = nullptr;
    for (QWidget* child : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->accessibleName() == GetParam().accessibleName) {
            found = child;
        }
    }
    ASSERT_NE(found, nullptr);
    const DialogUnits units(window_->font());
    EXPECT_EQ(found->geometry(), units.toPixels(GetParam().rect));
}

INSTANTIATE_TEST_SUITE_P(
    Controls, PlacementTest,
    ::testing::Values(PlacementCase{QStringLiteral("Compute"), {7, 243, 37, 14}},
                      PlacementCase{QStringLiteral("Results"), {134, 226, 184, 31}},
                      PlacementCase{QStringLiteral("Row 10 clear"), {7, 198, 9, 9}},
                      PlacementCase{QStringLiteral("Row 5 includes vault disks"),
                                    {184, 114, 15, 12}},
                      PlacementCase{QStringLiteral("Row 1 total capacity GB"), {302, 44, 11, 9}},
                      PlacementCase{QStringLiteral("Row 6 total capacity GB"), {302, 130, 13, 9}},
                      PlacementCase{QStringLiteral("Row 7 total capacity GB"), {303, 147, 13, 9}}),
    [](const auto& info) { return identifier(info.param.accessibleName); });

TEST_F(SheetWindowTest, IsAFixedSizeDialogWithTitleCloseBoxAndIcon) {
    const DialogUnits units(window_->font());
    EXPECT_EQ(window_->size(), units.toPixels(kSheetWindowRect).size());
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Brimcount"));
    const Qt::WindowFlags flags = window_->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(window_->windowIcon().isNull());
}

TEST_F(SheetWindowTest, PresetButtonsShowTheirCaptionsOnTwoLines) {
    EXPECT_EQ(button(1093)->text(), QStringLiteral("Low\nCost"));
    EXPECT_EQ(button(1095)->text(), QStringLiteral("Cheap\nIOPS"));
    EXPECT_EQ(button(1094)->text(), QStringLiteral("Max\nIOPS"));
    EXPECT_EQ(button(1098)->text(), QStringLiteral("BU 2\nDisk"));
}

// The model list's opened height holds about five of its nine entries: it drops down below its
// box and scrolls to the rest.
TEST_F(SheetWindowTest, AListDropsDownBelowItsBoxAndScrolls) {
    QComboBox* models = list(1001);
    models->showPopup();
    processEvents();
    const QWidget* popup = models->view()->window();
    ASSERT_TRUE(popup->isVisible());
    const int boxBottom = models->mapToGlobal(models->rect().bottomLeft()).y();
    EXPECT_GE(popup->geometry().top(), boxBottom);
    const QScrollBar* scrollBar = models->view()->verticalScrollBar();
    EXPECT_TRUE(scrollBar->isVisible());
    EXPECT_GT(scrollBar->maximum(), 0);
    models->hidePopup();
}

TEST_F(SheetWindowTest, AListPopupKeepsEscapeForItself) {
    QComboBox* models = list(1001);
    focus(1001);
    models->showPopup();
    processEvents();
    ASSERT_TRUE(models->view()->isVisible());
    QTest::keyClick(models->view(), Qt::Key_Escape);
    processEvents();
    EXPECT_FALSE(models->view()->isVisible());
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(models->currentText(), QStringLiteral("Telvar A"));
    EXPECT_TRUE(messages_.texts().empty());
}

} // namespace
} // namespace brim::test
