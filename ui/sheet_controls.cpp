#include "ui/sheet_controls.h"

#include "ui/qt_text.h"
#include "ui/result_field.h"
#include "ui/window_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QStringList>
#include <QStyleOptionComplex>
#include <algorithm>

namespace brim {
namespace {

QLabel* makeLabel(QWidget* parent, const QString& text, Qt::Alignment alignment, bool wraps) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setWordWrap(wraps);
    return label;
}

// A frame whose line runs through the middle of its caption, as on the classic dialogs the layout
// was drawn for: the texts placed just below the caption then stand inside the frame. The usual
// Qt look puts the line below the caption, through those texts.
QGroupBox* makeGroupBox(QWidget* parent, const QString& caption) {
    auto* box = new QGroupBox(caption, parent);
    box->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0px 2px; }"));
    return box;
}

QPushButton* makeButton(QWidget* parent, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    // An auto-default button would take Enter for itself; Enter belongs to the window.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// The usual styles keep about 20 pixels of a closed list for its arrow. The RAID Type lists of
// this layout are too narrow for "IndivDisk" beside such an arrow, so the arrow's button gives
// a few pixels to the entry's text.
//
// A list also drops down below its box, as tall as the layout says, and scrolls to the entries
// that do not fit. Styles such as Fusion would otherwise open it over the box, as tall as all
// its entries.
class CompactListStyle final : public QProxyStyle {
public:
    static constexpr int kPixelsForText = 6;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
        if (control != CC_ComboBox) {
            return rect;
        }
        const int gain = option->direction == Qt::RightToLeft ? -kPixelsForText : kPixelsForText;
        if (part == SC_ComboBoxEditField) {
            rect.setRight(rect.right() + gain);
        } else if (part == SC_ComboBoxArrow) {
            rect.setLeft(rect.left() + gain);
        }
        return rect;
    }
};

QComboBox* makeList(QWidget* parent) {
    auto* list = new QComboBox(parent);
    // One style for all lists of a window, owned by the window so it outlives them.
    auto* style = parent->findChild<CompactListStyle*>(QString(), Qt::FindDirectChildrenOnly);
    if (style == nullptr) {
        style = new CompactListStyle;
        style->setParent(parent);
    }
    list->setStyle(style);
    return list;
}

QWidget* makeControl(QWidget* parent, ControlKind kind, const QString& caption,
                     const QFontMetrics& metrics) {
    switch (kind) {
    case ControlKind::Label:
        return makeLabel(parent, caption, Qt::AlignLeft, true);
    case ControlKind::ResultLeft:
        return new ResultField(Qt::AlignLeft, parent);
    case ControlKind::ResultRight:
        return new ResultField(Qt::AlignRight, parent);
    case ControlKind::EditField:
        return new QLineEdit(caption, parent);
    case ControlKind::DropDownList:
        return makeList(parent);
    case ControlKind::CheckBox:
        return new QCheckBox(caption, parent);
    case ControlKind::PushButton:
        return makeButton(parent, caption);
    case ControlKind::PresetButton:
        return makeButton(parent, twoLineCaption(caption, metrics));
    case ControlKind::GroupBox:
        return makeGroupBox(parent, caption);
    }
    return nullptr;
}

// A drop-down list's box is as high as the toolkit draws it; the layout's height is that of the
// opened list, which decides how many entries show without scrolling.
void placeDropDownList(QComboBox& list, const QRect& openedRect, const QFontMetrics& metrics) {
    const int boxHeight = std::min(list.sizeHint().height(), openedRect.height());
    list.setGeometry(openedRect.x(), openedRect.y(), openedRect.width(), boxHeight);
    const int rowHeight = std::max(1, metrics.height());
    list.setMaxVisibleItems(std::max(1, (openedRect.height() - boxHeight) / rowHeight));
}

class ControlBuilder {
public:
    ControlBuilder(QWidget& window, const DialogUnits& units, ControlMap& controls)
        : window_(window), units_(units), controls_(controls), metrics_(window.font()) {}

    void add(int id, ControlKind kind, std::string_view caption, const DialogRect& rect,
             const QString& accessibleName) {
        QWidget* widget = makeControl(&window_, kind, toQString(caption), metrics_);
        widget->setAccessibleName(accessibleName);
        const QRect pixels = units_.toPixels(rect);
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            placeDropDownList(*list, pixels, metrics_);
        } else {
            widget->setGeometry(pixels);
        }
        if (id != kNoControlId) {
            controls_.add(id, widget);
        }
    }

private:
    QWidget& window_;
    const DialogUnits& units_;
    ControlMap& controls_;
    QFontMetrics metrics_;
};

void fillLists(const ControlMap& controls) {
    for (const ListFill& fill : kListFills) {
        auto* list = qobject_cast<QComboBox*>(controls.find(fill.id));
        if (list == nullptr) {
            continue;
        }
        for (std::string_view entry : fill.entries) {
            list->addItem(toQString(entry));
        }
    }
}

void setLabelBuddies(const ControlMap& controls) {
    for (const LabelBuddy& pair : kLabelBuddies) {
        auto* label = qobject_cast<QLabel*>(controls.find(pair.label));
        QWidget* control = controls.find(pair.control);
        if (label != nullptr && control != nullptr) {
            label->setBuddy(control);
        }
    }
}

void setTabOrder(const ControlMap& controls) {
    for (std::size_t i = 1; i < kTabOrder.size(); ++i) {
        QWidget* before = controls.find(kTabOrder[i - 1]);
        QWidget* after = controls.find(kTabOrder[i]);
        if (before != nullptr && after != nullptr) {
            QWidget::setTabOrder(before, after);
        }
    }
}

} // namespace

QString twoLineCaption(const QString& caption, const QFontMetrics& metrics) {
    QString best = caption;
    int bestWidth = -1;
    for (qsizetype blank = caption.indexOf(u' '); blank >= 0;
         blank = caption.indexOf(u' ', blank + 1)) {
        const QString first = caption.left(blank);
        const QString second = caption.mid(blank + 1);
        const int width =
            std::max(metrics.horizontalAdvance(first), metrics.horizontalAdvance(second));
        if (bestWidth < 0 || width < bestWidth) {
            bestWidth = width;
            best = first + u'\n' + second;
        }
    }
    return best;
}

QString rowAccessibleName(int row, std::string_view columnName) {
    return QStringLiteral("Row %1 %2").arg(row).arg(toQString(columnName));
}

void buildSheetControls(QWidget& window, const DialogUnits& units, ControlMap& controls) {
    ControlBuilder builder(window, units, controls);
    for (const FixedControl& control : kFixedControls) {
        builder.add(control.id, control.kind, control.caption, control.rect,
                    toQString(control.accessibleName));
    }
    for (const RowLayout& row : kRowLayouts) {
        for (const RowColumnLayout& column : kRowColumns) {
            if (rowHasColumn(row, column.column)) {
                builder.add(rowCell(row, column.column).id, column.kind, column.caption,
                            rowControlRect(row, column),
                            rowAccessibleName(row.row, column.accessibleName));
            }
        }
    }
    fillLists(controls);
    setLabelBuddies(controls);
    setTabOrder(controls);
}

RowDiskNames rowDiskNames() {
    RowDiskNames names{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        for (const ListFill& fill : kListFills) {
            if (fill.id == kRowLayouts[i].diskType.id) {
                names[i] = fill.entries;
            }
        }
    }
    return names;
}

} // namespace brim
