// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "options/locale_environment.h"

#include <cstdlib>
#include <string_view>

namespace quantaro::options {

QueryContext queryContextFromEnvironment()
{
    auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string_view(value ? value : "");
    };
    QueryContext context;
    context.measure = measureSystemForLocale(variable("LC_MEASUREMENT"), variable("LC_ALL"), variable("LANG"));
    context.decimalComma = decimalCommaForLocale(variable("LC_NUMERIC"), variable("LC_ALL"), variable("LANG"));
    return context;
}

} // namespace quantaro::options
