// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "engine/convert.h"

#include "engine/number_text.h"
#include "engine/unit_definitions.h"

#include <cmath>
#include <cstring>

namespace quantaro {
namespace {

constexpr std::string_view kProductName = "Velkor Quantaro";
constexpr std::string_view kTitleEnd = " - Velkor Quantaro";

// The number of the info line: the factor in the nineteen-decimal form,
// rounded with its sign set apart. A factor stays finite for every unit, but
// an infinite one would show as the result field shows it.
std::size_t writeFactorText(double factor, char* out)
{
    if (!std::isfinite(factor))
        return writeResultText(factor, out);
    std::size_t length = writeNineteenDecimal(factor, out);
    if (out[0] != '-')
        return roundFactorTextInPlace(out, length);
    length = roundFactorTextInPlace(out + 1, length - 1);
    if (length == 1 && out[1] == '0') { // never "-0"
        out[0] = '0';
        return 1;
    }
    return length + 1;
}

// Sets a text that the caller keeps from one run to the next: once its
// buffer is large enough, this is a plain copy without a new allocation.
void setText(std::string& text, const char* from, std::size_t length)
{
    if (length > text.capacity()) {
        text.assign(from, length);
        return;
    }
    text.resize(length);
    std::memcpy(text.data(), from, length);
}

// The result field's text of a converted value, in the chosen form.
std::size_t writeResult(double value, ResultForm form, char* out)
{
    const bool shortest = form == ResultForm::Shortest || form == ResultForm::Mixed;
    return shortest ? writeShortestResultText(value, out) : writeResultText(value, out);
}

} // namespace

Conversion Convert(std::string_view input, UnitCode from, UnitCode to, ResultForm form)
{
    Conversion out;
    Convert(input, from, to, out, form);
    return out;
}

void Convert(std::string_view input, UnitCode from, UnitCode to, Conversion& out, ResultForm form)
{
    if (input.empty()) {
        out.result.clear();
        out.title.assign(kProductName);
        out.info.clear();
        return;
    }

    double value = readNumber(input);
    double factor = 1.0;
    // The info line is built in place: the prefix, then the factor text
    // written right after it, then the suffix.
    char info[kMaxInfoTextLength + kNineteenDecimalCapacity + kMaxInfoTextLength];
    char* infoEnd = info;

    if (const UnitDefinition* source = findDefinition(from)) {
        applySteps(source->toBase, value, factor);
        std::memcpy(info, source->infoPrefix.data(), source->infoPrefix.size());
        infoEnd += source->infoPrefix.size();
    }
    if (const UnitDefinition* target = findDefinition(to)) {
        applySteps(target->fromBase, value, factor);
        if (target->showsFactor)
            infoEnd += writeFactorText(factor, infoEnd);
        std::memcpy(infoEnd, target->suffix.data(), target->suffix.size());
        infoEnd += target->suffix.size();
    }

    // The title is the result text with the product name after it: write
    // both at once and hand the result its beginning.
    char title[kNineteenDecimalCapacity + kTitleEnd.size()];
    const std::size_t resultLength = writeResult(value, form, title);
    std::memcpy(title + resultLength, kTitleEnd.data(), kTitleEnd.size());
    setText(out.result, title, resultLength);
    setText(out.title, title, resultLength + kTitleEnd.size());
    setText(out.info, info, static_cast<std::size_t>(infoEnd - info));
}

void AppendResult(std::string_view input, UnitCode from, UnitCode to, std::string& out, ResultForm form)
{
    if (input.empty())
        return;
    char result[kNineteenDecimalCapacity];
    out.append(result, writeResult(convertValue(readNumber(input), from, to), form, result));
}

} // namespace quantaro
