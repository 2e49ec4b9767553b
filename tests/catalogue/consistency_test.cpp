// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The catalogue and the engine's definitions describe the same codes.
#include "catalogue/catalogue.h"
#include "engine/unit_definitions.h"

#include <gtest/gtest.h>

namespace quantaro {
namespace {

TEST(CatalogueAndEngine, ExactlyUnitAndPresetRowsHaveADefinition)
{
    for (const CatalogueRow& row : catalogueRows()) {
        const bool isUnit = row.kind == RowKind::Unit || row.kind == RowKind::Preset;
        EXPECT_EQ(findDefinition(row.code) != nullptr, isUnit) << row.code << " " << row.fromLabel;
    }
    EXPECT_EQ(findDefinition(kNoRow), nullptr);
}

TEST(CatalogueAndEngine, PresetsConvertAsAUnitOfTheirQuantity)
{
    for (const CatalogueRow& preset : catalogueRows()) {
        if (preset.kind != RowKind::Preset)
            continue;
        int units = 0;
        for (const CatalogueRow& row : catalogueRows())
            units += row.kind == RowKind::Unit && findDefinition(row.code) == findDefinition(preset.code)
                     && sameQuantity(row.code, preset.code);
        EXPECT_EQ(units, 1) << preset.code;
    }
}

TEST(CatalogueAndEngine, FallbacksLandOnTheFirstHeaderOfTheirGroup)
{
    const struct {
        UnitCode member;
        UnitCode header;
    } groups[] = {
        {3160, 1000},  {5200, 4000},  {14140, 6000}, {17160, 15000}, {22130, 22100},
        {24195, 24100}, {25150, 25100}, {27140, 27100}, {29220, 29100},
    };
    for (const auto& g : groups) {
        const std::optional<int> index = partnerIndex(g.member, kNoRow);
        ASSERT_TRUE(index.has_value()) << g.member;
        const CatalogueRow& row = catalogueRows()[static_cast<std::size_t>(*index)];
        EXPECT_EQ(row.code, g.header) << g.member;
        EXPECT_EQ(row.kind, RowKind::Header) << g.member;
        EXPECT_EQ(findDefinition(row.code), nullptr) << g.member;
    }
}

} // namespace
} // namespace quantaro
