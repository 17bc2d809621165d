#pragma once

#include <QObject>
#include <functional>
#include <string>

class QWidget;

namespace brim {

// Takes files dropped anywhere on a window, over its edit fields too (they would otherwise take
// the file's name as typed text). One local file is handed to `open`, anything else to `refuse`;
// either runs once the drop has ended, so that its message boxes do not hold up the program the
// file came from.
class FileDrop final : public QObject {
public:
    FileDrop(QWidget& window, std::function<void(const std::string& path)> open,
             std::function<void()> refuse);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const std::string&)> open_;
    std::function<void()> refuse_;
};

} // namespace brim
