#include "capacity_window.h"

#include "application.h"
#include "capacity_table.h"
#include "catalogue.h"
#include "dialog_units.h"
#include "qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <string_view>

namespace brim {
namespace {

constexpr char kTitle[] = "Size for Capacity";

struct UnitEntry {
    std::string_view text;
    CapacityUnit unit;
};
inline constexpr std::array<UnitEntry, 2> kUnits{
    {{"GB", CapacityUnit::Gb}, {"TB", CapacityUnit::Tb}}};
// Planners think of arrays in TB.
inline constexpr int kDefaultUnit = 1;

// The entry's position is the number of failed disks per group that a layout must survive.
inline constexpr std::array<std::string_view, 3> kFailureFilters{
    "0 failed disks per group", "1 failed disk per group", "2 failed disks per group"};

// The table shows this many lines before it scrolls, when the window opens.
constexpr int kVisibleLines = 14;

QString alreadyReachedNotice(const SheetBaseline& baseline) {
    return QStringLiteral("The sheet already gives %1 TB.")
        .arg(QString::fromStdString(formatCapacity(tibFromMib(baseline.netTotalMib))).trimmed());
}

// The one case where the rules accept no layout at all for a valid target.
QString noLayoutNotice(int modelIndex) {
    return QStringLiteral("ATA disks may not hold the vault on the %1: pick another disk type.")
        .arg(toQString(Catalogue::modelName(modelIndex)));
}

QLabel* buddyLabel(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CapacityAnswer answerCapacityRequest(const CapacityRequest& request) {
    CapacityAnswer answer;
    const QByteArray text = request.targetText.toUtf8();
    const TargetParse target = parseCapacityTarget(
        std::string_view(text.constData(), static_cast<size_t>(text.size())), request.unit);
    if (!target.mib) {
        answer.notice = toQString(target.refusal);
        return answer;
    }
    const SheetBaseline baseline = request.baseline.value_or(SheetBaseline{});
    answer.sizing = sizeForCapacity(request.modelIndex, request.diskType, request.includesVault,
                                    *target.mib, baseline);
    if (answer.sizing.alreadyReached) {
        answer.notice = alreadyReachedNotice(baseline);
    } else if (answer.sizing.count == 0) {
        answer.notice = noLayoutNotice(request.modelIndex);
    }
    return answer;
}

CapacityWindow::CapacityWindow(const ConfigSheet& sheet, RowCommands& commands, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      sheet_(sheet), commands_(commands), freeRow_(commands.firstFreeRow()),
      sheetBaseline_(holdsComputedResults(sheet) ? sheetBaseline(sheet) : std::nullopt) {
    setWindowTitle(QString::fromLatin1(kTitle));
    setWindowIcon(programIcon());
    setFont(parent ? parent->font() : dialogFont());
    buildControls();
    layOut();
    sizeColumns();
    connectInputs();
    refresh();
    capacityField_->setFocus(Qt::OtherFocusReason);
}

CapacityWindow::~CapacityWindow() = default;

void CapacityWindow::buildControls() {
    modelLabel_ = new QLabel(
        QStringLiteral("Array model: %1").arg(toQString(Catalogue::modelName(sheet_.modelIndex))),
        this);

    capacityField_ = new QLineEdit(this);
    capacityField_->setObjectName(QStringLiteral("capacity"));
    capacityField_->setAccessibleName(QStringLiteral("Usable capacity"));

    unitList_ = new QComboBox(this);
    unitList_->setObjectName(QStringLiteral("unit"));
    unitList_->setAccessibleName(QStringLiteral("Capacity unit"));
    for (const UnitEntry& entry : kUnits) {
        unitList_->addItem(toQString(entry.text));
    }
    unitList_->setCurrentIndex(kDefaultUnit);

    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("notice"));
    notice_->setTextFormat(Qt::PlainText);
    // One line kept free for it, so that nothing below moves while the planner types.
    notice_->setMinimumHeight(notice_->fontMetrics().height());

    diskList_ = new QComboBox(this);
    diskList_->setObjectName(QStringLiteral("diskType"));
    diskList_->setAccessibleName(QStringLiteral("Disk type"));
    fillDiskTypes();

    addToSheet_ = new QCheckBox(QStringLiteral("Add to the current sheet"), this);
    addToSheet_->setObjectName(QStringLiteral("addToSheet"));
    addToSheet_->setAccessibleName(QStringLiteral("Add to the current sheet"));
    addToSheet_->setEnabled(sheetBaseline_.has_value());

    failuresList_ = new QComboBox(this);
    failuresList_->setObjectName(QStringLiteral("failures"));
    failuresList_->setAccessibleName(QStringLiteral("Survives at least"));
    for (std::string_view text : kFailureFilters) {
        failuresList_->addItem(toQString(text));
    }

    rowNote_ = new QLabel(rowNote(), this);
    rowNote_->setWordWrap(true);
    rowNote_->setTextFormat(Qt::PlainText);

    lines_ = new CapacityTableModel(this);
    shownLines_ = new CapacityLinesProxy(this);
    shownLines_->setSourceModel(lines_);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("layouts"));
    table_->setAccessibleName(QStringLiteral("Layouts"));
    table_->setModel(shownLines_);
    table_->setItemDelegateForColumn(static_cast<int>(CapacityColumn::Efficiency),
                                     new EfficiencyBarDelegate(table_));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // No heading clicked yet: the lines keep the core's order until the planner picks one.
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table_->setSortingEnabled(true);

    putInRow_ = new QPushButton(QStringLiteral("Put in Row"), this);
    putInRow_->setObjectName(QStringLiteral("putInRow"));
    close_ = new QPushButton(QStringLiteral("Close"), this);
    close_->setObjectName(QStringLiteral("close"));
}

// The disk types that the model's family offers, under the family's report names, in catalogue
// order; each keeps its catalogue index. The row to be filled keeps its disk type if offered.
void CapacityWindow::fillDiskTypes() {
    for (int disk = 0; disk < static_cast<int>(kDiskTypes.size()); ++disk) {
        if (usableDiskKib(sheet_.modelIndex, disk, false) != 0) {
            diskList_->addItem(toQString(Catalogue::diskReportName(disk, sheet_.modelIndex)), disk);
        }
    }
    if (freeRow_ != 0) {
        const int rowDisk = sheet_.rows[static_cast<size_t>(freeRow_ - 1)].diskType;
        diskList_->setCurrentIndex(std::max(0, diskList_->findData(rowDisk)));
    }
}

void CapacityWindow::layOut() {
    auto* capacityLine = new QHBoxLayout;
    capacityLine->addWidget(capacityField_, 1);
    capacityLine->addWidget(unitList_);

    auto* inputs = new QFormLayout;
    inputs->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    inputs->addRow(buddyLabel("&Usable capacity:", capacityField_, this), capacityLine);
    inputs->addRow(QString(), notice_);
    inputs->addRow(buddyLabel("&Disk type:", diskList_, this), diskList_);
    inputs->addRow(QString(), addToSheet_);
    inputs->addRow(buddyLabel("&Survives at least:", failuresList_, this), failuresList_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(putInRow_);
    buttons->addWidget(close_);

    auto* window = new QVBoxLayout(this);
    window->addWidget(modelLabel_);
    window->addLayout(inputs);
    window->addWidget(rowNote_);
    window->addWidget(table_, 1);
    window->addLayout(buttons);

    setTabOrder(capacityField_, unitList_);
    setTabOrder(unitList_, diskList_);
    setTabOrder(diskList_, addToSheet_);
    setTabOrder(addToSheet_, failuresList_);
    setTabOrder(failuresList_, table_);
    setTabOrder(table_, putInRow_);
    setTabOrder(putInRow_, close_);
}

// Widths are set once, from the headings and the widest figures, so that no column jumps or
// cuts its text while the planner types.
void CapacityWindow::sizeColumns() {
    QHeaderView* header = table_->horizontalHeader();
    const QFontMetrics metrics(table_->font());
    const int padding = 2 * metrics.horizontalAdvance(QLatin1Char('0'));
    int tableWidth = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < kCapacityColumnCount; ++column) {
        const int width =
            std::max(header->sectionSizeHint(column),
                     metrics.horizontalAdvance(capacityColumnWidestText(column)) + padding);
        header->resizeSection(column, width);
        tableWidth += width;
    }
    header->setStretchLastSection(true);
    table_->verticalHeader()->setDefaultSectionSize(metrics.height() + metrics.height() / 2);
    table_->setMinimumWidth(tableWidth);
    const int linesHeight = kVisibleLines * table_->verticalHeader()->defaultSectionSize();
    table_->setMinimumHeight(header->sizeHint().height() + linesHeight / 2);
    resize(sizeHint().width(), sizeHint().height() + linesHeight / 2);
}

void CapacityWindow::connectInputs() {
    connect(capacityField_, &QLineEdit::textChanged, this, [this] { refresh(); });
    connect(unitList_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(diskList_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(addToSheet_, &QCheckBox::toggled, this, [this] { refresh(); });
    connect(failuresList_, &QComboBox::currentIndexChanged, this, [this] { applyFailureFilter(); });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updatePutButton(); });
    connect(table_, &QAbstractItemView::doubleClicked, this, [this] { putSelectedLayout(); });
    connect(putInRow_, &QPushButton::clicked, this, [this] { putSelectedLayout(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}

CapacityRequest CapacityWindow::request() const {
    CapacityRequest request;
    request.modelIndex = sheet_.modelIndex;
    request.diskType = diskList_->currentData().toInt();
    request.includesVault =
        freeRow_ != 0 && rowHoldsVault(sheet_, static_cast<size_t>(freeRow_ - 1));
    request.targetText = capacityField_->text();
    request.unit = kUnits[static_cast<size_t>(std::max(0, unitList_->currentIndex()))].unit;
    if (addToSheet_->isEnabled() && addToSheet_->isChecked()) {
        request.baseline = sheetBaseline_;
    }
    return request;
}

void CapacityWindow::refresh() {
    const CapacityAnswer answer = answerCapacityRequest(request());
    lines_->setLayouts(answer.sizing);
    notice_->setText(answer.notice);
    selectFirstLine();
}

void CapacityWindow::applyFailureFilter() {
    shownLines_->setMinimumFailures(std::max(0, failuresList_->currentIndex()));
    selectFirstLine();
}

void CapacityWindow::selectFirstLine() {
    if (shownLines_->rowCount() > 0) {
        table_->selectionModel()->setCurrentIndex(shownLines_->index(0, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
        table_->scrollToTop();
    }
    updatePutButton();
}

std::optional<int> CapacityWindow::selectedLine() const {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return std::nullopt;
    }
    return shownLines_->mapToSource(rows.front()).row();
}

// Put in Row is the default button, which Enter presses, only while it can do something.
void CapacityWindow::updatePutButton() {
    const std::optional<int> line = selectedLine();
    const bool usable = line && CapacityTableModel::fits(lines_->layoutAt(*line));
    putInRow_->setEnabled(usable);
    putInRow_->setDefault(usable);
}

// With every row in use the command says so and changes nothing; the window stays, so that the
// planner can close it and clear a row.
void CapacityWindow::putSelectedLayout() {
    const std::optional<int> line = selectedLine();
    if (!line || !putInRow_->isEnabled()) {
        return;
    }
    const SizedLayout& layout = lines_->layoutAt(*line);
    const GroupLayout group{diskList_->currentData().toInt(), layout.raidType, layout.disksPerGroup,
                            *layout.groupCount};
    if (commands_.putInFirstFreeRow(group)) {
        accept();
    }
}

QString CapacityWindow::rowNote() const {
    if (freeRow_ == 0) {
        return QStringLiteral("Every row has groups: clear one in the main window to put a "
                              "layout in.");
    }
    if (rowHoldsVault(sheet_, static_cast<size_t>(freeRow_ - 1))) {
        return QStringLiteral("Put in Row fills row %1, which holds the vault disks: the figures "
                              "allow for the vault reservation.")
            .arg(freeRow_);
    }
    return QStringLiteral("Put in Row fills row %1.").arg(freeRow_);
}

} // namespace brim
