#include "commands/price_list.h"

#include "commands/command_line_texts.h"
#include "commands/figure_words.h"
#include "core/catalogue.h"
#include "core/planning_figures.h"

#include <algorithm>
#include <optional>

namespace brim {
namespace {

// The figure records of the two kinds of price: their rule, where each is kept, their words.
const FigureRule& priceRule(PriceEntry::Of of) {
    return of == PriceEntry::Of::Model ? figureRule(ModelFigure::ArrayPrice).rule
                                       : figureRule(DiskFigure::Price).rule;
}

std::int64_t heldPrice(const PriceEntry& entry, const PlanningAssumptions& planning) {
    return entry.of == PriceEntry::Of::Model
               ? figureRule(ModelFigure::ArrayPrice).value(planning, entry.index)
               : figureRule(DiskFigure::Price).value(planning, entry.index);
}

bool storePrice(const PriceEntry& entry, PlanningAssumptions& planning) {
    return entry.of == PriceEntry::Of::Model
               ? figureRule(ModelFigure::ArrayPrice).store(planning, entry.index, entry.hundredths)
               : figureRule(DiskFigure::Price).store(planning, entry.index, entry.hundredths);
}

std::string priceText(PriceEntry::Of of, std::int64_t hundredths) {
    const std::string_view unset = of == PriceEntry::Of::Model
                                       ? figureWords(ModelFigure::ArrayPrice).unsetText
                                       : figureWords(DiskFigure::Price).unsetText;
    return hundredths == 0 ? std::string(unset) : figureText(priceRule(of), hundredths);
}

std::optional<PriceEntry> catalogueEntry(std::string_view name) {
    if (const std::optional<int> disk = diskTypeNamed(name)) {
        return PriceEntry{PriceEntry::Of::DiskType, *disk, 0,
                          kDiskTypes[static_cast<std::size_t>(*disk)].orlenReportName};
    }
    if (const std::optional<int> model = modelNamed(name)) {
        return PriceEntry{PriceEntry::Of::Model, *model, 0, Catalogue::modelName(*model)};
    }
    return std::nullopt;
}

// One line's entry, or why it is refused.
std::variant<PriceEntry, std::string> entryOfLine(std::string_view line) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
        return std::string(CommandLineWords::kPriceLineForm);
    }
    const std::string_view name = line.substr(0, tab);
    const std::string_view price = line.substr(tab + 1);
    std::optional<PriceEntry> entry = catalogueEntry(name);
    if (!entry) {
        return unknownPriceNameText(name);
    }
    const FigureRule& rule = priceRule(entry->of);
    const std::optional<std::int64_t> hundredths = typedFigure(rule, price);
    if (!hundredths) {
        return badPriceText(price, name, allowedText(rule));
    }
    entry->hundredths = *hundredths;
    return *entry;
}

} // namespace

PriceListReading readPriceList(std::string_view text) {
    std::vector<PriceEntry> entries;
    std::vector<int> lineOf;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(" \t") == std::string_view::npos) {
            continue;
        }
        std::variant<PriceEntry, std::string> read = entryOfLine(line);
        if (auto* why = std::get_if<std::string>(&read)) {
            return PriceListRefusal{number, std::move(*why)};
        }
        const PriceEntry& entry = std::get<PriceEntry>(read);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].of == entry.of && entries[i].index == entry.index) {
                return PriceListRefusal{number, pricedTwiceText(entry.name, lineOf[i])};
            }
        }
        entries.push_back(entry);
        lineOf.push_back(number);
    }
    return entries;
}

std::vector<PriceChange> applyPrices(std::span<const PriceEntry> prices,
                                     PlanningAssumptions& planning) {
    std::vector<PriceChange> changes;
    for (const PriceEntry& entry : prices) {
        const std::int64_t before = heldPrice(entry, planning);
        if (before != entry.hundredths && storePrice(entry, planning)) {
            changes.push_back(
                {entry.name, priceText(entry.of, before), priceText(entry.of, entry.hundredths)});
        }
    }
    return changes;
}

} // namespace brim
