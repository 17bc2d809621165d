#include "sheet_window.h"

#include "about_window.h"
#include "application.h"
#include "capacity_window.h"
#include "dialog_units.h"
#include "help_window.h"
#include "message_box_sink.h"
#include "performance_window.h"
#include "qt_text.h"
#include "report_file_dialog.h"
#include "result_field.h"
#include "sheet_controls.h"
#include "sheet_step_command.h"
#include "sheet_table.h"
#include "window_menu.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <variant>

namespace brim {
namespace {

std::unique_ptr<MessageSink> ownSinkUnless(MessageSink* given, QWidget* parent) {
    return given ? nullptr : std::make_unique<MessageBoxSink>(parent);
}

std::unique_ptr<ReportFileChooser> ownChooserUnless(ReportFileChooser* given, QWidget* parent) {
    return given ? nullptr : std::make_unique<ReportFileDialog>(parent);
}

std::unique_ptr<ReportOpenChooser> ownOpenChooserUnless(ReportOpenChooser* given, QWidget* parent) {
    return given ? nullptr : std::make_unique<OpenReportFileDialog>(parent);
}

bool dragsAFile(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

bool isEnterKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

// The history keeps the last 100 steps, for as long as the window lives.
constexpr int kHistorySteps = 100;

// The focus moving to another control, not to a popup or another window and back.
bool leavesTheControl(const QFocusEvent& event) {
    return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}

QAction* entryWithCommand(const QMenu& menu, int commandId) {
    const QList<QAction*> actions = menu.actions();
    const auto it = std::find_if(actions.begin(), actions.end(), [commandId](QAction* action) {
        return !action->isSeparator() && action->data().toInt() == commandId;
    });
    return it == actions.end() ? nullptr : *it;
}

const WindowMenuEntry& menuEntry(int commandId) {
    return *std::find_if(kWindowMenuCommands.begin(), kWindowMenuCommands.end(),
                         [commandId](const auto& entry) { return entry.commandId == commandId; });
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
      ownMessages_(ownSinkUnless(messages, this)),
      messages_(messages ? messages : ownMessages_.get()),
      ownChooser_(ownChooserUnless(chooser, this)), chooser_(chooser ? chooser : ownChooser_.get()),
      ownOpenChooser_(ownOpenChooserUnless(openChooser, this)),
      openChooser_(openChooser ? openChooser : ownOpenChooser_.get()),
      exchange_(controls_, *messages_), commands_(sheet_, *this) {
    setWindowTitle(toQString(kSheetWindowTitle));
    setWindowIcon(programIcon());
    setFont(dialogFont());
    const DialogUnits units(font());
    setFixedSize(units.toPixels(kSheetWindowRect).size());
    history_.setUndoLimit(kHistorySteps); // before the first step
    open(units);
    watchControlKeys();
    addWindowMenu();
    connectEventMap();
    acceptFileDrops();
}

// The lists are filled as the controls are built, before the controls first show the sheet.
void SheetWindow::open(const DialogUnits& units) {
    buildSheetControls(*this, units, controls_);
    collectResultFields();
    followInputEdits();
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
    undoEntry_ = entryWithCommand(*windowMenu_, kUndoCommand);
    redoEntry_ = entryWithCommand(*windowMenu_, kRedoCommand);
    connect(&history_, &QUndoStack::indexChanged, this, [this] { updateHistoryEntries(); });
    connect(&history_, &QUndoStack::undoTextChanged, this, [this] { updateHistoryEntries(); });
    updateHistoryEntries();
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
    history_.push(new SheetStepCommand(std::move(step), commands_));
}

void SheetWindow::updateHistoryEntries() {
    undoEntry_->setText(historyEntryText(menuEntry(kUndoCommand).text, history_.undoText()));
    undoEntry_->setEnabled(history_.canUndo());
    redoEntry_->setText(historyEntryText(menuEntry(kRedoCommand).text, history_.redoText()));
    redoEntry_->setEnabled(history_.canRedo());
}

void SheetWindow::undoStep() {
    if (exchange_.copying()) {
        return;
    }
    commands_.beginUndoOrRedo();
    history_.undo();
}

void SheetWindow::redoStep() {
    if (exchange_.copying()) {
        return;
    }
    commands_.beginUndoOrRedo();
    history_.redo();
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

bool SheetWindow::copyControlsToSheet() {
    const bool copied = exchange_.copyControlsToSheet(sheet_);
    showFigureStates();
    return copied;
}

void SheetWindow::copySheetToControls() {
    exchange_.copySheetToControls(sheet_);
    showFigureStates();
}

void SheetWindow::collectResultFields() {
    for (const Binding& binding : kBindings) {
        if (auto* field = qobject_cast<ResultField*>(controls_.find(binding.id))) {
            resultFields_.emplace_back(field, binding.field);
        }
    }
}

// After each copy and each edit of an input control, the fields show which of their texts no
// longer belong to the inputs on screen. A copy's own writes are followed once it has ended.
void SheetWindow::showFigureStates() {
    if (exchange_.copying()) {
        return;
    }
    const ScreenInputs screen = exchange_.screenInputs();
    for (const auto& [field, shown] : resultFields_) {
        field->showState(resultTextStale(sheet_, screen, shown));
    }
}

// A disk type picked or a disks-per-group value typed runs no command, yet the figures beside it
// no longer belong to what the row shows.
void SheetWindow::followInputEdits() {
    for (const Binding& binding : kBindings) {
        if (!isInputField(binding.field.kind)) {
            continue;
        }
        QWidget* widget = controls_.find(binding.id);
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            connect(list, &QComboBox::currentIndexChanged, this, [this] { showFigureStates(); });
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            connect(edit, &QLineEdit::textChanged, this, [this] { showFigureStates(); });
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            connect(box, &QCheckBox::toggled, this, [this] { showFigureStates(); });
        }
    }
}

void SheetWindow::enableControl(int controlId, bool enabled) {
    if (QWidget* widget = controls_.find(controlId)) {
        widget->setEnabled(enabled);
    }
}

void SheetWindow::handleWindowMenuCommand(int commandId) {
    if (isShowAboutCommand(commandId)) {
        AboutWindow about(this);
        about.exec();
    } else if (commandId == kOpenReportCommand) {
        openReport();
    } else if (commandId == kSizeForCapacityCommand) {
        sizeForCapacity();
    } else if (commandId == kUndoCommand) {
        undoStep();
    } else if (commandId == kRedoCommand) {
        redoStep();
    } else if (commandId == kCopySheetCommand) {
        copySheet();
    } else if (commandId == kSheetPerformanceCommand) {
        showSheetPerformance();
    }
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

void SheetWindow::openReport() {
    if (const std::optional<std::string> path = openChooser_->chooseReportToOpen()) {
        openReportFile(*path);
    }
}

void SheetWindow::openReportFile(const std::string& path) {
    const ReportReading reading = readReportFile(path);
    if (const auto* refusal = std::get_if<ReportRefusal>(&reading)) {
        messages_->show(refusal->message);
        return;
    }
    const auto& opened = std::get<OpenedReport>(reading);
    commands_.openPlan(opened.plan, opened.version);
}

// A report file dropped anywhere on the window opens, over the edit fields too: they would
// otherwise take the file's name as typed text.
void SheetWindow::acceptFileDrops() {
    setAcceptDrops(true);
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        edit->setAcceptDrops(false);
    }
}

void SheetWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData() && dragsAFile(*event->mimeData())) {
        event->acceptProposedAction();
    }
}

// One local file opens; more than one is refused and nothing changes. Either runs once the drop
// has ended, so that its message boxes do not hold up the program the file came from.
void SheetWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData() ? event->mimeData()->urls() : QList<QUrl>();
    event->acceptProposedAction();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        QTimer::singleShot(0, this, [this] { messages_->show(kDropOneFileMessage); });
        return;
    }
    const std::string path = urls.front().toLocalFile().toStdString();
    QTimer::singleShot(0, this, [this, path] { openReportFile(path); });
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

// Enter presses a focused push button; anywhere else it is the Compute command and the window
// stays open. Escape keeps the dialog's own meaning: close without a capture.
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
