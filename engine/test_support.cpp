// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "engine/test_support.h"

#include "engine/number_text.h"

namespace quantaro {

std::string nineteenDecimal(double value)
{
    char buffer[kNineteenDecimalCapacity];
    return std::string(buffer, writeNineteenDecimal(value, buffer));
}

std::string resultText(double value)
{
    char buffer[kNineteenDecimalCapacity];
    return std::string(buffer, writeResultText(value, buffer));
}

void appendResultText(double value, std::string& out)
{
    char buffer[kNineteenDecimalCapacity];
    out.append(buffer, writeResultText(value, buffer));
}

std::string shortestResultText(double value)
{
    char buffer[kNineteenDecimalCapacity];
    return std::string(buffer, writeShortestResultText(value, buffer));
}

std::string roundFactorText(std::string_view text)
{
    std::string rounded(text);
    rounded.resize(roundFactorTextInPlace(rounded.data(), rounded.size()));
    return rounded;
}

} // namespace quantaro
