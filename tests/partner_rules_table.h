// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

// Every partner rule of the two lists, one row each, for the tests of the
// catalogue, the window and the command line. The indices are list positions
// counted in the published list; the results are worked out by hand from the
// unit tables' constants, step by step.

#include <array>

namespace quantaro::test {

struct PartnerRuleCase {
    const char* rule;
    bool pair;         // a pair: the same row on both sides is no partner
    int first, second; // a pair's two rows; a group's first and last unit
    int movesTo[2];    // where the other list goes when first / second is chosen against `foreign`
    int foreign;       // a row of another quantity (or another garment)
    const char* input; // converted from `first` to `second` gives `result`
    const char* result;
};

// clang-format off
inline constexpr std::array<PartnerRuleCase, 24> kPartnerRuleCases{{
    {"preset mm/in",     true,    1,   2, {  2,   1}, 144, "254",              "10"},
    {"preset cm/ft",     true,    3,   4, {  4,   3}, 182, "3048",             "99.999999999999986"},
    {"preset m/yd",      true,    5,   6, {  6,   5}, 222, "9144",             "10000"},
    {"preset km/mi",     true,    7,   8, {  8,   7},   9, "10",               "6.2137119223733395"},
    {"preset l/gal",     true,    9,  10, { 10,   9},  11, "3.78541",          "1.0000000000000002"},
    {"preset g/oz",      true,   11,  12, { 12,  11},  15, "100",              "3.527399072294044"},
    {"preset kg/lb",     true,   13,  14, { 14,  13},   1, "2",                "4.4092452436975513"},
    {"preset ºC/ºF",     true,   15,  16, { 16,  15},  13, "100",              "212"},
    {"length",           false,  19,  50, { 18,  18},  54, "1000000000000",    "539.95680345572362"},
    {"area",             false,  54,  72, { 53,  53},  76, "1000000000000",    "0.38610215859253499"},
    {"volume",           false,  76, 133, { 75,  75}, 137, "1000000000",       "2113.3785314555262"},
    {"mass",             false, 137, 170, {136, 136},  19, "1000000",          "2.679226882290846"},
    {"engine power",     true,  176, 177, {177, 176}, 180, "100",              "73.549875"},
    {"energy",           false, 180, 182, {179, 179}, 176, "1000",             "4186.8000000000002"},
    {"ladieswear",       true,  185, 186, {186, 185}, 188, "40",               "12"},
    {"menswear",         true,  187, 188, {188, 187}, 190, "50",               "40"},
    {"shirts",           true,  189, 190, {190, 189}, 192, "41",               "16"},
    {"ladies' shoes",    true,  191, 192, {192, 191}, 194, "38",               "7"},
    {"men's shoes",      true,  193, 194, {194, 193}, 186, "42",               "9"},
    {"computer memory",  false, 197, 206, {196, 196}, 209, "1000000000000000", "113.68683772161603"},
    {"computer speed",   false, 209, 213, {208, 208}, 197, "1000000000000",    "1.0000000000000002"},
    {"speed",            false, 216, 219, {215, 215}, 237, "10",               "19.455252918287936"},
    {"temperature",      true,  222, 223, {223, 222}, 216, "-40",              "-40"},
    {"time",             false, 226, 237, {225, 225}, 223, "31557600000000",   "1"},
}};
// clang-format on

} // namespace quantaro::test
