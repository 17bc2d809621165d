#include "ui/sheet_window.h"

#include "commands/growth_planner.h"
#include "report/sheet_table.h"
#include "ui/about_window.h"
#include "ui/application.h"
#include "ui/capacity_window.h"
#include "ui/dialog_units.h"
#include "ui/file_drop.h"
#include "ui/growth_window.h"
#include "ui/help_window.h"
#include "ui/message_box_sink.h"
#include "ui/performance_window.h"
#include "ui/plan_keeping.h"
#include "ui/plan_preview.h"
#include "ui/qt_text.h"
#include "ui/report_file_dialog.h"
#include "ui/sheet_controls.h"
#include "ui/sheet_history.h"
#include "ui/stale_figures.h"
#include "ui/window_menu.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>

namespace brim {
namespace {

// The window's own message boxes and choosers, unless a test gave its recorders.
template <typename Own, typename Interface>
std::unique_ptr<Interface> ownUnless(Interface* given, QWidget* parent) {
    return given ? nullptr : std::make_unique<Own>(parent);
}

bool isEnterKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

// The focus moving to another control, not to a popup or another window and back.
bool leavesTheControl(const QFocusEvent& event) {
    return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}

const Preset* presetOfButton(int buttonId) {
    const auto it = std::find_if(kPresets.begin(), kPresets.end(),
                                 [buttonId](const Preset& p) { return p.controlId == buttonId; });
    return it == kPresets.end() ? nullptr : &*it;
}

} // namespace

SheetWindow::SheetWindow(MessageSink* messages, ReportFileChooser* chooser,
                         ReportOpenChooser* openChooser, QWidget* parent)
    // A normal application window, not a dialog: window managers leave dialogs, which they
    // take to belong to another window, out of the task bar and the window switcher.
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ownMessages_(ownUnless<MessageBoxSink>(messages, this)),
      messages_(messages ? messages : ownMessages_.get()),
      ownChooser_(ownUnless<ReportFileDialog>(chooser, this)),
      chooser_(chooser ? chooser : ownChooser_.get()),
      ownOpenChooser_(ownUnless<OpenReportFileDialog>(openChooser, this)),
      openChooser_(openChooser ? openChooser : ownOpenChooser_.get()),
      exchange_(controls_, *messages_), commands_(sheet_, *this),
      planKeeping_(std::make_unique<PlanKeeping>(
          *this,
          WorkbookParts{commands_, sheet_, keptPlans_, planning_, capacityChoices_, workbookFile_},
          *messages_)) {
    setWindowTitle(toQString(kSheetWindowTitle));
    setWindowIcon(programIcon());
    setFont(dialogFont());
    const DialogUnits units(font());
    setFixedSize(units.toPixels(kSheetWindowRect).size());
    open(units);
    watchControlKeys();
    addWindowMenu();
    connectEventMap();
    new FileDrop(
        *this, [this](const std::string& path) { planKeeping_->openFile(path); },
        [this] { messages_->show(kDropOneFileMessage); });
}

// The lists are filled as the controls are built, before the controls first show the sheet.
void SheetWindow::open(const DialogUnits& units) {
    buildSheetControls(*this, units, controls_);
    staleFigures_ = new StaleFigures(controls_, exchange_, sheet_, this);
    copySheetToControls();
    if (QWidget* modelList = controls_.find(kModelListId)) {
        modelList->setFocus(Qt::OtherFocusReason);
    }
}

void SheetWindow::addWindowMenu() {
    windowMenu_ = new QMenu(this);
    appendCommandEntries(*windowMenu_, *this, kWindowMenuCommands);
    appendAboutEntry(*windowMenu_, toQString(kAboutMenuEntryText));
    connect(windowMenu_, &QMenu::triggered, this,
            [this](QAction* action) { handleWindowMenuCommand(action->data().toInt()); });
    history_ = std::make_unique<SheetHistory>(commands_, *windowMenu_);
    planKeeping_->showFileIn(*entryWithCommand(*windowMenu_, kSaveWorkbookCommand));
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { showWindowMenu(mapToGlobal(QPoint(0, 0))); });
}

SheetWindow::~SheetWindow() = default;

// A line edit claims Ctrl+Z and its kin for its own undo, and the key of a disabled entry would
// go to the focused control: every control hands these keys to the window. The focus leaving a
// control ends the typing in a # of Groups field.
void SheetWindow::watchControlKeys() {
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus) {
            child->installEventFilter(this);
        }
    }
}

bool SheetWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        const WindowMenuEntry* entry =
            entryOfKey(kWindowMenuCommands, *static_cast<QKeyEvent*>(event));
        if (entry && isHistoryCommand(entry->commandId)) {
            // Claimed as a key press, which then runs the command here.
            if (event->type() == QEvent::KeyPress) {
                handleWindowMenuCommand(entry->commandId);
            }
            event->accept();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut &&
               leavesTheControl(*static_cast<QFocusEvent*>(event))) {
        commands_.endTyping();
    }
    return QDialog::eventFilter(watched, event);
}

void SheetWindow::recordStep(SheetStep step) {
    history_->push(std::move(step));
}

void SheetWindow::undoStep() {
    if (!exchange_.copying()) {
        history_->undo();
    }
}

void SheetWindow::redoStep() {
    if (!exchange_.copying()) {
        history_->redo();
    }
}

// The sheet as Print would write it, as a table for the clipboard.
void SheetWindow::copySheet() {
    commands_.computeBeforeOutput();
    putSheetTableOnClipboard();
}

// Plain text only: a spreadsheet makes a table of the tabs, a mail shows the lines.
void SheetWindow::putSheetTableOnClipboard() {
    QApplication::clipboard()->setText(toQString(formatSheetTable(sheet_)));
}

// The printed plan, like the report, names what the window shows.
void SheetWindow::printPlan() {
    commands_.computeBeforeOutput();
    previewPlan(sheet_, planning_, statedWorkload(capacityChoices_), planKeeping_->plans(), *this);
}

bool SheetWindow::copyControlsToSheet() {
    const bool copied = exchange_.copyControlsToSheet(sheet_);
    staleFigures_->show();
    return copied;
}

void SheetWindow::copyReadableControlsToSheet() {
    exchange_.copyReadableControlsToSheet(sheet_);
    staleFigures_->show();
}

void SheetWindow::copySheetToControls() {
    exchange_.copySheetToControls(sheet_);
    staleFigures_->show();
}

void SheetWindow::enableControl(int controlId, bool enabled) {
    if (QWidget* widget = controls_.find(controlId)) {
        widget->setEnabled(enabled);
    }
}

// Each window-menu command and what runs it, as the event map routes the controls' actions.
const SheetWindow::MenuRoute* SheetWindow::menuRouteOf(int commandId) {
    // clang-format off
    static constexpr std::array<MenuRoute, kWindowMenuCommands.size()> kRoutes{{
        {kOpenReportCommand,       [](SheetWindow& w) { w.openReport(); }},
        {kSizeForCapacityCommand,  [](SheetWindow& w) { w.sizeForCapacity(); }},
        {kSheetPerformanceCommand, [](SheetWindow& w) { w.showSheetPerformance(); }},
        {kComparePlansCommand,     [](SheetWindow& w) { w.planKeeping_->comparePlans(); }},
        {kGrowthPlanCommand,       [](SheetWindow& w) { w.showGrowthPlan(); }},
        {kSaveWorkbookCommand,     [](SheetWindow& w) { w.planKeeping_->saveWorkbook(); }},
        {kSaveWorkbookAsCommand,   [](SheetWindow& w) { w.planKeeping_->saveWorkbookAs(); }},
        {kUndoCommand,             [](SheetWindow& w) { w.undoStep(); }},
        {kRedoCommand,             [](SheetWindow& w) { w.redoStep(); }},
        {kCopySheetCommand,        [](SheetWindow& w) { w.copySheet(); }},
        {kPrintPlanCommand,        [](SheetWindow& w) { w.printPlan(); }},
    }};
    // clang-format on
    static_assert(std::all_of(kWindowMenuCommands.begin(), kWindowMenuCommands.end(),
                              [](const WindowMenuEntry& entry) {
                                  return std::any_of(kRoutes.begin(), kRoutes.end(),
                                                     [&entry](const MenuRoute& route) {
                                                         return route.commandId == entry.commandId;
                                                     });
                              }),
                  "a window-menu entry runs nothing");
    const auto route =
        std::find_if(kRoutes.begin(), kRoutes.end(),
                     [commandId](const MenuRoute& r) { return r.commandId == commandId; });
    return route == kRoutes.end() ? nullptr : &*route;
}

void SheetWindow::handleWindowMenuCommand(int commandId) {
    if (isShowAboutCommand(commandId)) {
        showAbout();
    } else if (const MenuRoute* route = menuRouteOf(commandId)) {
        route->run(*this);
    }
}

void SheetWindow::showAbout() {
    AboutWindow about(this);
    about.exec();
}

// Sizes against what the controls show now, so a field the capture refuses keeps the window
// closed (its notice says why); Put in Row refreshes and computes by itself, and Close leaves
// the sheet as the capture left it.
void SheetWindow::sizeForCapacity() {
    if (!commands_.captureInput()) {
        return;
    }
    CapacityWindow window(sheet_, commands_, capacityChoices_, planning_, this);
    window.exec();
}

// The figures of what the controls show now, so a field the capture refuses keeps the window
// closed (its notice says why). The window changes no input of the sheet.
void SheetWindow::showSheetPerformance() {
    if (!commands_.captureInput()) {
        return;
    }
    PerformanceWindow window(sheet_, planning_, this);
    window.exec();
}

// The years ahead of what the controls show now, grown for the workload Size for Capacity
// states; a field the capture refuses keeps the window closed. Its figures are the program's.
void SheetWindow::showGrowthPlan() {
    if (!commands_.captureInput()) {
        return;
    }
    GrowthWindow window(sheet_, planning_, statedWorkload(capacityChoices_), keptPlans_,
                        growthChoices_, this);
    window.exec();
}

void SheetWindow::openReport() {
    if (const std::optional<std::string> path = openChooser_->chooseReportToOpen()) {
        planKeeping_->openFile(*path);
    }
}

void SheetWindow::openReportFile(const std::string& path) {
    planKeeping_->openReport(path);
}

void SheetWindow::connectEventMap() {
    for (const EventMapEntry& entry : kEventMap) {
        connectEvent(entry);
    }
}

// Only the signals that the user's own actions raise: a copy that sets a list's selection, a
// field's text or a box's mark raises none of them.
void SheetWindow::connectEvent(const EventMapEntry& entry) {
    QWidget* widget = controls_.find(entry.id);
    const auto runEntry = [this, &entry] { run(entry); };
    switch (entry.action) {
    case UserAction::Picks:
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            connect(list, &QComboBox::activated, this, runEntry);
        }
        break;
    case UserAction::EditsText:
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            connect(edit, &QLineEdit::textEdited, this, runEntry);
        }
        break;
    case UserAction::Clicks:
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            connect(button, &QAbstractButton::clicked, this, runEntry);
        }
        break;
    }
}

void SheetWindow::run(const EventMapEntry& entry) {
    if (exchange_.copying()) {
        return;
    }
    switch (entry.command) {
    case WindowCommand::ChangeModel:
        commands_.changeModel();
        break;
    case WindowCommand::ChangeRaidType:
        commands_.changeRaidType(entry.row);
        break;
    case WindowCommand::CaptureGroupCount:
        commands_.captureGroupCount(entry.row);
        break;
    case WindowCommand::CaptureStickyChanges:
        commands_.captureStickyChanges();
        break;
    case WindowCommand::ToggleVault:
        commands_.toggleVault();
        break;
    case WindowCommand::ClearRow:
        commands_.clearRow(entry.row);
        break;
    case WindowCommand::ApplyPreset:
        applyPresetOf(entry.id);
        break;
    case WindowCommand::Compute:
        commands_.compute();
        break;
    case WindowCommand::PrintReport:
        printSheet();
        break;
    case WindowCommand::ShowHelp:
        showHelp();
        break;
    case WindowCommand::CloseWindow:
        reject();
        break;
    }
}

void SheetWindow::applyPresetOf(int buttonId) {
    if (const Preset* preset = presetOfButton(buttonId)) {
        commands_.applyPreset(*preset);
    }
}

// The report shows the sheet as the last command left it, computed first when the controls or
// the sheet no longer show the inputs of the last Compute: a report names what the window
// shows, and never prints figures beside other inputs.
void SheetWindow::printSheet() {
    commands_.computeBeforeOutput();
    printReport(sheet_, *chooser_, *messages_);
}

void SheetWindow::showHelp() {
    HelpWindow help(this);
    help.exec();
}

void SheetWindow::reject() {
    if (planKeeping_->mayClose()) {
        QDialog::reject();
    }
}

// Enter presses a focused push button; anywhere else it is the Compute command and the window
// stays open. Escape keeps the dialog's own meaning: reject(), which closes without a capture.
void SheetWindow::keyPressEvent(QKeyEvent* event) {
    if (isEnterKey(*event)) {
        pressFocusedButtonOrCompute();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SheetWindow::pressFocusedButtonOrCompute() {
    if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        button && button->window() == this) {
        button->click();
        return;
    }
    if (!exchange_.copying()) {
        commands_.compute();
    }
}

void SheetWindow::contextMenuEvent(QContextMenuEvent* event) {
    showWindowMenu(event->globalPos());
    event->accept();
}

void SheetWindow::showWindowMenu(const QPoint& globalPosition) {
    if (!windowMenu_->isEmpty()) {
        windowMenu_->popup(globalPosition);
    }
}

} // namespace brim
