#include "ui/capacity_window.h"

#include "commands/capacity_texts.h"
#include "core/catalogue.h"
#include "ui/application.h"
#include "ui/capacity_table.h"
#include "ui/dialog_units.h"
#include "ui/planner_widgets.h"
#include "ui/planner_window.h"
#include "ui/qt_text.h"
#include "ui/sheet_controls.h"
#include "ui/window_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <span>
#include <string_view>

namespace brim {
namespace {

// The table shows this many lines when the window opens and the screen has room; never fewer
// than the second number.
constexpr int kVisibleLines = 14;
constexpr int kFewestVisibleLines = 3;

std::string_view viewOf(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

template <typename Widget>
Widget* named(Widget* widget, const char* name, std::string_view accessibleName = {}) {
    widget->setObjectName(QString::fromLatin1(name));
    if (!accessibleName.empty()) {
        widget->setAccessibleName(toQString(accessibleName));
    }
    return widget;
}

QComboBox* list(std::span<const std::string_view> entries, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (std::string_view entry : entries) {
        box->addItem(toQString(entry));
    }
    return box;
}

} // namespace

CapacityWindow::CapacityWindow(const ConfigSheet& sheet, RowCommands& commands,
                               CapacityChoices& choices, PlanningAssumptions& planning,
                               QWidget* parent)
    : QDialog(parent, kPlannerWindowFlags), planner_(sheet, commands, rowDiskNames(), planning),
      choices_(choices) {
    setUpPlannerWindow(*this, CapacityWords::kTitle);
    buildControls();
    layOut();
    sizeToFit();
    connectInputs();
    refresh();
    capacityField_->setFocus(Qt::OtherFocusReason);
}

CapacityWindow::~CapacityWindow() = default;

// Each list opens on the choice kept from the last window.
void CapacityWindow::buildControls() {
    modelLabel_ = modelLine(planner_.modelIndex(), this);
    capacityField_ = named(new QLineEdit(this), "capacity", CapacityWords::kCapacityName);
    unitList_ = named(list(kCapacityUnitTexts, this), "unit", CapacityWords::kUnitName);
    unitList_->setCurrentIndex(static_cast<int>(choices_.unit));
    notice_ = noteLine("notice", 1, this);

    diskList_ = named(new QComboBox(this), "diskType", CapacityWords::kDiskTypeName);
    for (const DiskChoice& choice : planner_.diskChoices()) {
        diskList_->addItem(toQString(choice.name), choice.diskType);
    }
    diskList_->setCurrentIndex(
        std::max(0, diskList_->findData(planner_.openingDiskType(choices_))));
    addToSheet_ = named(new QCheckBox(toQString(CapacityWords::kAddToSheet), this), "addToSheet",
                        CapacityWords::kAddToSheet);
    addToSheet_->setEnabled(planner_.canAddToSheet());
    failuresList_ = named(list(kFailureFilters, this), "failures", CapacityWords::kFailuresName);
    failuresList_->setCurrentIndex(
        std::clamp(choices_.minimumFailures, 0, static_cast<int>(kFailureFilters.size()) - 1));
    hostIopsField_ = named(new QLineEdit(QString::fromStdString(choices_.hostIopsText), this),
                           "hostIops", CapacityWords::kHostIopsName);
    readPercentField_ =
        named(new QLineEdit(QString::fromStdString(planner_.readPercentText()), this),
              "readPercent", CapacityWords::kReadsName);
    mbpsField_ = named(new QLineEdit(QString::fromStdString(choices_.mbpsText), this), "mbps",
                       CapacityWords::kMbpsName);
    // "100" and a digit to spare: the field needs no more room than that.
    readPercentField_->setMaximumWidth(
        readPercentField_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) +
        2 * readPercentField_->fontMetrics().height());
    workloadNotice_ = noteLine("workloadNotice", 1, this);

    rowNote_ = named(new QLabel(QString::fromStdString(rowNoteText(planner_)), this), "rowNote");
    rowNote_->setWordWrap(true);
    rowNote_->setTextFormat(Qt::PlainText);
    sheetFigure_ = noteLine("sheetFigure", 1, this);
    table_ = named(new CapacityTableView(this), "layouts", CapacityWords::kLayoutsName);
    table_->setHiddenColumns(choices_.hiddenColumns);
    lossLimitField_ = named(new QLineEdit(QString::fromStdString(choices_.maxLossText), this),
                            "maxLoss", CapacityWords::kLossLimitName);
    // Room for the widest limit, "100.00", and no more.
    lossLimitField_->setMaximumWidth(
        lossLimitField_->fontMetrics().horizontalAdvance(QStringLiteral("000.00")) +
        2 * lossLimitField_->fontMetrics().height());
    lossLimitNote_ = noteLine("maxLossNote", 1, this);
    lossLimitNote_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter); // level with the field's text
    assumption_ = noteLine("assumption", 1, this);
    putInRow_ = named(new QPushButton(toQString(CapacityWords::kPutInRow), this), "putInRow");
    close_ = named(new QPushButton(toQString(CapacityWords::kClose), this), "close");
}

void CapacityWindow::layOut() {
    auto* capacityLine = new QHBoxLayout;
    capacityLine->addWidget(capacityField_, 1);
    capacityLine->addWidget(unitList_);

    auto* inputs = new QFormLayout;
    inputs->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    inputs->addRow(buddyLabel(CapacityWords::kCapacityLabel, capacityField_, this), capacityLine);
    inputs->addRow(QString(), notice_);
    inputs->addRow(buddyLabel(CapacityWords::kDiskTypeLabel, diskList_, this), diskList_);
    inputs->addRow(QString(), addToSheet_);
    inputs->addRow(buddyLabel(CapacityWords::kFailuresLabel, failuresList_, this), failuresList_);

    // The workload on one line: the three fields are read together, as one mix.
    auto* workloadLine = new QHBoxLayout;
    workloadLine->addWidget(hostIopsField_, 1);
    workloadLine->addWidget(buddyLabel(CapacityWords::kReadsLabel, readPercentField_, this));
    workloadLine->addWidget(readPercentField_);
    workloadLine->addWidget(buddyLabel(CapacityWords::kMbpsLabel, mbpsField_, this));
    workloadLine->addWidget(mbpsField_, 1);
    inputs->addRow(buddyLabel(CapacityWords::kHostIopsLabel, hostIopsField_, this), workloadLine);
    inputs->addRow(QString(), workloadNotice_);

    // Under the table it filters, the note beside it saying what it hides.
    auto* lossLimitLine = new QHBoxLayout;
    lossLimitLine->addWidget(buddyLabel(CapacityWords::kLossLimitLabel, lossLimitField_, this));
    lossLimitLine->addWidget(lossLimitField_);
    lossLimitLine->addWidget(lossLimitNote_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(putInRow_);
    buttons->addWidget(close_);

    auto* window = new QVBoxLayout(this);
    window->addWidget(modelLabel_);
    window->addLayout(inputs);
    window->addWidget(rowNote_);
    window->addWidget(sheetFigure_);
    window->addWidget(table_, 1);
    window->addLayout(lossLimitLine);
    window->addWidget(assumption_);
    window->addLayout(buttons);

    const std::array<QWidget*, 12> tabOrder{
        capacityField_,    unitList_,  diskList_, addToSheet_,     failuresList_, hostIopsField_,
        readPercentField_, mbpsField_, table_,    lossLimitField_, putInRow_,     close_};
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}

// The window opens wide enough for every column and tall enough for a screenful of lines when
// the screen has room; otherwise the table scrolls sideways and the buttons stay on screen.
void CapacityWindow::sizeToFit() {
    const QSize tableWanted = table_->sizeFor(kVisibleLines);
    table_->setMinimumSize(table_->sizeFor(kFewestVisibleLines)
                               .boundedTo(QSize(tableWanted.width() / 3, tableWanted.height())));
    const QSize wanted = sizeHint() - table_->minimumSize() + tableWanted;
    const std::optional<QSize> room = roomOnScreen(*this);
    resize((room ? wanted.boundedTo(*room) : wanted).expandedTo(minimumSizeHint()));
}

// A choice is kept when the planner makes it, not when the window opens on it: an untouched
// disk list goes on following the free row.
void CapacityWindow::connectInputs() {
    connect(capacityField_, &QLineEdit::textChanged, this, [this] { refresh(); });
    connect(unitList_, &QComboBox::currentIndexChanged, this, [this] {
        choices_.unit = unit();
        refresh();
    });
    connect(diskList_, &QComboBox::currentIndexChanged, this, [this] {
        choices_.diskType = diskType();
        refresh();
    });
    connect(addToSheet_, &QCheckBox::toggled, this, [this] { refresh(); });
    connect(failuresList_, &QComboBox::currentIndexChanged, this, [this] {
        choices_.minimumFailures = minimumFailures();
        refresh();
    });
    connect(hostIopsField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        choices_.hostIopsText = text.toStdString();
        refresh();
    });
    connect(readPercentField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        planner_.typeReadPercent(viewOf(text.toUtf8()));
        refresh();
    });
    connect(mbpsField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        choices_.mbpsText = text.toStdString();
        refresh();
    });
    connect(lossLimitField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        choices_.maxLossText = text.toStdString();
        refresh();
    });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updatePutButton(); });
    connect(table_, &CapacityTableView::hiddenColumnsChanged, this,
            [this] { choices_.hiddenColumns = table_->hiddenColumns(); });
    connect(table_, &QAbstractItemView::doubleClicked, this, [this] { putSelectedLayout(); });
    connect(putInRow_, &QPushButton::clicked, this, [this] { putSelectedLayout(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}

CapacityUnit CapacityWindow::unit() const {
    return static_cast<CapacityUnit>(std::max(0, unitList_->currentIndex()));
}

int CapacityWindow::diskType() const {
    return diskList_->currentData().toInt();
}

int CapacityWindow::minimumFailures() const {
    return std::max(0, failuresList_->currentIndex());
}

void CapacityWindow::refresh() {
    const QByteArray target = capacityField_->text().toUtf8();
    const CapacityRequest request{viewOf(target),
                                  unit(),
                                  diskType(),
                                  minimumFailures(),
                                  addToSheet_->isChecked(),
                                  choices_.hostIopsText,
                                  choices_.mbpsText,
                                  choices_.maxLossText};
    const CapacityAnswer answer = planner_.answer(request);
    table_->setLines(answer.lines);
    notice_->setText(
        QString::fromStdString(noticeText(answer, request.unit, planner_.modelIndex())));
    workloadNotice_->setText(toQString(answer.workloadRefusal));
    lossLimitNote_->setText(QString::fromStdString(lossLimitNoteText(answer)));
    sheetFigure_->setText(QString::fromStdString(sheetFigureText(answer, request.unit)));
    assumption_->setText(QString::fromStdString(planner_.assumptionText(request.diskType)));
    updatePutButton();
}

// Put in Row is the default button, which Enter presses, only while it can do something;
// otherwise Enter does nothing.
void CapacityWindow::updatePutButton() {
    const bool usable = planner_.canPut() && table_->selectedLayout() != nullptr;
    putInRow_->setEnabled(usable);
    putInRow_->setDefault(usable);
}

void CapacityWindow::putSelectedLayout() {
    const SizedLayout* line = table_->selectedLayout();
    if (line && putInRow_->isEnabled() && planner_.put(*line)) {
        accept();
    }
}

} // namespace brim
