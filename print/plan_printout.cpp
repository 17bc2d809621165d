#include "print/plan_printout.h"

#include "commands/plan_document.h"
#include "print/qt_text.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>
#include <QTextTable>
#include <algorithm>

namespace brim {
namespace {

constexpr qreal kMarginMm = 15.0;
constexpr qreal kTitleScale = 1.5;
constexpr qreal kHeadingScale = 1.2;
constexpr qreal kCellPaddingPt = 2.0;
constexpr qreal kBorderPt = 0.5;
constexpr qreal kPointsPerInch = 72.0;
constexpr qreal kChartShareOfWidth = 0.95;
constexpr qreal kChartShareOfPage = 0.9; // room for the block's margin and the line around it

constexpr int kBarChartObject = QTextFormat::UserObject + 1;
enum ChartProperty : int {
    kBarLabels = QTextFormat::UserProperty + 1,
    kBarValues,
    kBarTexts,
    kChartWidth,
    kChartCaption,
    kBarMarks, // a value per bar, or an invalid QVariant for none
};
// A heading and the paragraph that leads into a table stay on the page of what follows them.
constexpr int kKeepWithNext = QTextFormat::UserProperty + 10;

// A caption line, then one bar per kept plan: its name at the left, the bar in proportion to the
// largest figure, and the figure's text after the bar. Drawn as shapes and text on the device
// itself; one object, so that the caption never leaves its bars on another page. A chart of many
// bars on a short page is drawn smaller to fit the page, rather than cut by the page's edge (and
// the layout, which cannot place a line taller than a page, would lose count of the pages).
class BarChartObject final : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit BarChartObject(QObject* parent) : QObject(parent) {}

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override {
        return QSizeF(format.doubleProperty(kChartWidth), naturalHeight(document, format)) *
               fitting(document, format);
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                    const QTextFormat& format) override {
        const QStringList labels = format.property(kBarLabels).toStringList();
        const QStringList texts = format.property(kBarTexts).toStringList();
        const QVariantList values = format.property(kBarValues).toList();
        const QVariantList marks = format.property(kBarMarks).toList();
        qreal largest = 0.0;
        for (const QVariant& value : values + marks) {
            largest = std::max(largest, value.toDouble());
        }
        const qreal line = lineHeight(document, format);
        const qreal fit = fitting(document, format);
        painter->save();
        painter->translate(rect.topLeft());
        painter->scale(fit, fit);
        const QRectF area(0, 0, rect.width() / fit, naturalHeight(document, format));
        painter->setFont(format.toCharFormat().font());
        const qreal labelWidth = area.width() * 0.25;
        // The figures' texts keep room for the longest, a year's "48.37 TB, need 43.94" too.
        qreal textWidth = area.width() * 0.15;
        for (const QString& text : texts) {
            textWidth =
                std::max(textWidth,
                         QFontMetricsF(painter->font(), painter->device()).horizontalAdvance(text));
        }
        const qreal barRoom = area.width() - labelWidth - textWidth - line;
        painter->setPen(QPen(Qt::black, 0));
        QFont captionFont = painter->font();
        captionFont.setBold(true);
        painter->setFont(captionFont);
        painter->drawText(QRectF(area.left(), area.top(), area.width(), line),
                          Qt::AlignLeft | Qt::AlignVCenter, format.stringProperty(kChartCaption));
        painter->setFont(format.toCharFormat().font());
        for (qsizetype i = 0; i < labels.size(); ++i) {
            const qreal top = area.top() + (static_cast<qreal>(i) * 1.5 + 1.75) * line;
            const QRectF label(area.left(), top, labelWidth - line / 2, line);
            painter->drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                              painter->fontMetrics().elidedText(labels[i], Qt::ElideRight,
                                                                qRound(label.width())));
            const qreal share = largest > 0.0 ? values.value(i).toDouble() / largest : 0.0;
            const QRectF bar(area.left() + labelWidth, top + line * 0.1, barRoom * share,
                             line * 0.8);
            painter->fillRect(bar, QColor(0x60, 0x78, 0x90));
            if (const QVariant mark = marks.value(i); mark.isValid() && largest > 0.0) {
                const qreal x = area.left() + labelWidth + barRoom * mark.toDouble() / largest;
                painter->setPen(QPen(Qt::black, line * 0.12));
                painter->drawLine(QPointF(x, top), QPointF(x, top + line));
                painter->setPen(QPen(Qt::black, 0));
            }
            painter->drawText(QRectF(bar.right() + line / 2, top, textWidth + line, line),
                              Qt::AlignLeft | Qt::AlignVCenter, texts.value(i));
        }
        painter->restore();
    }

private:
    static qreal naturalHeight(QTextDocument* document, const QTextFormat& format) {
        const auto bars = format.property(kBarLabels).toStringList().size();
        return (static_cast<qreal>(bars) * 1.5 + 2.0) * lineHeight(document, format);
    }

    // The share of its size the chart is drawn at: whole where the page holds it.
    static qreal fitting(QTextDocument* document, const QTextFormat& format) {
        const qreal room = document->pageSize().height() * kChartShareOfPage;
        const qreal natural = naturalHeight(document, format);
        return room > 0.0 && natural > room ? room / natural : 1.0;
    }

    static qreal lineHeight(QTextDocument* document, const QTextFormat& format) {
        return QFontMetricsF(format.toCharFormat().font(),
                             document->documentLayout()->paintDevice())
            .height();
    }
};

// Lengths in a text document's formats are screen pixels, which its layout scales to the paint
// device's resolution.
constexpr qreal kScreenPixelsPerInch = 96.0;
constexpr qreal layoutPixels(qreal points) {
    return points * kScreenPixelsPerInch / kPointsPerInch;
}

// The toolkit's line breaking may break after a slash inside a word, which leaves "s" of "MB/s"
// alone on a line. A word joiner after it keeps the word whole, so that text wraps between
// words (or after the hyphen of "Read-only"); it prints nothing and is no part of the PDF's text.
QString keptWhole(const std::string& text) {
    constexpr QChar kWordJoiner(0x2060);
    QString kept = toQString(text);
    for (qsizetype i = kept.size() - 2; i > 0; --i) {
        if (kept[i] == u'/' && kept[i - 1].isLetterOrNumber() && kept[i + 1].isLetterOrNumber()) {
            kept.insert(i + 1, kWordJoiner);
        }
    }
    return kept;
}

class TextWriter {
public:
    TextWriter(QTextDocument& text, const QFont& font, qreal chartWidth)
        : cursor_(&text), font_(font), chartWidth_(chartWidth) {
        bold_.setFontWeight(QFont::Bold);
    }

    void title(const std::string& title) {
        QTextCharFormat format = plain();
        format.setFontWeight(QFont::Bold);
        format.setFontPointSize(font_.pointSizeF() * kTitleScale);
        cursor_.setCharFormat(format);
        cursor_.insertText(toQString(title), format);
    }

    void heading(const std::string& heading) {
        QTextBlockFormat block;
        block.setTopMargin(layoutPixels(font_.pointSizeF() * 1.5));
        block.setBottomMargin(paragraphSpacing());
        QTextCharFormat format = plain();
        format.setFontWeight(QFont::Bold);
        format.setFontPointSize(font_.pointSizeF() * kHeadingScale);
        block.setProperty(kKeepWithNext, true);
        cursor_.insertBlock(block, format);
        cursor_.insertText(toQString(heading), format);
    }

    void paragraph(const std::string& text, bool leadsIn) {
        QTextBlockFormat block;
        block.setTopMargin(paragraphSpacing());
        block.setProperty(kKeepWithNext, leadsIn);
        const QTextCharFormat format = plain();
        cursor_.insertBlock(block, format);
        cursor_.insertText(keptWhole(text), format);
    }

    void table(const DocumentTable& table) {
        const int columns = static_cast<int>(table.headings.size());
        const int lines = static_cast<int>(table.lines.size());
        QTextTableFormat format;
        format.setHeaderRowCount(1); // repeated at the top of a new page
        format.setBorder(layoutPixels(kBorderPt));
        format.setBorderCollapse(true);
        format.setBorderBrush(Qt::darkGray);
        format.setCellPadding(layoutPixels(kCellPaddingPt));
        format.setCellSpacing(0);
        format.setTopMargin(paragraphSpacing());
        format.setAlignment(Qt::AlignLeft);
        // Wide tables take the page's width; the two columns of totals only what they need.
        if (columns > 2) {
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        }
        QTextTable* grid = cursor_.insertTable(lines + 1, columns, format);
        for (int c = 0; c < columns; ++c) {
            writeCell(*grid, 0, c, table.headings[static_cast<std::size_t>(c)],
                      table.numeric[static_cast<std::size_t>(c)], true);
        }
        for (int l = 0; l < lines; ++l) {
            const DocumentLine& line = table.lines[static_cast<std::size_t>(l)];
            const bool total = table.endsWithTotal && l == lines - 1;
            for (int c = 0; c < columns && c < static_cast<int>(line.cells.size()); ++c) {
                const bool numeric =
                    !(line.acrossRest && c == 1) && table.numeric[static_cast<std::size_t>(c)];
                writeCell(*grid, l + 1, c, line.cells[static_cast<std::size_t>(c)], numeric, total);
            }
            if (line.acrossRest && columns > 2) {
                grid->mergeCells(l + 1, 1, 1, columns - 1);
            }
        }
        cursor_.movePosition(QTextCursor::End);
    }

    void chart(const DocumentChart& chart) {
        QStringList labels;
        QStringList texts;
        QVariantList values;
        QVariantList marks;
        for (const DocumentBar& bar : chart.bars) {
            labels.append(toQString(bar.label));
            texts.append(toQString(bar.valueText));
            values.append(bar.value);
            marks.append(bar.mark ? QVariant(*bar.mark) : QVariant());
        }
        QTextCharFormat format;
        format.setFont(font_);
        format.setObjectType(kBarChartObject);
        format.setProperty(kBarLabels, labels);
        format.setProperty(kBarTexts, texts);
        format.setProperty(kBarValues, values);
        format.setProperty(kBarMarks, marks);
        format.setProperty(kChartWidth, chartWidth_);
        format.setProperty(kChartCaption, toQString(chart.caption));
        // Its caption stands off the table above as a paragraph does.
        QTextBlockFormat block;
        block.setTopMargin(paragraphSpacing());
        cursor_.insertBlock(block);
        cursor_.insertText(QString(QChar::ObjectReplacementCharacter), format);
    }

private:
    // The document's default font: text that names no font of its own keeps the formats small,
    // which the layout copies for every table cell it looks at.
    static QTextCharFormat plain() { return {}; }

    qreal paragraphSpacing() const { return layoutPixels(font_.pointSizeF() * 0.4); }

    void writeCell(QTextTable& grid, int line, int column, const std::string& text, bool numeric,
                   bool bold) {
        QTextCursor cell = grid.cellAt(line, column).firstCursorPosition();
        QTextBlockFormat block;
        block.setAlignment(numeric ? Qt::AlignRight : Qt::AlignLeft);
        // A figure reads on one line; only the headings wrap, to keep their columns narrow.
        block.setNonBreakableLines(line != 0);
        cell.setBlockFormat(block);
        // A figure's line never breaks; a heading keeps its words whole.
        cell.insertText(line == 0 ? keptWhole(text) : toQString(text), bold ? bold_ : plain());
    }

    QTextCursor cursor_;
    QFont font_;
    QTextCharFormat bold_;
    qreal chartWidth_; // in the device's pixels
};

// A block marked to keep with the next that ends a page, while the next one begins on the
// following page, starts that page itself, together with the blocks kept with it just before
// (the heading above a paragraph that leads into a table) unless that run began at the top of
// a page, where a break would only leave a blank page. The layout of the whole document is
// there already; a break lays out again only what follows it, and each break moves what
// follows, so they are placed one at a time from the top.
void keepWithNext(QTextDocument& text) {
    const qreal pageHeight = text.pageSize().height();
    QAbstractTextDocumentLayout* layout = text.documentLayout();
    const auto pageOf = [pageHeight](qreal y) { return static_cast<int>(y / pageHeight); };
    const auto startsPage = [&](const QTextBlock& block) {
        const QTextBlock previous = block.previous();
        return !previous.isValid() || pageOf(layout->blockBoundingRect(previous).bottom() - 1) !=
                                          pageOf(layout->blockBoundingRect(block).top());
    };
    QTextBlock runStart;
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (!next.isValid() || !block.blockFormat().boolProperty(kKeepWithNext)) {
            runStart = QTextBlock();
            continue;
        }
        if (!runStart.isValid()) {
            runStart = block;
        }
        const int page = pageOf(layout->blockBoundingRect(block).top());
        if (page == pageOf(layout->blockBoundingRect(next).bottom() - 1)) {
            continue;
        }
        QTextBlock first = runStart;
        if (pageOf(layout->blockBoundingRect(first).top()) != page || startsPage(first)) {
            first = block;
        }
        if (!startsPage(first)) {
            QTextCursor cursor(first);
            QTextBlockFormat format = first.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cursor.setBlockFormat(format);
        }
        runStart = QTextBlock();
    }
}

qreal footerHeight(const QFont& font, QPagedPaintDevice& device) {
    return 2.0 * QFontMetricsF(font, &device).height();
}

} // namespace

void preparePlanPage(QPagedPaintDevice& device) {
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                          QPageLayout::Millimeter);
}

std::unique_ptr<QTextDocument> planTextDocument(const PlanDocument& document, const QFont& font,
                                                QPagedPaintDevice& device) {
    auto text = std::make_unique<QTextDocument>();
    text->setUndoRedoEnabled(false);
    text->setDefaultFont(font);
    text->setDocumentMargin(0);
    // Headings wrap between words, never inside one.
    QTextOption wrapping = text->defaultTextOption();
    wrapping.setWrapMode(QTextOption::WordWrap);
    text->setDefaultTextOption(wrapping);
    // The layout knows the device and the page while the document is still empty, so that it
    // lays the text out once, at the device's resolution, on the page it is printed on (a layout
    // made after the writing first lays everything out for no page at all).
    text->documentLayout()->setPaintDevice(&device);
    text->documentLayout()->registerHandler(kBarChartObject, new BarChartObject(text.get()));
    text->setPageSize(QSizeF(device.width(), device.height() - footerHeight(font, device)));
    // The whole plan goes in as one edit, which the layout follows once at its end: following
    // every cell written would lay a whole table out each time, seconds for a long plan.
    TextWriter writer(*text, font, device.width() * kChartShareOfWidth);
    QTextCursor edit(text.get());
    edit.beginEditBlock();
    writer.title(document.title);
    for (const DocumentSection& section : document.sections) {
        writer.heading(section.heading);
        for (std::size_t b = 0; b < section.blocks.size(); ++b) {
            const DocumentBlock& block = section.blocks[b];
            if (const auto* paragraph = std::get_if<DocumentParagraph>(&block)) {
                const bool leadsIn =
                    b + 1 < section.blocks.size() &&
                    !std::holds_alternative<DocumentParagraph>(section.blocks[b + 1]);
                writer.paragraph(paragraph->text, leadsIn);
            } else if (const auto* table = std::get_if<DocumentTable>(&block)) {
                writer.table(*table);
            } else if (const auto* chart = std::get_if<DocumentChart>(&block)) {
                writer.chart(*chart);
            }
        }
    }
    edit.endEditBlock();
    keepWithNext(*text);
    return text;
}

int printPlanDocument(const PlanDocument& document, const QFont& font, QPagedPaintDevice& device) {
    const std::unique_ptr<QTextDocument> text = planTextDocument(document, font, device);
    return printPlanText(*text, font, device);
}

int printPlanText(QTextDocument& text, const QFont& font, QPagedPaintDevice& device) {
    const QSizeF page = text.pageSize();
    const int pages = text.pageCount();
    QPainter painter(&device);
    painter.setFont(font);
    for (int p = 0; p < pages; ++p) {
        if (p > 0) {
            device.newPage();
        }
        const QRectF shown(0, p * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -shown.top());
        text.drawContents(&painter, shown);
        painter.restore();
        painter.drawText(QRectF(0, page.height(), page.width(), device.height() - page.height()),
                         Qt::AlignHCenter | Qt::AlignBottom,
                         toQString(pageFooterText(p + 1, pages)));
    }
    return pages;
}

} // namespace brim

#include "plan_printout.moc"
