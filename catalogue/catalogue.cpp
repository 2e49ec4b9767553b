#include "catalogue/catalogue.h"

#include <array>

namespace quantaro {

namespace {
constexpr std::array<CatalogueRow, kCatalogueRowCount> kRows{};
}

std::span<const CatalogueRow, kCatalogueRowCount> catalogueRows() { return kRows; }

void fillList(ListSide side, ListFiller& list)
{
    for (const CatalogueRow& row : kRows)
        list.setRowCode(list.appendRow(row.label(side)), row.code);
}

std::optional<int> partnerIndex(UnitCode, UnitCode) { return std::nullopt; }
bool sameQuantity(UnitCode, UnitCode) { return false; }

} // namespace quantaro
