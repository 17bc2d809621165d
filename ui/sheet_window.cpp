#include "sheet_window.h"

#include "about_window.h"
#include "application.h"
#include "capacity_window.h"
#include "dialog_units.h"
#include "help_window.h"
#include "message_box_sink.h"
#include "qt_text.h"
#include "report_file_dialog.h"
#include "sheet_controls.h"
#include "window_menu.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>

namespace brim {
namespace {

std::unique_ptr<MessageSink> ownSinkUnless(MessageSink* given, QWidget* parent) {
    return given ? nullptr : std::make_unique<MessageBoxSink>(parent);
}

std::unique_ptr<ReportFileChooser> ownChooserUnless(ReportFileChooser* given, QWidget* parent) {
    return given ? nullptr : std::make_unique<ReportFileDialog>(parent);
}

bool isEnterKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

const Preset* presetOfButton(int buttonId) {
    const auto it = std::find_if(kPresets.begin(), kPresets.end(),
                                 [buttonId](const Preset& p) { return p.controlId == buttonId; });
    return it == kPresets.end() ? nullptr : &*it;
}

} // namespace

SheetWindow::SheetWindow(MessageSink* messages, ReportFileChooser* chooser, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ownMessages_(ownSinkUnless(messages, this)),
      messages_(messages ? messages : ownMessages_.get()),
      ownChooser_(ownChooserUnless(chooser, this)), chooser_(chooser ? chooser : ownChooser_.get()),
      exchange_(controls_, *messages_), commands_(sheet_, *this) {
    setWindowTitle(toQString(kSheetWindowTitle));
    setWindowIcon(programIcon());
    setFont(dialogFont());
    const DialogUnits units(font());
    setFixedSize(units.toPixels(kSheetWindowRect).size());
    open(units);
    addWindowMenu();
    connectEventMap();
}

// The lists are filled as the controls are built, before the controls first show the sheet.
void SheetWindow::open(const DialogUnits& units) {
    buildSheetControls(*this, units, controls_);
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
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { showWindowMenu(mapToGlobal(QPoint(0, 0))); });
}

SheetWindow::~SheetWindow() = default;

bool SheetWindow::copyControlsToSheet() {
    return exchange_.copyControlsToSheet(sheet_);
}

void SheetWindow::copySheetToControls() {
    exchange_.copySheetToControls(sheet_);
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
    } else if (commandId == kSizeForCapacityCommand) {
        sizeForCapacity();
    }
}

// Sizes against what the controls show now; Put in Row refreshes and computes by itself, and
// Close leaves the sheet as the capture left it.
void SheetWindow::sizeForCapacity() {
    copyControlsToSheet();
    CapacityWindow window(sheet_, commands_, this);
    window.exec();
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
    case WindowCommand::CaptureInput:
        commands_.captureInput();
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

// The report shows the sheet as the last command left it: no capture, no recompute.
void SheetWindow::printSheet() {
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
