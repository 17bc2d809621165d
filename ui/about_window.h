#pragma once

#include <QDialog>

namespace brim {

// The program icon and the version line, over the main window.
class AboutWindow final : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

} // namespace brim
