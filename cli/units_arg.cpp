// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "cli/units_arg.h"


namespace quantaro::cli {

namespace {

std::string quoted(std::string_view text) { return '"' + std::string(text) + '"'; }

} // namespace

std::string describeRow(int index, ListSide side)
{
    std::string text = std::to_string(index) + ' ';
    const CatalogueRow& row = catalogueRows()[index];
    switch (row.kind) {
    case RowKind::Separator: return text + "(a separator row)";
    case RowKind::Blank: return text + "(a blank row)";
    case RowKind::Header: return text + quoted(row.label(side)) + " (a header row)";
    case RowKind::Unit:
    case RowKind::Preset: break;
    }
    std::string_view label = row.label(side);
    while (label.starts_with(' '))
        label.remove_prefix(1);
    return text + quoted(label);
}

std::string pairProblem(int fromIndex, int toIndex)
{
    const CatalogueRow& from = catalogueRows()[fromIndex];
    const CatalogueRow& to = catalogueRows()[toIndex];
    std::string reason;
    if (!from.isUnitOrPreset() && !to.isUnitOrPreset())
        reason = "neither row is a unit";
    else if (!from.isUnitOrPreset())
        reason = "the From row is not a unit";
    else if (!to.isUnitOrPreset())
        reason = "the To row is not a unit";
    else if (sameQuantity(from.code, to.code))
        return {};
    else if (isSize(from.quantity) && isSize(to.quantity))
        reason = "sizes convert only within one garment, between metric/German and US/UK";
    else
        reason = "they are not units of one quantity";
    return "cannot convert from " + describeRow(fromIndex, ListSide::From) + " to " + describeRow(toIndex, ListSide::To)
           + ": " + reason;
}

std::string lookupProblem(std::string_view argument, const UnitLookup& lookup)
{
    switch (lookup.outcome) {
    case UnitLookup::Outcome::Found: return {};
    case UnitLookup::Outcome::NoMatch: {
        const std::string suggestion = suggestionText(argument);
        return "no unit matches " + quoted(argument) + " (--list shows them all)" + (suggestion.empty() ? "" : "; " + suggestion);
    }
    case UnitLookup::Outcome::OutOfRange:
        return "no list row " + std::string(argument) + " (the rows are 0 to " + std::to_string(kCatalogueRowCount - 1) + ")";
    case UnitLookup::Outcome::Ambiguous: break;
    }
    std::string text = quoted(argument) + " matches " + std::to_string(lookup.candidates.size())
                       + " units; give a longer name or one of these list indices:";
    for (const int index : lookup.candidates) {
        const std::string row = describeRow(index, ListSide::From);
        text += "\n  " + std::string(index < 10 ? 2 : index < 100 ? 1 : 0, ' ') + row; // indices right-aligned
        if (const int header = headerOf(index); header >= 0)
            text += "  [" + std::string(catalogueRows()[header].fromLabel) + ']';
    }
    return text;
}

UnitArguments lookUpUnitArguments(bool fromGiven, std::string_view from, bool toGiven, std::string_view to,
                                  MeasureSystem measure)
{
    UnitArguments units;
    if (fromGiven)
        units.from = lookUpUnit(from, measure);
    if (toGiven)
        units.to = lookUpUnit(to, measure);
    const auto quantity = [](const UnitLookup& lookup) {
        return lookup.outcome == UnitLookup::Outcome::Found ? catalogueRows()[std::size_t(lookup.index)].quantity
                                                            : Quantity::None;
    };
    if (units.from.outcome == UnitLookup::Outcome::Ambiguous && quantity(units.to) != Quantity::None)
        units.from = lookUpUnit(from, measure, quantity(units.to));
    if (units.to.outcome == UnitLookup::Outcome::Ambiguous && quantity(units.from) != Quantity::None)
        units.to = lookUpUnit(to, measure, quantity(units.from));
    return units;
}

} // namespace quantaro::cli
