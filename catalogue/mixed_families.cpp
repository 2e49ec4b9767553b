// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/mixed_families.h"

#include "engine/unit_definitions.h"

namespace quantaro {
namespace {

// Unit codes as the lists carry them.
constexpr UnitCode kInch = 2120, kFoot = 2150, kYard = 2160;
constexpr UnitCode kOunce = 16130, kPound = 16140, kStone = 16150;
constexpr UnitCode kSecond = 29130, kMinute = 29140, kHour = 29150, kDay = 29160, kWeek = 29170;

constexpr MixedFamily family(std::string_view name, std::initializer_list<MixedPart> parts,
                             std::initializer_list<UnitCode> targets)
{
    MixedFamily f{.name = name};
    for (const MixedPart& p : parts)
        f.part[f.partCount++] = p;
    std::size_t i = 0;
    for (const UnitCode t : targets)
        f.target[i++] = t;
    return f;
}

// A To row takes the family it is the largest part of, except inch (foot
// and inch, as heights and lumber are written), ounce (pound and ounce, as
// a baby's weight is), and minute and second (hours, minutes and seconds).
// Pound to pound and ounce, not stone: stone and pound is asked for with
// stone. The symbols are the labels' abbreviations without their full stop.
// clang-format off
constexpr std::array kFamilies{
    //     name                     parts: unit, in last, symbol                                  To rows
    family("foot+inch",            {{kFoot,  12,   "ft"},  {kInch,   1,  "in"}},                   {kFoot, kInch}),
    family("yard+foot+inch",       {{kYard,  36,   "yd"},  {kFoot,   12, "ft"},  {kInch,  1, "in"}}, {kYard}),
    family("stone+pound",          {{kStone, 14,   "st"},  {kPound,  1,  "lb"}},                   {kStone}),
    family("pound+ounce",          {{kPound, 16,   "lb"},  {kOunce,  1,  "oz"}},                   {kPound, kOunce}),
    family("hour+minute+second",   {{kHour,  3600, "h"},   {kMinute, 60, "min"}, {kSecond, 1, "s"}}, {kHour, kMinute, kSecond}),
    family("day+hour+minute",      {{kDay,   1440, "d"},   {kHour,   60, "h"},   {kMinute, 1, "min"}}, {kDay}),
    family("week+day+hour",        {{kWeek,  168,  "week"}, {kDay,   24, "d"},   {kHour,  1, "h"}},  {kWeek}),
};
// clang-format on

} // namespace

std::span<const MixedFamily> mixedFamilies() { return kFamilies; }

const MixedFamily* mixedFamilyOf(UnitCode to)
{
    const UnitDefinition* unit = findDefinition(to);
    if (unit == nullptr)
        return nullptr;
    for (const MixedFamily& f : kFamilies)
        for (const UnitCode t : f.target)
            if (t != 0 && t == unit->code)
                return &f;
    return nullptr;
}

} // namespace quantaro
