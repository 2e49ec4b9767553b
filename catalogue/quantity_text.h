// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

// A quantity as people write it, at the beginning of a query: fractions,
// feet and inches, sums and products of numbers.
//
//   QUANTITY = GROUP { ("+" | "-") GROUP }
//   GROUP    = ["-" | "+"] AMOUNT UNIT { AMOUNT UNIT } [AMOUNT]   largest unit first
//   UNIT     = the words of one unit's name | "'" | "′" | "’" (foot) | '"' | "″" | "”" | "''" (inch)
//   AMOUNT   = FACTOR { ("*" | "×" | "/" | "÷" | "⁄") FACTOR }
//   FACTOR   = LITERAL [blanks LITERAL "/" LITERAL] | LITERAL VULGAR | VULGAR | "(" SUM ")"
//   SUM      = ["-" | "+"] AMOUNT { ("+" | "-") AMOUNT }
//   LITERAL  = digits [(",") three digits]... ["." digits] [("e" | "E") [sign] digits]
//   VULGAR   = "½" | "⅓" | "¼" | "¾" | "⅛" | … (one character each)
//
// "1 1/2" is one and a half, "4'8 3/8\"" four feet and eight and three eighths
// inches. Within a group the units go from the largest to the smallest, as
// a tape measure is read, and a leading minus applies to the whole group
// ("-5 ft 6 in" is minus five and a half feet, as the Mixed form writes it).
// A bare number after feet is inches ("5 foot 6"). Where the user's locale
// writes a decimal comma, a comma in a number is that ("1,5"); elsewhere it
// is read only between groups of three digits ("1,500"), and any other comma
// is refused. The last group's last unit and the To part are the query
// reader's to read; this reader only says where they begin.

#include "catalogue/conversion_request.h"
#include "catalogue/unit_names.h"

#include <string>
#include <string_view>
#include <vector>

namespace quantaro {

struct QuantityText {
    enum class Kind {
        Plain,   // a number as the input field reads it and words: the reader's own reading stands
        Terms,   // fractions, commas, marks, several terms or a worked-out amount
        Refused, // `message` says why
    };
    Kind kind = Kind::Plain;
    // Terms: every term before the last, with their units.
    std::vector<RequestTerm> terms;
    // Terms: for each term and the last one, whether it follows the one
    // before without a sign ("5 ft 11 in"), so that it must be smaller.
    std::vector<bool> joined;
    // Terms: the last amount, and the words from its unit on ("in to cm"); a
    // unit given by a mark or by the bare number after feet is written there
    // by its name.
    std::string last;
    std::string rest;
    std::string message; // Refused: the reason, one line
};

// Reads the quantity at the beginning of a query text (after "convert" and
// the like are taken away). Any bytes are safe; far longer texts than a
// quantity are refused or left to the plain reading without being read
// through.
QuantityText readQuantityText(std::string_view text, bool decimalComma,
                              MeasureSystem measure = MeasureSystem::British);

// Whether the terms, the last with its unit now known, make one quantity:
// empty if so, else the reason ("cannot add kilogramme (a mass) to foot (a
// length)", temperatures and sizes that do not add, a smaller unit before a
// larger one).
std::string termsProblem(const std::vector<RequestTerm>& terms, const std::vector<bool>& joined);

// Whether a locale writes a decimal comma: the first non-empty of the three
// names a language that does (de, fr, es, ru, …), except the territories
// that write a point (de_CH, es_MX, …).
bool decimalCommaForLocale(std::string_view lcNumeric, std::string_view lcAll, std::string_view lang);

} // namespace quantaro
