#pragma once

// The main window. Data flow: the user changes a control; the event map (window_layout.h)
// runs the one command for that action (RowCommands, or Print, Help, Close here). A command
// that needs current input first copies every control into the sheet (ControlExchange, in the
// binding order, stopping at a refused field with a notice), changes the sheet or computes it
// (computeSheet writes the result texts), and then copies the whole sheet back into the
// controls. Controls are read and written only by those two copies, and nothing a copy does to
// a control starts a command.

#include "config_sheet.h"
#include "control_exchange.h"
#include "report.h"
#include "row_commands.h"
#include "window_layout.h"

#include <QDialog>
#include <memory>

class QMenu;

namespace brim {

class DialogUnits;

class SheetWindow final : public QDialog, public SheetView {
    Q_OBJECT
public:
    // Without a sink or chooser the window shows message boxes and Qt's file dialog itself;
    // tests pass recorders. Both must outlive the window.
    explicit SheetWindow(MessageSink* messages = nullptr, ReportFileChooser* chooser = nullptr,
                         QWidget* parent = nullptr);
    ~SheetWindow() override;

    const ConfigSheet& sheet() const noexcept { return sheet_; }
    // The control with that identifier, nullptr when there is none.
    QWidget* control(int id) const noexcept { return controls_.find(id); }
    bool disksFieldLocked(int row) const noexcept { return commands_.disksFieldLocked(row); }

    // A window-menu command: the About window for the About command, the Size for Capacity
    // window for its command, nothing otherwise.
    void handleWindowMenuCommand(int commandId);

    // SheetView: what the commands need of the window.
    bool copyControlsToSheet() override;
    void copySheetToControls() override;
    void enableControl(int controlId, bool enabled) override;
    MessageSink& messages() override { return *messages_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void open(const DialogUnits& units);
    void addWindowMenu();
    void connectEventMap();
    void connectEvent(const EventMapEntry& entry);
    void run(const EventMapEntry& entry);
    void applyPresetOf(int buttonId);
    void printSheet();
    void showHelp();
    void sizeForCapacity();
    void pressFocusedButtonOrCompute();
    void showWindowMenu(const QPoint& globalPosition);

    ConfigSheet sheet_;
    std::unique_ptr<MessageSink> ownMessages_;
    MessageSink* messages_;
    std::unique_ptr<ReportFileChooser> ownChooser_;
    ReportFileChooser* chooser_;
    ControlMap controls_;
    ControlExchange exchange_;
    RowCommands commands_;
    QMenu* windowMenu_ = nullptr;
};

} // namespace brim
