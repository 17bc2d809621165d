#include "capacity_texts.h"

#include "catalogue.h"
#include "qt_text.h"
#include "units.h"

#include <QStringList>

namespace brim {
namespace {

// "32.10 TB": a capacity as the window's other figures show it, in the unit picked.
QString figure(double mib, CapacityUnit unit) {
    return QString::fromStdString(formatCapacity(capacityInUnit(mib, unit))).trimmed() +
           QLatin1Char(' ') + toQString(kCapacityUnitTexts[static_cast<std::size_t>(unit)]);
}

QString rate(double value, const char* unit) {
    return QString::fromStdString(formatWholeNumber(value)) + QLatin1Char(' ') +
           QString::fromLatin1(unit);
}

// "15.73 TB, 2843 host IOPS and 1200 MB/s": the sheet's figures for the needs stated, the
// capacity always when it is stated or nothing else is.
QString sheetFigures(const CapacityAnswer& answer, CapacityUnit unit) {
    QStringList parts;
    if (answer.needs.targetMib || (!answer.sheetHostIops && !answer.sheetMbps)) {
        parts << figure(answer.sheetMib.value_or(0.0), unit);
    }
    if (answer.sheetHostIops) {
        parts << rate(*answer.sheetHostIops, "host IOPS");
    }
    if (answer.sheetMbps) {
        parts << rate(*answer.sheetMbps, "MB/s");
    }
    const QString last = parts.takeLast();
    return parts.isEmpty() ? last
                           : parts.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

} // namespace

QString noticeText(const CapacityAnswer& answer, CapacityUnit unit, int modelIndex) {
    switch (answer.notice) {
    case PlanNotice::BadTarget:
        return toQString(answer.refusal);
    case PlanNotice::AlreadyReached:
        return QStringLiteral("The sheet already gives %1.").arg(sheetFigures(answer, unit));
    case PlanNotice::AtaMayNotHoldVault:
        return QStringLiteral("ATA disks may not hold the vault on the %1: pick another disk type.")
            .arg(toQString(Catalogue::modelName(modelIndex)));
    default:
        return {};
    }
}

QString sheetFigureText(const CapacityAnswer& answer, CapacityUnit unit) {
    if (!answer.sheetMib) {
        return {};
    }
    QString text = QStringLiteral("The sheet gives %1").arg(sheetFigures(answer, unit));
    if (answer.missingMib) {
        text +=
            QStringLiteral("; the layouts add at least %1").arg(figure(*answer.missingMib, unit));
    }
    return text + QLatin1Char('.');
}

QString rowNoteText(const CapacityPlanner& planner) {
    switch (planner.putNotice()) {
    case PlanNotice::NoFreeRow:
        return QStringLiteral("Every row has groups: clear one in the main window to put a "
                              "layout in.");
    case PlanNotice::SheetBreaksRule:
        return QStringLiteral("Row %1 breaks a rule: press Compute in the main window to see it.")
            .arg(planner.ruleBreakingRow());
    default:
        break;
    }
    if (planner.freeRowHoldsVault()) {
        return QStringLiteral("Put in Row fills row %1, which holds the vault disks: the figures "
                              "allow for the vault reservation.")
            .arg(planner.freeRow());
    }
    return QStringLiteral("Put in Row fills row %1.").arg(planner.freeRow());
}

} // namespace brim
