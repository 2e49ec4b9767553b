// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The Exact form for exact_check.py. "pairs" prints the code pairs of every
// two rows that convert into each other; without it, each line of standard
// input "FROM<tab>TO<tab>TEXT" gives one line with ConvertExact's result.
#include "catalogue/catalogue.h"
#include "exact/exact_result.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

int main(int argc, char* argv[])
{
    using namespace quantaro;
    if (argc > 1 && std::string_view(argv[1]) == "pairs") {
        for (const CatalogueRow& a : catalogueRows()) {
            for (const CatalogueRow& b : catalogueRows()) {
                if ((a.kind == RowKind::Unit || a.kind == RowKind::Preset) && sameQuantity(a.code, b.code))
                    std::cout << a.code << '\t' << b.code << '\n';
            }
        }
        return 0;
    }
    std::string line;
    Conversion out;
    while (std::getline(std::cin, line)) {
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = line.find('\t', tab1 + 1);
        if (tab1 == std::string::npos || tab2 == std::string::npos)
            return 2;
        UnitCode from = 0;
        UnitCode to = 0;
        std::from_chars(line.data(), line.data() + tab1, from);
        std::from_chars(line.data() + tab1 + 1, line.data() + tab2, to);
        ConvertExact(std::string_view(line).substr(tab2 + 1), from, to, out);
        std::cout << out.result << '\n';
    }
    return 0;
}
