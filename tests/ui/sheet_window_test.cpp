#include "report/report.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/control_names.h"
#include "tests/ui/sheet_window_fixture.h"
#include "ui/control_exchange.h"
#include "ui/qt_text.h"
#include "ui/result_field.h"
#include "ui/window_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace brim::test {
namespace {

// Identifiers of a row's controls, as the window layout gives them.
struct RowIds {
    int groups;
    int diskType;
    int raidType;
    int disksPerGroup;
    int vault; // 0: the row has no vault box
    int groupCapacity;
    int totalCapacity;
    int clear;
};

using namespace controls;
using namespace names;

RowIds ids(int row) {
    const RowLayout& r = rowLayout(row);
    return {r.groupCount.id,
            r.diskType.id,
            r.raidType.id,
            r.disksPerGroup.id,
            r.vault.id == kNoControlId ? 0 : r.vault.id,
            r.groupCapacity.id,
            r.totalCapacity.id,
            r.clear.id};
}

std::vector<int> resultFieldIds() {
    std::vector<int> result{kNetTotalGb, kNetTotalTb, kTotalDisks, kArraysRequired};
    for (int row = 1; row <= kRowCount; ++row) {
        result.push_back(ids(row).groupCapacity);
        result.push_back(ids(row).totalCapacity);
    }
    return result;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

// ---- opening -------------------------------------------------------------------------------

TEST_F(SheetWindowTest, OpensWithTheSheetDefaultsAndTheFocusInTheModelList) {
    EXPECT_EQ(list(kModelList)->currentText(), QStringLiteral("Telvar A"));
    for (int r = 1; r <= 10; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(list(ids(r).diskType)->currentText(), QStringLiteral("450 G FC"));
        EXPECT_EQ(list(ids(r).raidType)->currentIndex(), -1);
        EXPECT_EQ(list(ids(r).raidType)->currentText(), QString());
        EXPECT_EQ(text(ids(r).groups), QStringLiteral("0"));
        EXPECT_EQ(text(ids(r).disksPerGroup), QStringLiteral("0"));
        EXPECT_TRUE(edit(ids(r).disksPerGroup)->isEnabled());
        if (ids(r).vault != 0) {
            EXPECT_FALSE(checkBox(ids(r).vault)->isChecked());
        }
    }
    EXPECT_TRUE(checkBox(kSticky)->isChecked());
    for (int id : resultFieldIds()) {
        EXPECT_EQ(text(id), QString()) << "result field " << id;
    }
    EXPECT_EQ(QApplication::focusWidget(), window_->control(kModelList));
    EXPECT_TRUE(messages_.texts().empty());
}

struct DiskListCase {
    int row;
    std::vector<QString> entries;
};

class DiskListTest : public SheetWindowTest, public ::testing::WithParamInterface<DiskListCase> {};

TEST_P(DiskListTest, HoldsTheRowsOwnTextsBlanksIncluded) {
    const DiskListCase& c = GetParam();
    QComboBox* box = list(ids(c.row).diskType);
    std::vector<QString> shown;
    for (int i = 0; i < box->count(); ++i) {
        shown.push_back(box->itemText(i));
    }
    EXPECT_EQ(shown, c.entries);
}

const QString k146 = QStringLiteral("146 G FC");
const QString k300 = QStringLiteral("300 G FC");
const QString k400 = QStringLiteral("400 G FC");
const QString k450 = QStringLiteral("450 G FC");
const QString k500 = QStringLiteral("500 G ATA");
const QString k750 = QStringLiteral("750 G ATA");
const QString k1tb = QStringLiteral("  1 TB ATA");

INSTANTIATE_TEST_SUITE_P(
    Rows, DiskListTest,
    ::testing::Values(
        DiskListCase{1, {QStringLiteral("73G FC/EFD"), k146, k300, k400, k450, k500, k750, k1tb}},
        DiskListCase{3, {QStringLiteral("73 G FC/EFD"), k146, k300, k400, k450, k500, k750, k1tb}},
        DiskListCase{4, {QStringLiteral("  73 G FC"), k146, k300, k400, k450, k500, k750, k1tb}},
        DiskListCase{10, {QStringLiteral("  73 G FC"), k146, k300, k400, k450, k500, k750, k1tb}}),
    [](const auto& info) { return "Row" + std::to_string(info.param.row); });

// ---- number of groups: capture on every change -----------------------------------------------

TEST_F(SheetWindowTest, TypingGroupsCapturesEachKeystrokeWithoutRecomputing) {
    click(kCompute);
    std::vector<QString> resultsBefore;
    for (int id : resultFieldIds()) {
        resultsBefore.push_back(text(id));
    }

    typeOver(ids(2).groups, QStringLiteral("1"));
    EXPECT_EQ(row(2).groupCount, 1U);
    QTest::keyClick(edit(ids(2).groups), Qt::Key_2);
    EXPECT_EQ(row(2).groupCount, 12U);

    // A paste is a change like any other.
    QApplication::clipboard()->setText(QStringLiteral("40"));
    focus(ids(5).groups);
    QTest::keyClick(edit(ids(5).groups), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit(ids(5).groups), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(ids(5).groups), QStringLiteral("40"));
    EXPECT_EQ(row(5).groupCount, 40U);

    std::vector<QString> resultsAfter;
    for (int id : resultFieldIds()) {
        resultsAfter.push_back(text(id));
    }
    EXPECT_EQ(resultsAfter, resultsBefore);
    EXPECT_TRUE(messages_.texts().empty());
}

struct RefusedGroupsCase {
    const char* name;
    QString typedOver; // typed after selecting the field's text; empty: Backspace at the end
    QString shown;
    std::uint32_t kept;
};

class RefusedGroupsTest : public SheetWindowTest,
                          public ::testing::WithParamInterface<RefusedGroupsCase> {};

TEST_P(RefusedGroupsTest, ShowsTheNoticeAtOnceAndPutsTheFocusBackWithTheTextSelected) {
    const RefusedGroupsCase& c = GetParam();
    const int field = ids(3).groups;
    if (c.typedOver.isEmpty()) {
        focus(field);
        edit(field)->end(false);
        QTest::keyClick(edit(field), Qt::Key_Backspace);
    } else {
        typeOver(field, c.typedOver);
    }
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{wholeNumberNotice()});
    EXPECT_EQ(text(field), c.shown);
    EXPECT_EQ(QApplication::focusWidget(), edit(field));
    EXPECT_EQ(edit(field)->selectedText(), c.shown);
    EXPECT_EQ(edit(field)->cursorPosition(), c.shown.size());
    EXPECT_EQ(row(3).groupCount, c.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RefusedGroupsTest,
    ::testing::Values(RefusedGroupsCase{"LastDigitDeleted", QString(), QString(), 0},
                      RefusedGroupsCase{"LetterAfterDigits", QStringLiteral("7a"),
                                        QStringLiteral("7a"), 7},
                      RefusedGroupsCase{"MinusSign", QStringLiteral("-"), QStringLiteral("-"), 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- RAID type: the lock of the disks-per-group field ----------------------------------------

struct RaidLockCase {
    const char* name;
    int row;
    std::vector<int> picks;
    QString shown;
    bool locked;
};

class RaidLockTest : public SheetWindowTest, public ::testing::WithParamInterface<RaidLockCase> {};

TEST_P(RaidLockTest, APickFixesAndLocksTheDisksPerGroupAndShowsIt) {
    const RaidLockCase& c = GetParam();
    typeOver(ids(c.row).disksPerGroup, QStringLiteral("9"));
    for (int raid : c.picks) {
        pick(ids(c.row).raidType, raid);
    }
    QLineEdit* field = edit(ids(c.row).disksPerGroup);
    EXPECT_EQ(field->text(), c.shown);
    EXPECT_EQ(field->isEnabled(), !c.locked);
    EXPECT_EQ(window_->disksFieldLocked(c.row), c.locked);
    EXPECT_EQ(QString::number(row(c.row).disksPerGroup), c.shown);
    EXPECT_EQ(list(ids(c.row).raidType)->currentIndex(), c.picks.back());
    EXPECT_EQ(row(c.row).raidType, c.picks.back());
    EXPECT_TRUE(messages_.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Picks, RaidLockTest,
    ::testing::Values(
        RaidLockCase{"Raid1", 3, {kRaid1}, QStringLiteral("2"), true},
        RaidLockCase{"IndivDiskAfterRaid1", 3, {kRaid1, kIndivDisk}, QStringLiteral("1"), true},
        RaidLockCase{"Raid6Unlocks", 3, {kRaid1, kIndivDisk, kRaid6}, QStringLiteral("1"), false},
        RaidLockCase{"Raid3LeavesTheValue", 10, {kRaid3}, QStringLiteral("9"), false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- X buttons -------------------------------------------------------------------------------

class ClearRowTest : public SheetWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(ClearRowTest, TheXButtonClearsItsOwnRowOnly) {
    const int cleared = GetParam();
    click(kSticky); // off: the preset fills every row
    click(kLowCost);
    for (int r = 1; r <= 10; ++r) {
        typeOver(ids(r).groups, QStringLiteral("3"));
    }
    pick(ids(cleared).raidType, kRaid1); // locks the field
    if (ids(cleared).vault != 0) {
        click(ids(cleared).vault); // computes: the row gets capacity texts
    }
    const QString groupCapacity = text(ids(cleared).groupCapacity);

    click(ids(cleared).clear);

    for (int r = 1; r <= 10; ++r) {
        SCOPED_TRACE(r);
        if (r == cleared) {
            EXPECT_EQ(list(ids(r).diskType)->currentText(), QStringLiteral("300 G FC"));
            EXPECT_EQ(list(ids(r).raidType)->currentIndex(), -1);
            EXPECT_EQ(text(ids(r).disksPerGroup), QStringLiteral("0"));
            EXPECT_TRUE(edit(ids(r).disksPerGroup)->isEnabled());
            EXPECT_EQ(text(ids(r).groups), QStringLiteral("0"));
            EXPECT_EQ(text(ids(r).groupCapacity), groupCapacity);
            if (ids(r).vault != 0) {
                EXPECT_TRUE(checkBox(ids(r).vault)->isChecked());
            }
        } else {
            EXPECT_EQ(list(ids(r).diskType)->currentText(), QStringLiteral("450 G FC"));
            EXPECT_EQ(list(ids(r).raidType)->currentIndex(), kRaid5);
            EXPECT_EQ(text(ids(r).disksPerGroup), QStringLiteral("9"));
            EXPECT_EQ(text(ids(r).groups), QStringLiteral("3"));
        }
    }
    EXPECT_TRUE(messages_.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, ClearRowTest, ::testing::Values(1, 2, 5, 6, 10),
                         [](const auto& info) { return "Row" + std::to_string(info.param); });

// ---- presets ---------------------------------------------------------------------------------

TEST_F(SheetWindowTest, APresetWithStickyChangesKeepsRowsWithGroupsAsTheyWereCaptured) {
    typeOver(ids(1).groups, QStringLiteral("3"));
    pick(ids(1).diskType, k750GAta); // runs nothing: the sheet keeps "450 G FC"

    click(kMaxIops);

    EXPECT_EQ(list(ids(1).diskType)->currentText(), QStringLiteral("450 G FC"));
    EXPECT_EQ(list(ids(1).raidType)->currentIndex(), -1);
    EXPECT_EQ(text(ids(1).disksPerGroup), QStringLiteral("0"));
    EXPECT_EQ(text(ids(1).groups), QStringLiteral("3"));
    for (int r = 2; r <= 10; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(list(ids(r).diskType)->currentText(), QStringLiteral("146 G FC"));
        EXPECT_EQ(list(ids(r).raidType)->currentText(), QStringLiteral("RAID1/0"));
        EXPECT_EQ(text(ids(r).disksPerGroup), QStringLiteral("4"));
        EXPECT_EQ(text(ids(r).groups), QStringLiteral("0"));
    }
    EXPECT_EQ(text(kNetTotalGb), QString()); // no recompute
}

TEST_F(SheetWindowTest, APresetWithoutStickyChangesOverwritesEveryRowButKeepsItsGroups) {
    click(kSticky);
    EXPECT_FALSE(sheet().stickyChanges);
    typeOver(ids(1).groups, QStringLiteral("3"));

    click(kLowCost);

    for (int r = 1; r <= 10; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(list(ids(r).raidType)->currentText(), QStringLiteral("RAID5"));
        EXPECT_EQ(text(ids(r).disksPerGroup), QStringLiteral("9"));
    }
    EXPECT_EQ(text(ids(1).groups), QStringLiteral("3"));
}

// ---- model and vault: recompute at once ------------------------------------------------------

TEST_F(SheetWindowTest, AModelChangeRecomputesAtOnce) {
    pick(ids(1).raidType, kRaid5);
    typeOver(ids(1).disksPerGroup, QStringLiteral("2"));
    EXPECT_TRUE(messages_.texts().empty());

    pick(kModelList, kZundaS);

    EXPECT_EQ(sheet().modelIndex, kZundaS);
    EXPECT_EQ(messages_.texts(),
              std::vector<std::string>{"Error: RAID5 requires 3 to 16 disks per group"});
    EXPECT_EQ(text(kNetTotalGb), QStringLiteral("Error"));
    EXPECT_EQ(text(kNetTotalTb), QStringLiteral("Error"));
    EXPECT_EQ(text(kTotalDisks), QStringLiteral("Error"));
    EXPECT_EQ(text(kArraysRequired), QString());
}

struct VaultCase {
    const char* name;
    int clicks;
    QString rowText;
    QString terabytes;
};

class VaultClickTest : public SheetWindowTest, public ::testing::WithParamInterface<VaultCase> {};

TEST_P(VaultClickTest, EachClickRecomputesWithTheBoxsNewState) {
    const VaultCase& c = GetParam();
    pick(ids(1).raidType, kRaid5);
    typeOver(ids(1).disksPerGroup, QStringLiteral("5"));
    typeOver(ids(1).groups, QStringLiteral("1"));
    EXPECT_EQ(text(kNetTotalGb), QString());

    for (int i = 0; i < c.clicks; ++i) {
        click(ids(1).vault);
    }

    EXPECT_EQ(text(ids(1).groupCapacity), c.rowText);
    EXPECT_EQ(text(ids(1).totalCapacity), c.rowText);
    EXPECT_EQ(text(kNetTotalTb), c.terabytes);
    EXPECT_EQ(text(kTotalDisks), QStringLiteral("5"));
    EXPECT_TRUE(messages_.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Clicks, VaultClickTest,
                         ::testing::Values(VaultCase{"Checked", 1, QStringLiteral(" 1362.42"),
                                                     QStringLiteral("    1.33")},
                                           VaultCase{"CheckedAndCleared", 2,
                                                     QStringLiteral(" 1610.29"),
                                                     QStringLiteral("    1.57")}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Enter, Space, Escape, Done --------------------------------------------------------------

struct EnterCase {
    const char* name;
    int focused;
    Qt::Key key;
};

class EnterComputesTest : public SheetWindowTest,
                          public ::testing::WithParamInterface<EnterCase> {};

TEST_P(EnterComputesTest, EnterOutsideAPushButtonComputesAndTheWindowStaysOpen) {
    const EnterCase& c = GetParam();
    typeOver(ids(1).groups, QStringLiteral("2"));
    focus(c.focused);
    QTest::keyClick(QApplication::focusWidget(), c.key);
    EXPECT_EQ(text(kNetTotalGb), QStringLiteral("    0.00"));
    EXPECT_EQ(text(kTotalDisks), QStringLiteral("0"));
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(messages_.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Focus, EnterComputesTest,
                         ::testing::Values(EnterCase{"GroupsField", ids(1).groups, Qt::Key_Return},
                                           EnterCase{"DisksField", ids(1).disksPerGroup,
                                                     Qt::Key_Enter},
                                           EnterCase{"ModelList", kModelList, Qt::Key_Return},
                                           EnterCase{"DiskList", ids(3).diskType, Qt::Key_Return},
                                           EnterCase{"VaultBox", ids(1).vault, Qt::Key_Return},
                                           EnterCase{"StickyBox", kSticky, Qt::Key_Enter}),
                         [](const auto& info) { return std::string(info.param.name); });

class FocusedButtonKeyTest : public SheetWindowTest,
                             public ::testing::WithParamInterface<Qt::Key> {};

TEST_P(FocusedButtonKeyTest, PressesTheFocusedPushButtonInsteadOfComputing) {
    typeOver(ids(1).groups, QStringLiteral("3"));
    focus(ids(1).clear);
    QTest::keyClick(button(ids(1).clear), GetParam());
    EXPECT_EQ(text(ids(1).groups), QStringLiteral("0"));
    EXPECT_EQ(text(kNetTotalGb), QString()); // the X button ran, Compute did not
    EXPECT_TRUE(window_->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Keys, FocusedButtonKeyTest,
                         ::testing::Values(Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space),
                         [](const auto& info) {
                             return QKeySequence(info.param).toString().toStdString();
                         });

enum class CloseBy { EscapeInField, DoneClick, EnterOnDone, CloseBox };

std::string closeByName(CloseBy way) {
    switch (way) {
    case CloseBy::EscapeInField:
        return "EscapeInField";
    case CloseBy::DoneClick:
        return "DoneClick";
    case CloseBy::EnterOnDone:
        return "EnterOnDone";
    case CloseBy::CloseBox:
        return "CloseBox";
    }
    return "Unknown";
}

class CloseTest : public SheetWindowTest, public ::testing::WithParamInterface<CloseBy> {};

TEST_P(CloseTest, ClosesAtOnceWithoutCaptureOrQuestion) {
    typeOver(ids(2).disksPerGroup, QStringLiteral("abc")); // would fail a capture
    switch (GetParam()) {
    case CloseBy::EscapeInField:
        QTest::keyClick(edit(ids(2).disksPerGroup), Qt::Key_Escape);
        break;
    case CloseBy::DoneClick:
        click(kDone);
        break;
    case CloseBy::EnterOnDone:
        focus(kDone);
        QTest::keyClick(button(kDone), Qt::Key_Return);
        break;
    case CloseBy::CloseBox:
        window_->close();
        break;
    }
    processEvents();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(window_->result(), QDialog::Rejected);
    EXPECT_TRUE(messages_.texts().empty());
    EXPECT_EQ(row(2).disksPerGroup, 0U);
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseTest,
                         ::testing::Values(CloseBy::EscapeInField, CloseBy::DoneClick,
                                           CloseBy::EnterOnDone, CloseBy::CloseBox),
                         [](const auto& info) { return closeByName(info.param); });

// ---- a copy that stops at a refused field ----------------------------------------------------

TEST_F(SheetWindowTest, AFailedCopyStopsAtTheRefusedFieldAndComputeShowsTheOldValuesAfterIt) {
    pick(ids(1).diskType, k146G);                         // before the refused field
    typeOver(ids(1).disksPerGroup, QStringLiteral("17")); // refused: above 16
    pick(ids(4).diskType, k73G);                          // after it
    typeOver(ids(5).disksPerGroup, QStringLiteral("6"));  // after it

    click(kCompute);

    EXPECT_EQ(messages_.texts(), (std::vector<std::string>{disksPerGroupRangeNotice(),
                                                           "Error: Max disks per group is 16"}));
    EXPECT_EQ(row(1).disksPerGroup, 17U);
    EXPECT_EQ(text(ids(1).disksPerGroup), QStringLiteral("17"));
    EXPECT_EQ(list(ids(1).diskType)->currentIndex(), k146G);
    EXPECT_EQ(list(ids(4).diskType)->currentIndex(), k450G);
    EXPECT_EQ(text(ids(5).disksPerGroup), QStringLiteral("0"));
    EXPECT_EQ(text(ids(1).groupCapacity), QStringLiteral("    0.00"));
    EXPECT_EQ(text(ids(1).totalCapacity), QStringLiteral("    0.00"));
    EXPECT_EQ(text(kNetTotalGb), QStringLiteral("Error"));
    EXPECT_EQ(text(kArraysRequired), QString());
    EXPECT_EQ(QApplication::focusWidget(), edit(ids(1).disksPerGroup));
    EXPECT_EQ(edit(ids(1).disksPerGroup)->selectedText(), QStringLiteral("17"));
}

// ---- Print -----------------------------------------------------------------------------------

// A disk picked and a disks-per-group typed run no command, yet their figures turn stale at once
// and Print computes first, so that the report names what the window shows, as Compute would.
TEST_F(SheetWindowTest, PrintComputesWhatTheControlsShowOnceTheyLeftTheLastCompute) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path = folder.filePath(QStringLiteral("sizing.txt")).toStdString();
    chooser_.setAnswer(path);
    const auto stale = [this](int id) {
        return control<ResultField>(id)->toolTip().contains(toQString(kStaleFiguresTip));
    };

    click(kLowCost);
    typeOver(ids(1).groups, QStringLiteral("2"));
    typeOver(ids(3).groups, QStringLiteral("4"));
    click(kCompute);
    pick(ids(3).diskType, k1TbAta);
    EXPECT_TRUE(stale(ids(3).totalCapacity));
    EXPECT_TRUE(stale(kNetTotalGb));
    EXPECT_FALSE(stale(ids(1).totalCapacity));
    pick(ids(3).diskType, row(3).diskType); // the old one back
    EXPECT_FALSE(stale(ids(3).totalCapacity));
    EXPECT_FALSE(stale(kNetTotalGb));
    pick(ids(3).diskType, k1TbAta);
    typeOver(ids(1).disksPerGroup, QStringLiteral("5"));
    EXPECT_TRUE(stale(ids(1).groupCapacity));

    click(kPrint);

    EXPECT_EQ(chooser_.calls(), 1);
    EXPECT_TRUE(messages_.texts().empty());
    EXPECT_EQ(row(3).diskType, k1TbAta);
    EXPECT_EQ(row(1).disksPerGroup, 5U);
    EXPECT_FALSE(stale(ids(3).totalCapacity));
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file.is_open());
    const std::string written((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    std::vector<std::string> got = lines(written);
    std::vector<std::string> expected = lines(formatReport(sheet(), currentLocalTime()));
    ASSERT_GT(got.size(), 2U);
    ASSERT_EQ(got.size(), expected.size());
    got.erase(got.begin() + 1); // line 2 holds the time of writing
    expected.erase(expected.begin() + 1);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(entryText(kUndoCommand), QStringLiteral("&Undo Edit Rows 1, 3"));
}

// ---- result fields ---------------------------------------------------------------------------

// 4294967295 groups of RAID6 over 16 disks: far too wide for a row field and for the TB total.
TEST_F(SheetWindowTest, AnOverWideNumberIsDrawnWholeSmallerOrCutBehindAnEllipsis) {
    typeOver(ids(1).groups, QStringLiteral("4294967295"));
    pick(ids(1).raidType, kRaid6);
    typeOver(ids(1).disksPerGroup, QStringLiteral("16"));
    click(kCompute);
    for (const int id : {ids(1).totalCapacity, kNetTotalTb}) {
        const ResultField* field = control<ResultField>(id);
        const QString whole = field->text();
        const int room = field->contentsRect().width();
        ASSERT_GT(QFontMetrics(field->font(), field).horizontalAdvance(whole), room) << id;
        const QString shown = field->shownText();
        EXPECT_LE(QFontMetrics(field->shownFont(), field).horizontalAdvance(shown), room) << id;
        EXPECT_TRUE(shown == whole || shown.startsWith(u'\u2026')) << shown.toStdString();
        EXPECT_EQ(field->shownFont().family(), field->font().family());
        EXPECT_TRUE(field->toolTip().contains(whole)) << field->toolTip().toStdString();
        EXPECT_EQ(field->accessibleDescription(), field->toolTip());
    }
    // Typing captures the whole texts back; the totals, no longer row 2's, turn stale.
    const std::string rowTotal = row(1).totalCapacityText;
    typeOver(ids(2).groups, QStringLiteral("1"));
    EXPECT_EQ(row(1).totalCapacityText, rowTotal);
    const QString staleLine = toQString(kStaleFiguresTip);
    EXPECT_FALSE(control<ResultField>(ids(1).totalCapacity)->toolTip().contains(staleLine));
    EXPECT_TRUE(control<ResultField>(kNetTotalTb)->toolTip().endsWith(staleLine));
}

// ---- window menu and Help --------------------------------------------------------------------

struct MenuCommandCase {
    int id;
    int aboutWindows;
};

class WindowMenuCommandTest : public SheetWindowTest,
                              public ::testing::WithParamInterface<MenuCommandCase> {};

TEST_P(WindowMenuCommandTest, OnlyTheAboutCommandsOpenTheAboutWindow) {
    ModalResponder responder;
    window_->handleWindowMenuCommand(GetParam().id);
    EXPECT_EQ(responder.count("brim::AboutWindow"), GetParam().aboutWindows);
    EXPECT_EQ(responder.answered().size(), static_cast<std::size_t>(GetParam().aboutWindows));
}

INSTANTIATE_TEST_SUITE_P(Ids, WindowMenuCommandTest,
                         ::testing::Values(MenuCommandCase{15, 0}, MenuCommandCase{16, 1},
                                           MenuCommandCase{31, 1}, MenuCommandCase{32, 0},
                                           MenuCommandCase{0x10010, 1}),
                         [](const auto& info) { return "Id" + std::to_string(info.param.id); });

TEST(WindowMenuEntryTest, AddsSeparatorAndEntryOnlyForATextThatIsNotEmpty) {
    QMenu withText;
    appendAboutEntry(withText, QStringLiteral("&About Brimcount..."));
    ASSERT_EQ(withText.actions().size(), 2);
    EXPECT_TRUE(withText.actions()[0]->isSeparator());
    EXPECT_EQ(withText.actions()[1]->text(), QStringLiteral("&About Brimcount..."));
    EXPECT_EQ(withText.actions()[1]->data().toInt(), 16);

    QMenu withoutText;
    appendAboutEntry(withoutText, QString());
    EXPECT_TRUE(withoutText.actions().isEmpty());
}

enum class MenuOpenedBy { RightClick, ShiftF10 };

class WindowMenuTest : public SheetWindowTest,
                       public ::testing::WithParamInterface<MenuOpenedBy> {};

TEST_P(WindowMenuTest, OpensTheWindowMenuWhoseAboutEntryShowsTheAboutWindow) {
    if (GetParam() == MenuOpenedBy::RightClick) {
        // A spot of background between the model list and the Help button, clicked through the
        // window system so that the click turns into a context-menu request.
        QTest::mouseClick(window_->windowHandle(), Qt::RightButton, {},
                          QPoint(window_->width() * 3 / 4, 3));
    } else {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
    }
    processEvents();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* about = menu->actions().isEmpty() ? nullptr : menu->actions().back();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text(), QStringLiteral("&About Brimcount..."));

    ModalResponder responder;
    menu->setActiveAction(about);
    QTest::keyClick(menu, Qt::Key_Return);
    processEvents();
    EXPECT_EQ(responder.count("brim::AboutWindow"), 1);
    EXPECT_TRUE(window_->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Ways, WindowMenuTest,
                         ::testing::Values(MenuOpenedBy::RightClick, MenuOpenedBy::ShiftF10),
                         [](const auto& info) {
                             return std::string(info.param == MenuOpenedBy::RightClick
                                                    ? "RightClick"
                                                    : "ShiftF10");
                         });

// Ctrl+Z in a # of Groups field undoes the preset, not the field's own typing, and the redo
// keys bring it back; the window menu's entries name the steps.
class HistoryKeysTest : public SheetWindowTest,
                        public ::testing::WithParamInterface<QKeyCombination> {};

TEST_P(HistoryKeysTest, UndoFromAGroupsFieldTakesThePresetBack) {
    typeOver(ids(2).groups, QStringLiteral("3"));
    click(kMaxIops); // rows other than row 2, which has groups
    ASSERT_EQ(row(1).diskType, k146G);
    EXPECT_EQ(entryText(kUndoCommand), QStringLiteral("&Undo Max IOPS"));
    EXPECT_EQ(entryText(kRedoCommand), QStringLiteral("(disabled)"));

    focus(ids(2).groups);
    QTest::keyClick(edit(ids(2).groups), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(row(1).diskType, k450G);
    EXPECT_EQ(row(1).raidType, kNoRaidType);
    EXPECT_EQ(text(ids(1).disksPerGroup), QStringLiteral("0"));
    EXPECT_EQ(text(ids(2).groups), QStringLiteral("3"));
    EXPECT_EQ(entryText(kUndoCommand), QStringLiteral("&Undo Typing in Row 2"));
    EXPECT_EQ(entryText(kRedoCommand), QStringLiteral("&Redo Max IOPS"));

    QTest::keyClick(edit(ids(2).groups), GetParam().key(), GetParam().keyboardModifiers());
    EXPECT_EQ(row(1).diskType, k146G);
    EXPECT_EQ(text(ids(1).disksPerGroup), QStringLiteral("4"));
    EXPECT_EQ(entryText(kUndoCommand), QStringLiteral("&Undo Max IOPS"));
    EXPECT_TRUE(messages_.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(RedoKeys, HistoryKeysTest,
                         ::testing::Values(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z,
                                           Qt::ControlModifier | Qt::Key_Y),
                         [](const auto& info) { return info.index == 0 ? "CtrlShiftZ" : "CtrlY"; });

// A value a capture refuses, typed over the 4 of Max IOPS in row 1: Ctrl+Z shows no notice and
// takes back one step, the typed number if it can be read, the preset otherwise.
struct RefusedTyping {
    const char* name;
    const char* typed;
    std::uint32_t afterUndo; // row 1's disks per group
    const char* redoEntry;
    const char* afterRedo; // the field's text
};

class RefusedTypingTest : public SheetWindowTest,
                          public ::testing::WithParamInterface<RefusedTyping> {};

TEST_P(RefusedTypingTest, UndoAndRedoTakeOneStepWithoutANotice) {
    click(kMaxIops);
    typeOver(ids(1).disksPerGroup, QString::fromLatin1(GetParam().typed));
    QTest::keyClick(edit(ids(1).disksPerGroup), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(row(1).disksPerGroup, GetParam().afterUndo);
    EXPECT_EQ(text(ids(1).disksPerGroup), QString::number(GetParam().afterUndo));
    EXPECT_EQ(entryText(kRedoCommand), QString::fromLatin1(GetParam().redoEntry));
    QTest::keyClick(edit(ids(1).disksPerGroup), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(text(ids(1).disksPerGroup), QString::fromLatin1(GetParam().afterRedo));
    EXPECT_TRUE(messages_.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, RefusedTypingTest,
    ::testing::Values(RefusedTyping{"OutOfRange", "17", 4, "&Redo Edit Row 1", "17"},
                      RefusedTyping{"NoNumber", "abc", 0, "&Redo Max IOPS", "4"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SheetWindowTest, HelpShowsTheHelpWindowAndLeavesTheSheetAlone) {
    typeOver(ids(1).disksPerGroup, QStringLiteral("17")); // a capture would refuse it
    ModalResponder responder;
    click(kHelp);
    EXPECT_EQ(responder.count("brim::HelpWindow"), 1);
    EXPECT_TRUE(messages_.texts().empty());
    EXPECT_EQ(text(ids(1).disksPerGroup), QStringLiteral("17"));
}

// ---- keyboard focus --------------------------------------------------------------------------

// The identifiers are written as numbers on purpose: this test pins the Tab order itself.
TEST_F(SheetWindowTest, TabVisitsEveryControlInTheWindowsOrder) {
    // clang-format off
    const std::vector<int> expected{
        1001,
        1011, 1007, 1010, 1009,  1016, 1014, 1015, 1013,  1022, 1020, 1021, 1019,
        1029, 1030, 1031, 1032,  1035, 1036, 1037, 1038,  1041, 1042, 1043, 1044,
        1047, 1048, 1049, 1050,  1053, 1054, 1055, 1056,  1059, 1060, 1061, 1062,
        1065, 1066, 1067, 1068,
        1008, 2,
        1073, 1074, 1075, 1076, 1077, 1078, 1079, 1080, 1081, 1082,
        1084, 1085, 1086, 1087, 1088,
        1089, 1093, 1094, 1095, 1098, 1099, 1100,
        1001, // and round again
    };
    // clang-format on
    const auto idOf = [this](const QWidget* widget) {
        for (int id = 1; id <= 1100; ++id) {
            if (window_->control(id) == widget) {
                return id;
            }
        }
        return -1;
    };
    std::vector<int> visited{idOf(QApplication::focusWidget())};
    for (std::size_t i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(idOf(QApplication::focusWidget()));
        // A screen reader announces every stop by name.
        EXPECT_FALSE(QApplication::focusWidget()->accessibleName().isEmpty()) << visited.back();
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(SheetWindowTest, ArrayModelLabelNamesTheModelList) {
    const auto* label = qobject_cast<QLabel*>(window_->control(kModelLabel));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->buddy(), window_->control(kModelList));
}

} // namespace
} // namespace brim::test
