#pragma once

// The main window. Data flow: the user changes a control; the event map (window_layout.h)
// runs the one command for that action (RowCommands, or Print, Help, Close here). A command
// that needs current input first copies every control into the sheet (ControlExchange, in the
// binding order, stopping at a refused field with a notice), changes the sheet or computes it
// (computeSheet writes the result texts), and then copies the whole sheet back into the
// controls. Controls are read and written only by those two copies, and nothing a copy does to
// a control starts a command. Each command that changed the sheet hands the window a step for
// its history (SheetHistory), which Undo and Redo walk through the commands.

#include "commands/capacity_planner.h"
#include "commands/growth_planner.h"
#include "commands/kept_plans.h"
#include "commands/row_commands.h"
#include "commands/workbook_commands.h"
#include "core/config_sheet.h"
#include "core/planning_assumptions.h"
#include "report/report.h"
#include "report/report_reader.h"
#include "ui/control_exchange.h"
#include "ui/window_layout.h"

#include <QDialog>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QAction;
class QMenu;

namespace brim {

class DialogUnits;
class PlanKeeping;
class StaleFigures;
class SheetHistory;

inline constexpr std::string_view kDropOneFileMessage =
    "Drop one report file at a time; nothing was opened.";

class SheetWindow final : public QDialog, public SheetView {
    Q_OBJECT
public:
    // Without a sink or choosers the window shows message boxes and Qt's file dialogs itself;
    // tests pass recorders. They must outlive the window.
    explicit SheetWindow(MessageSink* messages = nullptr, ReportFileChooser* chooser = nullptr,
                         ReportOpenChooser* openChooser = nullptr, QWidget* parent = nullptr);
    ~SheetWindow() override;

    const ConfigSheet& sheet() const noexcept { return sheet_; }
    // The control with that identifier, nullptr when there is none.
    QWidget* control(int id) const noexcept { return controls_.find(id); }
    bool disksFieldLocked(int row) const noexcept { return commands_.disksFieldLocked(row); }

    // A window-menu command: the About window for the About command, the command's own for the
    // others (Open, Save Workbook, the planner windows, Undo, Redo, Copy Sheet), nothing otherwise.
    void handleWindowMenuCommand(int commandId);

    // Opens the report at `path` into the window; a file that is not a report shows why and
    // changes nothing.
    void openReportFile(const std::string& path);
    // The kept plans and the workbook, for the whole run; its openFile is Open's and a drop's.
    PlanKeeping& planKeeping() noexcept { return *planKeeping_; }

    // SheetView: what the commands need of the window.
    bool copyControlsToSheet() override;
    void copyReadableControlsToSheet() override;
    void copySheetToControls() override;
    ScreenInputs screenInputs() const override { return exchange_.screenInputs(); }
    void enableControl(int controlId, bool enabled) override;
    MessageSink& messages() override { return *messages_; }
    void recordStep(SheetStep step) override;

    // Done, Escape and the close box. The window closes at once, without a capture, unless
    // kept plans or planning figures are in no saved workbook: then it asks first
    // (PlanKeeping::mayClose) and may stay open.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct MenuRoute {
        int commandId;
        void (*run)(SheetWindow&);
    };
    static const MenuRoute* menuRouteOf(int commandId);

    void open(const DialogUnits& units);
    void addWindowMenu();
    void watchControlKeys();
    void showAbout();
    void undoStep();
    void redoStep();
    void copySheet();
    void putSheetTableOnClipboard();
    void printPlan();
    void connectEventMap();
    void connectEvent(const EventMapEntry& entry);
    void run(const EventMapEntry& entry);
    void applyPresetOf(int buttonId);
    void printSheet();
    void openReport();
    void showHelp();
    void sizeForCapacity();
    void showSheetPerformance();
    void showGrowthPlan();
    void pressFocusedButtonOrCompute();
    void showWindowMenu(const QPoint& globalPosition);

    ConfigSheet sheet_;
    std::unique_ptr<MessageSink> ownMessages_;
    MessageSink* messages_;
    std::unique_ptr<ReportFileChooser> ownChooser_;
    ReportFileChooser* chooser_;
    std::unique_ptr<ReportOpenChooser> ownOpenChooser_;
    ReportOpenChooser* openChooser_;
    ControlMap controls_;
    ControlExchange exchange_;
    StaleFigures* staleFigures_ = nullptr; // a child of the window
    RowCommands commands_;
    CapacityChoices capacityChoices_; // the sizing window's, kept while the program runs
    PlanningAssumptions planning_;    // the disk figures, spares and mix of every window
    KeptPlans keptPlans_;             // Compare Plans' plans, kept while the program runs
    GrowthChoices growthChoices_;     // the Growth Plan window's, kept while the program runs
    WorkbookFile workbookFile_;       // the file Save Workbook writes to
    QMenu* windowMenu_ = nullptr;
    std::unique_ptr<SheetHistory> history_; // over the menu's entries and commands_
    std::unique_ptr<PlanKeeping> planKeeping_;
};

} // namespace brim
