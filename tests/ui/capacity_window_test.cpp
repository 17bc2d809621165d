#include "capacity_table.h"
#include "capacity_window.h"
#include "catalogue.h"
#include "qt_text.h"
#include "sheet_window_fixture.h"
#include "window_layout.h"
#include "window_menu.h"

#include <QApplication>
#include <QTableView>
#include <functional>
#include <random>

namespace brim::test {
namespace {

constexpr int kCompute = 1008;
constexpr int kRaid5 = 4;

class CapacityWindowTest : public SheetWindowTest {
protected:
    // Opens the window by its window-menu command and runs `whileOpen` inside its modal loop;
    // the window is closed afterwards if the test left it open.
    void withCapacityWindow(const std::function<void(CapacityWindow&)>& whileOpen) {
        QTimer::singleShot(0, window_.get(), [&] {
            auto* capacity = qobject_cast<CapacityWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(capacity, nullptr);
            watchdog_.allow(capacity);
            whileOpen(*capacity);
            if (capacity->isVisible()) {
                capacity->reject();
            }
        });
        window_->handleWindowMenuCommand(kSizeForCapacityCommand);
    }

    // Every field of the sheet, inputs and results, for "nothing changed".
    std::vector<std::string> snapshot() const {
        std::vector<std::string> fields{sheet().netTotalGbText, sheet().totalDisksText,
                                        sheet().arraysRequiredText};
        for (const GroupDefinition& r : sheet().rows) {
            fields.push_back(std::to_string(r.diskType) + "/" + std::to_string(r.raidType) + "/" +
                             std::to_string(r.disksPerGroup) + "/" + std::to_string(r.groupCount) +
                             "/" + r.groupCapacityText + "/" + r.totalCapacityText);
        }
        return fields;
    }
};

template <typename Widget> Widget* part(const CapacityWindow& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QString cell(const QTableView& table, int line, CapacityColumn column) {
    return table.model()->index(line, static_cast<int>(column)).data().toString();
}

// Random targets, units, disk types, filters and lines, put with Enter into the free rows one
// after the other (row 1 holds the vault): each row then shows exactly the table's figures, and
// with the sheet added the totals are the table's too. With every row in use, Enter shows the
// message, the window stays and the sheet is unchanged.
TEST_F(CapacityWindowTest, PutInRowFillsTheFirstFreeRowWithTheTablesFiguresUntilNoneIsFree) {
    std::mt19937 random(11);
    click(kRowLayouts[0].vault.id);
    pick(kModelListId, std::uniform_int_distribution<int>(0, 8)(random));
    for (int row = 1; row <= kRowCount; ++row) {
        std::vector<std::string> chosen;
        int diskType = -1;
        bool added = false;
        withCapacityWindow([&](CapacityWindow& w) {
            auto* table = part<QTableView>(w, "layouts");
            auto* disks = part<QComboBox>(w, "diskType");
            const int target = std::uniform_int_distribution<int>(1, 400)(random);
            QTest::keyClicks(part<QLineEdit>(w, "capacity"), QString::number(target));
            part<QComboBox>(w, "unit")->setCurrentIndex(static_cast<int>(random() % 2));
            part<QComboBox>(w, "failures")->setCurrentIndex(static_cast<int>(random() % 3));
            auto* add = part<QCheckBox>(w, "addToSheet");
            add->setChecked(random() % 2 == 0);
            if (table->model()->rowCount() == 0) {
                add->setChecked(false); // the sheet may reach the target already
            }
            added = add->isEnabled() && add->isChecked();
            // An ATA disk may be refused for the vault row: walk on to a type that sizes.
            for (int tries = 0; table->model()->rowCount() == 0 && tries < disks->count();
                 ++tries) {
                disks->setCurrentIndex(static_cast<int>(random() % disks->count()));
            }
            const int lines = table->model()->rowCount();
            ASSERT_GT(lines, 0);
            const int line = std::uniform_int_distribution<int>(0, lines - 1)(random);
            table->selectRow(line);
            for (int c = 0; c < kCapacityColumnCount; ++c) {
                chosen.push_back(cell(*table, line, static_cast<CapacityColumn>(c)).toStdString());
            }
            diskType = disks->currentData().toInt();
            table->setFocus();
            QTest::keyClick(table, Qt::Key_Return);
            EXPECT_FALSE(w.isVisible());
        });
        ASSERT_EQ(chosen.size(), std::size_t{kCapacityColumnCount}) << "row " << row;
        const GroupDefinition& put = this->row(row);
        EXPECT_EQ(put.diskType, diskType);
        EXPECT_EQ(Catalogue::raidPickerName(put.raidType), chosen[0]);
        EXPECT_EQ(std::to_string(put.disksPerGroup), chosen[1]);
        EXPECT_EQ(std::to_string(put.groupCount), chosen[2]);
        EXPECT_EQ(QString::fromStdString(put.totalCapacityText).trimmed().toStdString(), chosen[5]);
        if (added) {
            EXPECT_EQ(sheet().totalDisksText, chosen[3]) << "row " << row;
            EXPECT_EQ(sheet().arraysRequiredText, chosen[4]);
        } else {
            EXPECT_EQ(std::to_string(put.groupCount * put.disksPerGroup), chosen[3]);
        }
        EXPECT_TRUE(messages_.texts().empty()) << "row " << row;
    }

    const std::vector<std::string> before = snapshot();
    withCapacityWindow([&](CapacityWindow& w) {
        QTest::keyClicks(part<QLineEdit>(w, "capacity"), QStringLiteral("12.5"));
        QTest::keyClick(part<QTableView>(w, "layouts"), Qt::Key_Return);
        EXPECT_TRUE(w.isVisible());
    });
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{std::string(kEveryRowInUseMessage)});
    EXPECT_EQ(snapshot(), before);
}

// A refused target and one the sheet already reaches: the text under the field says why, the
// table is empty and Put in Row can do nothing.
TEST_F(CapacityWindowTest, WithoutLayoutsTheWindowSaysWhyAndPutInRowIsOff) {
    // Row 1: 10 groups of 5 x 450 G FC in RAID5, computed.
    typeOver(kRowLayouts[0].groupCount.id, QStringLiteral("10"));
    pick(kRowLayouts[0].raidType.id, kRaid5);
    typeOver(kRowLayouts[0].disksPerGroup.id, QStringLiteral("5"));
    click(kCompute);
    const QString reached = QStringLiteral("The sheet already gives %1 TB.")
                                .arg(QString::fromStdString(sheet().netTotalTbText).trimmed());
    struct Case {
        const char* text;
        bool addToSheet;
    };
    const std::vector<Case> cases{{"", false},    {"12,5", false},    {"-3", false},
                                  {"1e3", false}, {"1000001", false}, {"0.5", true}};
    for (const Case& c : cases) {
        const std::string_view refusal = parseCapacityTarget(c.text, CapacityUnit::Tb).refusal;
        EXPECT_EQ(refusal.empty(), c.addToSheet) << c.text;
        const QString notice = c.addToSheet ? reached : toQString(refusal);
        withCapacityWindow([&](CapacityWindow& w) {
            part<QCheckBox>(w, "addToSheet")->setChecked(c.addToSheet);
            QTest::keyClicks(part<QLineEdit>(w, "capacity"), QString::fromLatin1(c.text));
            EXPECT_EQ(part<QLabel>(w, "notice")->text(), notice) << c.text;
            EXPECT_EQ(part<QTableView>(w, "layouts")->model()->rowCount(), 0) << c.text;
            EXPECT_FALSE(part<QPushButton>(w, "putInRow")->isEnabled()) << c.text;
        });
    }
}

// The shortcut works wherever the focus is, an edit field of the main window too.
TEST_F(CapacityWindowTest, CtrlKOpensTheWindowFromTheModelListAndFromAnEditField) {
    for (int id : {kModelListId, kRowLayouts[0].groupCount.id}) {
        window_->activateWindow(); // back from the window that the last key opened
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        focus(id);
        ModalResponder responder;
        QTest::keyClick(window_->control(id), Qt::Key_K, Qt::ControlModifier);
        EXPECT_EQ(responder.count("brim::CapacityWindow"), 1) << id;
    }
}

} // namespace
} // namespace brim::test
