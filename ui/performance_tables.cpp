#include "ui/performance_tables.h"

#include "commands/figure_words.h"
#include "commands/performance_table_text.h"
#include "commands/performance_texts.h"
#include "ui/planner_widgets.h"
#include "ui/qt_text.h"
#include "ui/table_copy.h"

#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>
#include <algorithm>
#include <array>

namespace brim {
namespace {

QVariant alignment(bool numeric) {
    return QVariant::fromValue(Qt::AlignVCenter | (numeric ? Qt::AlignRight : Qt::AlignLeft));
}

QVariant heading(std::span<const TextColumn> columns, int section, Qt::Orientation orientation,
                 int role) {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        static_cast<std::size_t>(section) >= columns.size()) {
        return {};
    }
    return toQString(columns[static_cast<std::size_t>(section)].heading);
}

QString sample(std::span<const TextColumn> columns, int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= columns.size()) {
        return {};
    }
    return toQString(columns[static_cast<std::size_t>(column)].sample);
}

bool isNumeric(std::span<const TextColumn> columns, int column) {
    return column >= 0 && static_cast<std::size_t>(column) < columns.size() &&
           columns[static_cast<std::size_t>(column)].numeric;
}

bool isGrouped(std::span<const TextColumn> columns, int column) {
    return column >= 0 && static_cast<std::size_t>(column) < columns.size() &&
           columns[static_cast<std::size_t>(column)].grouped;
}

// Widths are set once, from the headings and the sample texts (figures in the total line's
// bold, counts and costs with their digits grouped, as drawn), so that no column jumps or cuts its
// text while the planner types; the table is as tall as `lines` lines.
template <typename Model> void fitColumns(QTableView& table, const Model& model, int lines) {
    QHeaderView* header = table.horizontalHeader();
    const QFontMetrics plain(table.font());
    QFont bold = table.font();
    bold.setBold(true);
    const QFontMetrics figures(bold);
    // The margins a cell keeps either side of its text, and the grid line.
    const int margin = table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &table);
    const int padding = 2 * (margin + 1) + 2;
    int width = 2 * table.frameWidth();
    for (int column = 0; column < model.columnCount(); ++column) {
        const QFontMetrics& metrics = model.numeric(column) ? figures : plain;
        const QString sample =
            model.grouped(column)
                ? groupedOnScreen(model.sampleText(column).toStdString(), table.locale())
                : model.sampleText(column);
        const int columnWidth =
            std::max(header->sectionSizeHint(column), metrics.horizontalAdvance(sample) + padding);
        header->resizeSection(column, columnWidth);
        width += columnWidth;
    }
    header->setStretchLastSection(true);
    const int lineHeight = figures.height() + figures.height() / 3;
    table.verticalHeader()->setDefaultSectionSize(lineHeight);
    table.setMinimumWidth(width);
    const int headings = header->isHidden() ? 0 : header->sizeHint().height();
    table.setFixedHeight(2 * table.frameWidth() + headings + lines * lineHeight);
}

} // namespace

QTableView* linesView(const char* name, std::string_view accessibleName, QWidget* parent,
                      const QTableView* pinnedBelow) {
    auto* table = new QTableView(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setAccessibleName(toQString(accessibleName));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    // Its columns fit their widest texts: a scroll bar would only move the last one.
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setHighlightSections(false);
    table->setItemDelegate(new PlannerCellDelegate(table));
    addTableCopyKeys(*table, pinnedBelow);
    return table;
}

void pinTotalBelow(QTableView& total, QTableView& lines) {
    total.setModel(lines.model());
    total.setSelectionModel(lines.selectionModel());
    total.horizontalHeader()->hide();
    total.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    total.setFocusPolicy(Qt::ClickFocus);
    total.setFocusProxy(&lines);
}

void showTotalPinned(QTableView& lines, QTableView& total) {
    const int last = lines.model()->rowCount() - 1;
    for (int line = 0; line <= last; ++line) {
        lines.setRowHidden(line, line == last);
        total.setRowHidden(line, line != last);
    }
}

void fitTable(QTableView& table, const TextLinesModel& model, int lines) {
    fitColumns(table, model, lines);
}

void fitTable(QTableView& table, const DiskFiguresModel& model, int lines) {
    fitColumns(table, model, lines);
}

TextLinesModel::TextLinesModel(std::span<const TextColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(columns) {}

void TextLinesModel::linesChanged() {
    const int lines = static_cast<int>(lineCount());
    if (lines == shownLines_) {
        if (lines != 0) {
            emit dataChanged(index(0, 0), index(lines - 1, columnCount() - 1));
        }
        return;
    }
    beginResetModel();
    shownLines_ = lines;
    endResetModel();
}

QString TextLinesModel::sampleText(int column) const {
    return sample(columns_, column);
}

bool TextLinesModel::numeric(int column) const {
    return isNumeric(columns_, column);
}

bool TextLinesModel::grouped(int column) const {
    return isGrouped(columns_, column);
}

int TextLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownLines_;
}

int TextLinesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TextLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shownLines_ || index.column() >= columnCount()) {
        return {};
    }
    const auto line = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return toQString(cellText(line, column));
    case Qt::TextAlignmentRole:
        return alignment(numeric(index.column()));
    case kGroupDigitsRole:
        return grouped(index.column());
    case Qt::FontRole:
        if (index.row() == shownLines_ - 1) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

QVariant TextLinesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const QVariant text = heading(columns_, section, orientation, role);
    return text.isValid() ? text : QAbstractTableModel::headerData(section, orientation, role);
}

PerformanceLinesModel::PerformanceLinesModel(const SheetPerformancePlan& plan, QObject* parent)
    : TextLinesModel(kSheetLineColumns, parent), plan_(plan) {
    linesChanged();
}

bool PerformanceLinesModel::brokenRule(int line) const {
    const auto& lines = plan_.performanceLines();
    return line >= 0 && static_cast<std::size_t>(line) < lines.size() &&
           lines[static_cast<std::size_t>(line)].brokenRule;
}

std::size_t PerformanceLinesModel::lineCount() const {
    return plan_.performanceLines().size();
}

std::string_view PerformanceLinesModel::cellText(std::size_t line, std::size_t column) const {
    return plan_.performanceLines()[line].cells[column];
}

OrderLinesModel::OrderLinesModel(const SheetPerformancePlan& plan, QObject* parent)
    : TextLinesModel(kOrderLineColumns, parent), plan_(plan) {
    linesChanged();
}

std::size_t OrderLinesModel::lineCount() const {
    return plan_.orderLines().size();
}

std::string_view OrderLinesModel::cellText(std::size_t line, std::size_t column) const {
    return plan_.orderLines()[line][column];
}

DiskFiguresModel::DiskFiguresModel(SheetPerformancePlan& plan, QObject* parent)
    : QAbstractTableModel(parent), plan_(plan) {}

void DiskFiguresModel::restoreDefaults() {
    plan_.restoreDefaults();
    if (rowCount() != 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
    emit figureTyped();
}

// The disk type's name, then a column a figure.
std::optional<DiskFigure> DiskFiguresModel::figureOf(int column) {
    return column <= 0 ? std::nullopt : std::optional(static_cast<DiskFigure>(column - 1));
}

QString DiskFiguresModel::sampleText(int column) const {
    const std::optional<DiskFigure> figure = figureOf(column);
    return QString::fromStdString(figure ? plan_.widestFigureText(*figure)
                                         : plan_.widestDiskTypeName());
}

bool DiskFiguresModel::numeric(int column) const {
    return figureOf(column).has_value();
}

int DiskFiguresModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(plan_.diskTypes().size());
}

int DiskFiguresModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kFigureColumnCount);
}

QVariant DiskFiguresModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const int diskType = plan_.diskTypes()[static_cast<std::size_t>(index.row())].diskType;
    const std::optional<DiskFigure> figure = figureOf(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(figureCellText(plan_, static_cast<std::size_t>(index.row()),
                                                     static_cast<std::size_t>(index.column())));
    case Qt::EditRole:
        return figure ? QString::fromStdString(plan_.figureEditText(diskType, *figure))
                      : QVariant();
    case Qt::TextAlignmentRole:
        return alignment(numeric(index.column()));
    default:
        return {};
    }
}

QVariant DiskFiguresModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columnCount()) {
        return toQString(figureColumnHeading(static_cast<std::size_t>(section)));
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DiskFiguresModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && figureOf(index.column())) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool DiskFiguresModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    const int diskType = plan_.diskTypes()[static_cast<std::size_t>(index.row())].diskType;
    const QByteArray text = value.toString().toUtf8();
    const bool taken =
        plan_.setFigure(diskType, *figureOf(index.column()),
                        std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    if (taken) {
        emit dataChanged(index, index);
    }
    emit figureTyped();
    return taken;
}

} // namespace brim
