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

TEST(CatalogueAndEngine, PresetsConvertAsTheirUnit)
{
    const std::pair<UnitCode, UnitCode> presets[] = {
        {110, 1120},  {120, 2120},  {130, 1130},  {140, 2150},  {150, 1150},  {160, 2160},
        {170, 1180},  {180, 2220},  {190, 6160},  {200, 12140}, {210, 15150}, {220, 16130},
        {230, 15180}, {240, 16140}, {250, 28110}, {260, 28130},
    };
    for (const auto& [preset, unit] : presets) {
        EXPECT_NE(findDefinition(preset), nullptr) << preset;
        EXPECT_EQ(findDefinition(preset), findDefinition(unit)) << preset;
        EXPECT_TRUE(sameQuantity(preset, unit)) << preset;
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
