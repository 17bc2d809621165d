#pragma once

#include <QDialog>
#include <QString>

class QLabel;

namespace brim {

// The built-in help text: no close box, stays on top, Enter closes it.
class HelpWindow final : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Sets the help text, then shows the window modally.
    int exec() override;
    QString helpText() const { return helpText_; }

    static QString fixedHelpText();

private:
    QString helpText_;
    QLabel* text_ = nullptr; // field 1091, owned by the window
};

} // namespace brim
