#pragma once

#include "tests/ui/gui_test_support.h"
#include "ui/sheet_window.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <memory>

namespace brim::test {

// The real main window, shown offscreen, with recorders for its message boxes and its file
// chooser. Helpers act as the user does: keys, clicks and picks in opened lists.
class SheetWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        window_ = std::make_unique<SheetWindow>(&messages_, &chooser_, &openChooser_);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    void TearDown() override {
        window_.reset();
        GuiTest::TearDown();
    }

    template <typename Widget> Widget* control(int id) const {
        auto* widget = qobject_cast<Widget*>(window_->control(id));
        EXPECT_NE(widget, nullptr) << "control " << id;
        return widget;
    }
    QLineEdit* edit(int id) const { return control<QLineEdit>(id); }
    QComboBox* list(int id) const { return control<QComboBox>(id); }
    QCheckBox* checkBox(int id) const { return control<QCheckBox>(id); }
    QPushButton* button(int id) const { return control<QPushButton>(id); }
    QString text(int id) const {
        if (auto* label = qobject_cast<QLabel*>(window_->control(id))) {
            return label->text();
        }
        return edit(id)->text();
    }

    const ConfigSheet& sheet() const { return window_->sheet(); }
    const GroupDefinition& row(int r) const {
        return sheet().rows[static_cast<std::size_t>(r - 1)];
    }

    // A window-menu entry's text, or "(disabled)".
    QString entryText(int commandId) const {
        for (QAction* action : window_->findChild<QMenu*>()->actions()) {
            if (action->data().toInt() == commandId) {
                return action->isEnabled() ? action->text() : QStringLiteral("(disabled)");
            }
        }
        return {};
    }

    void focus(int id) const {
        window_->control(id)->setFocus(Qt::TabFocusReason);
        processEvents();
    }

    // Puts the cursor at the end of a field and types there.
    void typeAtEnd(int id, const QString& keys) const {
        focus(id);
        QLineEdit* field = edit(id);
        field->deselect();
        field->end(false);
        QTest::keyClicks(field, keys);
    }

    // Selects the whole text of a field and types over it, as a user replacing a number does.
    void typeOver(int id, const QString& keys) const {
        focus(id);
        QTest::keyClick(edit(id), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit(id), keys);
    }

    // Opens the list, moves the highlight to the entry and takes it with Enter.
    void pick(int id, int index) const {
        QComboBox* box = list(id);
        focus(id);
        box->showPopup();
        processEvents();
        QAbstractItemView* view = box->view();
        view->setCurrentIndex(box->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
        processEvents();
    }

    void click(int id) const {
        auto* target = qobject_cast<QAbstractButton*>(window_->control(id));
        ASSERT_NE(target, nullptr) << "control " << id;
        QTest::mouseClick(target, Qt::LeftButton, {}, clickPoint(*target));
        processEvents();
    }

    // A check box takes clicks on its mark and caption only, not on the rest of its box.
    static QPoint clickPoint(const QAbstractButton& target) {
        if (const auto* box = qobject_cast<const QCheckBox*>(&target)) {
            QStyleOptionButton option;
            option.initFrom(box);
            option.text = box->text();
            return box->style()
                ->subElementRect(QStyle::SE_CheckBoxClickRect, &option, box)
                .center();
        }
        return target.rect().center();
    }

    RecordingMessageSink messages_;
    FakeReportFileChooser chooser_;
    FakeReportFileChooser openChooser_;
    std::unique_ptr<SheetWindow> window_;
};

} // namespace brim::test
