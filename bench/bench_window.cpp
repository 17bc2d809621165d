// The two commands a user runs most, through the real main window on the offscreen platform:
// the Compute command (capture every control, compute ten full rows, show every field again)
// and one keystroke in a # of Groups field (which captures every control), and one in a
// # Disks Per Group field (which reads the screen and draws the figures stale); and a keystroke in
// each field of the Size for Capacity window (parse, size every layout, refill the table,
// select the first line), and one in Sheet Performance's "% reads" field. Each is timed up to
// the command's return; the repaint that follows runs later in the event loop. Then the sheet's
// history: what one step adds to its command, and Undo of a preset.

#include "commands/row_commands.h"
#include "commands/sheet_step.h"
#include "core/message_sink.h"
#include "report/report.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/control_names.h"
#include "ui/sheet_window.h"
#include "ui/window_layout.h"
#include "ui/window_menu.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

using brim::test::controls::groupsFieldOf;
using brim::test::controls::kCompute;
using brim::test::controls::kModelList;
using brim::test::controls::kSticky;
using brim::test::names::k1TbAta;
using brim::test::names::kRaid5;
using brim::test::names::kTelvarA;
using brim::test::names::kZundaS;

// Counts messages: a benchmark that hit a rule or a refused field would time the wrong path.
class CountingSink final : public brim::MessageSink {
public:
    void show(std::string_view) override { ++count; }
    int count = 0;
};

class NoFile final : public brim::ReportFileChooser {
public:
    std::optional<std::string> chooseReportFile() override { return std::nullopt; }
};

// A window whose ten rows all hold groups: every row is checked, computed and formatted.
std::unique_ptr<brim::SheetWindow> fullWindow(CountingSink& sink, NoFile& chooser) {
    auto window = std::make_unique<brim::SheetWindow>(&sink, &chooser);
    window->show();
    for (int i = 0; i < brim::kRowCount; ++i) {
        const brim::RowLayout& row = brim::kRowLayouts[static_cast<std::size_t>(i)];
        qobject_cast<QLineEdit*>(window->control(row.groupCount.id))
            ->setText(QString::number(3 + i));
        // 146 G to 450 G: offered on every family.
        qobject_cast<QComboBox*>(window->control(row.diskType.id))->setCurrentIndex(1 + i % 4);
        qobject_cast<QComboBox*>(window->control(row.raidType.id))->setCurrentIndex(kRaid5);
        qobject_cast<QLineEdit*>(window->control(row.disksPerGroup.id))
            ->setText(QString::number(5 + i));
    }
    return window;
}

// Each Compute follows a change of the model picker between a Zunda and a Telvar model, so that
// every result text changes and every result field is written, as after a real edit. The
// change itself (a selection set without a user's pick, which starts no command) is not timed.
void BM_ComputeCommand(benchmark::State& state) {
    CountingSink sink;
    NoFile chooser;
    const auto window = fullWindow(sink, chooser);
    auto* compute = qobject_cast<QAbstractButton*>(window->control(kCompute));
    auto* model = qobject_cast<QComboBox*>(window->control(kModelList));
    compute->click();
    bool zunda = false;
    for (auto _ : state) {
        state.PauseTiming();
        zunda = !zunda;
        model->setCurrentIndex(zunda ? kZundaS : kTelvarA);
        state.ResumeTiming();
        compute->click();
    }
    if (sink.count != 0 || window->sheet().totalDisksText == "Error") {
        state.SkipWithError("the sheet did not compute cleanly");
    }
    benchmark::DoNotOptimize(window->sheet().netTotalGbText.data());
}
BENCHMARK(BM_ComputeCommand)->Unit(benchmark::kMicrosecond);

// One keystroke each iteration: a digit typed, then deleted on the next.
void BM_GroupsKeystroke(benchmark::State& state) {
    CountingSink sink;
    NoFile chooser;
    const auto window = fullWindow(sink, chooser);
    auto* field = qobject_cast<QLineEdit*>(window->control(groupsFieldOf(1)));
    field->setCursorPosition(static_cast<int>(field->text().size()));
    bool typed = false;
    for (auto _ : state) {
        QTest::keyClick(field, typed ? Qt::Key_Backspace : Qt::Key_7);
        typed = !typed;
    }
    if (sink.count != 0 ||
        (window->sheet().rows[0].groupCount != 3 && window->sheet().rows[0].groupCount != 37)) {
        state.SkipWithError("the keystrokes did not reach the sheet as expected");
    }
}
BENCHMARK(BM_GroupsKeystroke)->Unit(benchmark::kMicrosecond);

// A keystroke in a # Disks Per Group field runs no command, but reads the screen's inputs and
// draws the figures of the row and the totals stale or fresh again: a digit typed leaves the
// computed inputs, the Backspace after it comes back to them.
void BM_DisksPerGroupKeystroke(benchmark::State& state) {
    CountingSink sink;
    NoFile chooser;
    const auto window = fullWindow(sink, chooser);
    qobject_cast<QAbstractButton*>(window->control(kCompute))->click();
    auto* field = qobject_cast<QLineEdit*>(window->control(brim::kRowLayouts[0].disksPerGroup.id));
    field->setCursorPosition(static_cast<int>(field->text().size()));
    bool typed = false;
    for (auto _ : state) {
        QTest::keyClick(field, typed ? Qt::Key_Backspace : Qt::Key_1);
        typed = !typed;
    }
    auto* figure = window->control(brim::kRowLayouts[0].totalCapacity.id);
    if (sink.count != 0 || figure->toolTip().isEmpty() != !typed) {
        state.SkipWithError("the figures did not follow the keystrokes");
    }
}
BENCHMARK(BM_DisksPerGroupKeystroke)->Unit(benchmark::kMicrosecond);

// The window is modal: the timed loop runs inside its modal loop, as the user's keystrokes do.
// Each iteration types a digit into one field or deletes it, so every keystroke sizes all
// layouts for a new need (capacity 200 or 2007 TB, host IOPS 20000 or 200007, MB/s 400 or
// 4007, or a mix of 70 or 7 % reads) on top of the sheet and refills the table. With no
// workload typed, the capacity field alone is what it was before workloads.
struct SizingField {
    const char* name;
    const char* start;
    Qt::Key digit;
};
constexpr SizingField kSizingFields[] = {
    {"capacity", "200", Qt::Key_7},   {"capacity", "200", Qt::Key_7},
    {"hostIops", "20000", Qt::Key_7}, {"readPercent", "70", Qt::Key_0},
    {"mbps", "400", Qt::Key_7},
};

void BM_SizingKeystroke(benchmark::State& state) {
    const SizingField& typed = kSizingFields[state.range(0)];
    const bool workload = state.range(0) != 0;
    CountingSink sink;
    NoFile chooser;
    brim::SheetWindow window(&sink, &chooser);
    window.show();
    int lines = 0;
    QTimer::singleShot(0, &window, [&] {
        QWidget* capacity = QApplication::activeModalWidget();
        const auto field = [&](const char* name) {
            return capacity->findChild<QLineEdit*>(QString::fromLatin1(name));
        };
        auto* table = capacity->findChild<QTableView*>(QStringLiteral("layouts"));
        capacity->findChild<QCheckBox*>(QStringLiteral("addToSheet"))->setChecked(true);
        for (const SizingField& other : kSizingFields) {
            if (workload || std::string_view(other.name) == "capacity") {
                field(other.name)->setText(QString::fromLatin1(other.start));
            }
        }
        QLineEdit* edited = field(typed.name);
        // "70" loses its last digit first: "707" is no mix.
        bool removing = typed.digit == Qt::Key_0;
        for (auto _ : state) {
            QTest::keyClick(edited, removing ? Qt::Key_Backspace : typed.digit);
            removing = !removing;
        }
        lines = table->model()->rowCount();
        capacity->close();
    });
    window.handleWindowMenuCommand(brim::kSizeForCapacityCommand);
    if (sink.count != 0 || lines == 0) {
        state.SkipWithError("the window did not size the layouts");
    }
}
// 0: the capacity field alone; 1-4: each field of a workload sized with the capacity.
BENCHMARK(BM_SizingKeystroke)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// A full window with Sticky Changes off, so that every preset rewrites all ten rows.
std::unique_ptr<brim::SheetWindow> fullWindowWithoutStickyChanges(CountingSink& sink,
                                                                  NoFile& chooser) {
    auto window = fullWindow(sink, chooser);
    qobject_cast<QAbstractButton*>(window->control(kSticky))->click();
    qobject_cast<QAbstractButton*>(window->control(kCompute))->click();
    return window;
}

QAbstractButton* presetButton(const brim::SheetWindow& window, std::size_t preset) {
    return qobject_cast<QAbstractButton*>(window.control(brim::kPresets[preset].controlId));
}

// What recording a preset's step adds to the preset: the sheet and locks as the command begins
// and as it ends, the comparison that finds them different, and the push onto the window's
// history, already full, so that the oldest step goes.
void BM_RecordStep(benchmark::State& state) {
    CountingSink sink;
    NoFile chooser;
    const auto window = fullWindowWithoutStickyChanges(sink, chooser);
    for (std::size_t i = 0; i < 100; ++i) {
        presetButton(*window, i % 2)->click();
    }
    brim::ConfigSheet other = window->sheet();
    other.rows[0].diskType = k1TbAta;
    for (auto _ : state) {
        brim::SheetSnapshot before{window->sheet(), {}};
        brim::SheetSnapshot after{other, {}};
        if (brim::inputsDiffer(before, after)) {
            window->recordStep(
                {std::string(brim::kPresets[2].caption), std::move(before), std::move(after)});
        }
    }
}
BENCHMARK(BM_RecordStep)->Unit(benchmark::kMicrosecond);

// Ctrl+Z after a preset: the capture that every command begins with, the sheet before the preset
// put back, the locks set and every control refreshed. The preset itself is not timed.
void BM_UndoPreset(benchmark::State& state) {
    CountingSink sink;
    NoFile chooser;
    const auto window = fullWindowWithoutStickyChanges(sink, chooser);
    QAbstractButton* preset = presetButton(*window, 2);
    const std::uint32_t disksBefore = window->sheet().rows[0].disksPerGroup;
    for (auto _ : state) {
        state.PauseTiming();
        preset->click();
        state.ResumeTiming();
        window->handleWindowMenuCommand(brim::kUndoCommand);
    }
    if (sink.count != 0 || window->sheet().rows[0].disksPerGroup != disksBefore) {
        state.SkipWithError("Undo did not give the sheet before the preset back");
    }
}
BENCHMARK(BM_UndoPreset)->Unit(benchmark::kMicrosecond);

// Sheet Performance over ten full rows: each keystroke types a digit into one field or deletes
// it ("% reads" 70, 7, 70, ...; the spare policy, the array's price and the hours before a
// rebuild one digit longer and back), and refreshes the plan's lines, its loss and cost, the
// disks to order and the window's tables over them.
constexpr SizingField kPerformanceFields[] = {
    {"readPercent", "70", Qt::Key_0},       {"disksPerSpare", "30", Qt::Key_7},
    {"minSpares", "1", Qt::Key_7},          {"arrayPrice", "40000", Qt::Key_7},
    {"hoursBeforeRebuild", "2", Qt::Key_4},
};

void BM_SheetPerformanceKeystroke(benchmark::State& state) {
    const SizingField& typed = kPerformanceFields[state.range(0)];
    CountingSink sink;
    NoFile chooser;
    const auto window = fullWindow(sink, chooser);
    int lines = 0;
    QTimer::singleShot(0, window.get(), [&] {
        QWidget* performance = QApplication::activeModalWidget();
        auto* field = performance->findChild<QLineEdit*>(QString::fromLatin1(typed.name));
        auto* table = performance->findChild<QTableView*>(QStringLiteral("lines"));
        field->setText(QString::fromLatin1(typed.start));
        field->setCursorPosition(static_cast<int>(field->text().size()));
        // "70" loses its last digit first: "707" is no mix.
        bool removing = typed.digit == Qt::Key_0;
        for (auto _ : state) {
            QTest::keyClick(field, removing ? Qt::Key_Backspace : typed.digit);
            removing = !removing;
        }
        lines = table->model()->rowCount();
        performance->close();
    });
    window->handleWindowMenuCommand(brim::kSheetPerformanceCommand);
    if (sink.count != 0 || lines != brim::kRowCount + 1) {
        state.SkipWithError("the window did not show a line per row");
    }
}
// 0: "% reads"; 1-2: the spare policy; 3: the array's price; 4: the hours before a rebuild.
BENCHMARK(BM_SheetPerformanceKeystroke)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// Growth Plan over ten full rows, ten years ahead: each keystroke types a digit into one field
// or deletes it, picks the next definition or the one before, or ticks the installed box or
// clears it; the planner makes the schedule and its texts, the window refills the table and
// the sentences, and the chart is drawn again.
struct GrowthField {
    const char* name;
    const char* start;
    Qt::Key key; // typed, then Backspace; Down then Up in the list; Space for the box
};
constexpr GrowthField kGrowthFields[] = {
    {"neededToday", "200", Qt::Key_7},    {"capacityGrowth", "20", Qt::Key_5},
    {"workloadGrowth", "10", Qt::Key_5},  {"years", "1", Qt::Key_0},
    {"growDefinition", "", Qt::Key_Down}, {"installed", "", Qt::Key_Space},
    {"diskPriceChange", "-2", Qt::Key_0}, {"arrayPriceChange", "1", Qt::Key_0},
    {"energyPrice", "0.1", Qt::Key_5},    {"pue", "1.5", Qt::Key_5},
    {"support", "1", Qt::Key_0},
};

void BM_GrowthPlanKeystroke(benchmark::State& state) {
    const GrowthField& typed = kGrowthFields[state.range(0)];
    CountingSink sink;
    NoFile chooser;
    const auto window = fullWindow(sink, chooser);
    int lines = 0;
    QTimer::singleShot(0, window.get(), [&] {
        QWidget* growth = QApplication::activeModalWidget();
        const auto field = [&](const char* name) {
            return growth->findChild<QLineEdit*>(QString::fromLatin1(name));
        };
        field("years")->setText(QStringLiteral("10"));
        field("energyPrice")->setText(QStringLiteral("0.15"));
        auto* table = growth->findChild<QTableView*>(QStringLiteral("schedule"));
        auto* chart = growth->findChild<QWidget*>(QStringLiteral("chart"));
        QWidget* edited = growth->findChild<QWidget*>(QString::fromLatin1(typed.name));
        if (QLineEdit* line = field(typed.name)) {
            line->setText(QString::fromLatin1(typed.start));
            line->setCursorPosition(static_cast<int>(line->text().size()));
        }
        edited->setFocus();
        bool back = false;
        for (auto _ : state) {
            Qt::Key key = typed.key;
            if (back && key == Qt::Key_Down) {
                key = Qt::Key_Up;
            } else if (back && key != Qt::Key_Space) {
                key = Qt::Key_Backspace;
            }
            QTest::keyClick(edited, key);
            chart->repaint();
            back = !back;
        }
        lines = table->model()->rowCount();
        growth->close();
    });
    window->handleWindowMenuCommand(brim::kGrowthPlanCommand);
    if (sink.count != 0 || lines < 2) {
        state.SkipWithError("the window did not show a schedule");
    }
}
// 0-10: the fields in Tab order, from Usable TB needed today to Support.
BENCHMARK(BM_GrowthPlanKeystroke)->DenseRange(0, 10)->Unit(benchmark::kMicrosecond);

} // namespace
