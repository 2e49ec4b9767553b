// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/catalogue.h"
#include "tests/partner_rules_table.h"

#include <gtest/gtest.h>

namespace quantaro {
namespace {

constexpr std::nullopt_t kStays = std::nullopt;

UnitCode codeAt(int index) { return catalogueRows()[index].code; }

// Each rule, from either of its rows: a foreign row moves, a partner stays,
// and the same row stays only in a group.
TEST(PartnerIndex, EveryRule)
{
    for (const test::PartnerRuleCase& c : test::kPartnerRuleCases) {
        SCOPED_TRACE(c.rule);
        const int rows[2] = {c.first, c.second};
        for (int k = 0; k < 2; ++k) {
            const UnitCode chosen = codeAt(rows[k]);
            EXPECT_EQ(partnerIndex(chosen, codeAt(c.foreign)), c.movesTo[k]);
            EXPECT_EQ(partnerIndex(chosen, codeAt(rows[1 - k])), kStays);
            EXPECT_EQ(partnerIndex(chosen, chosen), c.pair ? std::optional<int>(c.movesTo[k]) : kStays);
        }
    }
}

TEST(PartnerIndex, EdgeCases)
{
    const struct {
        UnitCode changed;
        UnitCode other;
        std::optional<int> moveTo;
    } cases[] = {
        {2120, 4140, 18},      {3110, 1150, kStays},  {7110, 12110, kStays}, {7000, 1150, 75},
        {1000, 15150, kStays}, {1150, 1150, kStays},  {28110, 250, 223},     {110, 2120, 2},
        {2120, 120, 18},       {27140, 1150, 215},    {24180, 24195, kStays}, {15150, 1000, 136},
        {17110, 22110, 136},   {5190, 1150, 53},      {22130, 29130, 179},   {25150, 24110, 208},
        {29110, 0, 225},       {1150, kNoRow, 18},
        // Under no rule: separators, no selection, the headers outside every range, unknown codes.
        {0, 1150, kStays},     {kNoRow, 1150, kStays}, {100, 1150, kStays},  {20000, 1150, kStays},
        {21100, 1150, kStays}, {23100, 1150, kStays}, {28100, 1150, kStays}, {29100, 1150, kStays},
        {26110, 1150, kStays},
    };
    for (const auto& c : cases)
        EXPECT_EQ(partnerIndex(c.changed, c.other), c.moveTo) << c.changed << " against " << c.other;
}

TEST(SameQuantity, UnitAndPresetRowsOfOneQuantityOnly)
{
    const struct {
        UnitCode a;
        UnitCode b;
        bool same;
    } cases[] = {
        {1150, 3160, true},   {120, 2120, true},    {110, 170, true},     {200, 14140, true},
        {210, 17160, true},   {250, 28130, true},   {4110, 5200, true},   {21110, 21120, true},
        {22110, 22130, true}, {23200, 23190, true}, {24110, 24195, true}, {25110, 25150, true},
        {27110, 27140, true}, {29110, 29220, true}, {1150, 1150, true},   {1150, 15150, false},
        {150, 210, false},    {23110, 23140, false}, {23120, 23170, false}, {190, 1150, false},
        {250, 22130, false},  {27110, 1150, false}, {25110, 24110, false},
        // Headers, separators and no selection are not units.
        {1000, 1150, false},  {2000, 1150, false},  {7000, 6000, false},  {2000, 2000, false},
        {100, 110, false},    {0, 0, false},        {kNoRow, kNoRow, false}, {26110, 26110, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sameQuantity(c.a, c.b), c.same) << c.a << " and " << c.b;
        EXPECT_EQ(sameQuantity(c.b, c.a), c.same) << c.b << " and " << c.a;
    }
}

} // namespace
} // namespace quantaro
