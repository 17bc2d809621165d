#include "ui/growth_window.h"

#include "commands/figure_words.h"
#include "ui/growth_chart.h"
#include "ui/growth_table.h"
#include "ui/planner_widgets.h"
#include "ui/planner_window.h"
#include "ui/qt_text.h"
#include "ui/sheet_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

namespace brim {
namespace {

// The fields stand in two columns: the growth and the plan's shape on the left, the money and
// the power on the right, each read down in Tab order.
// The left column holds Usable TB needed today to the installed box.
constexpr int kLeftColumnLines = static_cast<int>(GrowthFigure::Installed) + 1;

bool hasTextField(GrowthFigure figure) noexcept {
    return figure != GrowthFigure::GrowDefinition && figure != GrowthFigure::Installed;
}

// A field as wide as the widest figure it takes, a sign included, and a little more.
QLineEdit* figureField(GrowthFigure figure, QWidget* parent) {
    const GrowthFigureWords& words = figureWords(figure);
    const FigureRule& rule = figureRule(figure).rule;
    auto* field = new QLineEdit(parent);
    field->setObjectName(toQString(words.fieldName));
    field->setAccessibleName(toQString(words.accessibleName));
    const auto widest = std::max(figureEditText(rule, rule.range.highest).size(),
                                 figureEditText(rule, rule.range.lowest).size());
    const QFontMetrics metrics(field->font());
    field->setFixedWidth(metrics.horizontalAdvance(QString(static_cast<int>(widest) + 2, u'0')) +
                         8);
    return field;
}

// A note that keeps a line of room and wraps onto more when it has more to say.
QLabel* wrappedNote(const char* name, QWidget* parent) {
    QLabel* note = noteLine(name, 1, parent);
    note->setWordWrap(true);
    return note;
}

QString joined(const std::vector<std::string>& lines) {
    QStringList texts;
    for (const std::string& line : lines) {
        texts.append(QString::fromStdString(line));
    }
    return texts.join(u'\n');
}

} // namespace

GrowthWindow::GrowthWindow(const ConfigSheet& sheet, PlanningAssumptions& planning,
                           StatedWorkload workload, KeptPlans& plans, GrowthChoices& choices,
                           QWidget* parent)
    : QDialog(parent, kPlannerWindowFlags), planner_(sheet, planning, workload, rowDiskNames()),
      plans_(plans), choices_(choices) {
    setUpPlannerWindow(*this, GrowthWords::kTitle);
    buildControls();
    layOut();
    setTabOrder();
    connectInputs();
    showSchedule();
    fields_.front()->setFocus(Qt::OtherFocusReason);
}

GrowthWindow::~GrowthWindow() = default;

void GrowthWindow::buildControls() {
    modelLabel_ = modelLine(planner_.modelIndex(), this);
    for (const GrowthFigure figure : allFigures<GrowthFigure>()) {
        if (hasTextField(figure)) {
            QLineEdit* field = figureField(figure, this);
            field->setText(QString::fromStdString(planner_.fieldText(figure)));
            fields_[static_cast<std::size_t>(figure)] = field;
        }
    }
    const GrowthFigureWords& definition = figureWords(GrowthFigure::GrowDefinition);
    definitionList_ = new QComboBox(this);
    definitionList_->setObjectName(toQString(definition.fieldName));
    definitionList_->setAccessibleName(toQString(definition.accessibleName));
    for (const std::string& text : planner_.definitionTexts()) {
        definitionList_->addItem(QString::fromStdString(text));
    }
    definitionList_->setCurrentIndex(static_cast<int>(planner_.definitionIndex()));
    const GrowthFigureWords& installed = figureWords(GrowthFigure::Installed);
    installedBox_ = new QCheckBox(toQString(installed.label), this);
    installedBox_->setObjectName(toQString(installed.fieldName));
    installedBox_->setAccessibleName(toQString(installed.accessibleName));
    installedBox_->setChecked(planner_.installed());

    refusal_ = noteLine("refusal", 1, this);
    workload_ = noteLine("workload", 1, this);
    growthRow_ = wrappedNote("growthRow", this);
    table_ = new GrowthTableView(planner_, this);
    table_->setObjectName(QStringLiteral("schedule"));
    table_->setAccessibleName(toQString(GrowthWords::kTableName));
    table_->setShownColumns(choices_.shownColumns);
    runOut_ = noteLine("runOut", 1, this);
    total_ = noteLine("total", 1, this);
    leftOut_ = wrappedNote("leftOut", this);
    chart_ = new GrowthBarChart(this);
    keepNote_ = noteLine("keepNote", 1, this);
    keepYear_ = new QPushButton(toQString(GrowthWords::kKeepYear), this);
    keepYear_->setObjectName(QStringLiteral("keepYear"));
    close_ = new QPushButton(toQString(GrowthWords::kClose), this);
    close_->setObjectName(QStringLiteral("close"));
    // Enter in a field takes the figure; it neither keeps a plan nor closes.
    keepYear_->setAutoDefault(false);
    close_->setAutoDefault(false);
}

void GrowthWindow::layOut() {
    auto* fields = new QGridLayout;
    for (const GrowthFigure figure : allFigures<GrowthFigure>()) {
        const auto place = static_cast<int>(figure);
        if (figure == GrowthFigure::Installed) {
            fields->addWidget(installedBox_, place, 0, 1, 2);
            continue;
        }
        QWidget* field = fieldOf(figure);
        const bool left = place < kLeftColumnLines;
        const int line = left ? place : place - kLeftColumnLines;
        const int column = left ? 0 : 3;
        fields->addWidget(buddyLabel(figureWords(figure).label, field, this), line, column);
        fields->addWidget(field, line, column + 1, Qt::AlignLeft);
    }
    fields->setColumnMinimumWidth(2, fontMetrics().averageCharWidth() * 4);
    fields->setColumnStretch(5, 1);

    auto* content = new QWidget;
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(modelLabel_);
    contentLayout->addLayout(fields);
    for (QWidget* widget : std::initializer_list<QWidget*>{refusal_, workload_, growthRow_, table_,
                                                           runOut_, total_, leftOut_, chart_}) {
        contentLayout->addWidget(widget);
    }
    contentLayout->addStretch(1);
    body_ = new QScrollArea(this);
    body_->setFrameShape(QFrame::NoFrame);
    body_->setWidgetResizable(true);
    body_->setWidget(content);
    keepFocusInView(*body_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(keepNote_, 1);
    buttons->addWidget(keepYear_);
    buttons->addWidget(close_);

    auto* window = new QVBoxLayout(this);
    window->addWidget(body_, 1);
    window->addLayout(buttons);
}

// The fields in the order of their figures, then the schedule, Keep Year and Close.
void GrowthWindow::setTabOrder() {
    QWidget* previous = nullptr;
    const auto next = [&previous](QWidget* widget) {
        if (previous) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    };
    for (const GrowthFigure figure : allFigures<GrowthFigure>()) {
        next(fieldOf(figure));
    }
    next(table_);
    next(keepYear_);
    next(close_);
}

QWidget* GrowthWindow::fieldOf(GrowthFigure figure) const {
    switch (figure) {
    case GrowthFigure::GrowDefinition:
        return definitionList_;
    case GrowthFigure::Installed:
        return installedBox_;
    default:
        return fields_[static_cast<std::size_t>(figure)];
    }
}

void GrowthWindow::connectInputs() {
    for (const GrowthFigure figure : allFigures<GrowthFigure>()) {
        if (QLineEdit* field = fields_[static_cast<std::size_t>(figure)]) {
            connect(field, &QLineEdit::textChanged, this,
                    [this, figure, field] { typeField(figure, *field); });
        }
    }
    connect(definitionList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        planner_.pickDefinition(static_cast<std::size_t>(std::max(index, 0)));
        showSchedule();
    });
    connect(installedBox_, &QCheckBox::toggled, this, [this](bool installed) {
        planner_.setInstalled(installed);
        showSchedule();
    });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateKeepButton(); });
    connect(table_, &GrowthTableView::shownColumnsChanged, this,
            [this] { choices_.shownColumns = table_->shownColumns(); });
    connect(keepYear_, &QPushButton::clicked, this, [this] { keepYear(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}

void GrowthWindow::typeField(GrowthFigure figure, const QLineEdit& field) {
    const QByteArray text = field.text().toUtf8();
    planner_.typeField(figure,
                       std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    showSchedule();
}

void GrowthWindow::showSchedule() {
    refusal_->setText(toQString(planner_.refusal()));
    workload_->setText(groupedOnScreen(planner_.workloadSentence(), locale()));
    // Which row grows, and what it had to give up; or why nothing grows.
    std::vector<std::string> about = planner_.notes();
    if (!planner_.growthRowSentence().empty()) {
        about.insert(about.begin(), planner_.growthRowSentence());
    }
    growthRow_->setText(joined(about));
    table_->showLines();
    runOut_->setText(QString::fromStdString(planner_.runOutSentence()));
    total_->setText(groupedOnScreen(planner_.totalSentence(), locale()));
    leftOut_->setText(QString::fromStdString(planner_.leftOutLine()));
    chart_->setChart(planner_.chart());
    updateKeepButton();
}

// Keep Year is offered only for a year whose plan can be kept; otherwise the note says why.
void GrowthWindow::updateKeepButton() {
    const std::optional<std::size_t> line = table_->selectedLine();
    const KeepState state =
        line ? planner_.keepYearState(*line, plans_) : KeepState{false, std::string()};
    keepYear_->setEnabled(state.canKeep);
    keepNote_->setText(QString::fromStdString(state.note));
}

void GrowthWindow::keepYear() {
    if (const std::optional<std::size_t> line = table_->selectedLine()) {
        const std::string note = planner_.keepYear(*line, plans_);
        updateKeepButton();
        keepNote_->setText(QString::fromStdString(note));
    }
}

// Fitted as the window first shows, on its screen and with its fonts as they are drawn there.
void GrowthWindow::showEvent(QShowEvent* event) {
    if (!fitted_) {
        fitted_ = true;
        fitScreen();
        resize(minimumSizeHint());
        adjustPosition(parentWidget());
    }
    QDialog::showEvent(event);
}

// The body as large as it needs when the screen has room; otherwise it scrolls above the
// buttons, which stay in view.
void GrowthWindow::fitScreen() {
    body_->widget()->layout()->activate();
    sizeBodyWithin(*body_, roomForBody(*this, *body_, *close_));
}

} // namespace brim
