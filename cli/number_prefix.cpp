// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "cli/number_prefix.h"

#include "engine/number_text.h"

#include <algorithm>
#include <charconv>

namespace quantaro::cli {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Beyond these powers of ten every double reads as infinity or 0 whatever
// 801 digits stand before them, so larger ones need not be told apart.
constexpr std::int64_t kExponentLimit = 100000;
// Where the written exponent and the count of dropped integer digits stop
// growing: far beyond kExponentLimit, and far from overflowing when added.
constexpr std::int64_t kSaturation = 1'000'000'000'000'000;

} // namespace

void NumberPrefix::digit(char c, bool fraction)
{
    anyDigit_ = true;
    if (kept_ == 0 && c == '0') {
        // A leading zero adds nothing, but one in the fraction moves the point.
        if (fraction)
            --scale_;
        return;
    }
    if (kept_ < kKeptDigits) {
        text_[1 + kept_++] = c;
        if (fraction)
            --scale_;
        return;
    }
    if (c != '0')
        sticky_ = true;
    if (!fraction && scale_ < kSaturation)
        ++scale_;
}

void NumberPrefix::feed(std::string_view piece)
{
    for (const char c : piece) {
        switch (state_) {
        case State::Blanks:
            if (isBlank(c))
                break;
            if (c == '+' || c == '-') {
                negative_ = c == '-';
                state_ = State::Sign;
                break;
            }
            [[fallthrough]];
        case State::Sign:
            if (isDigit(c)) {
                digit(c, false);
                state_ = State::Integer;
            } else if (c == '.') {
                state_ = State::PointFirst;
            } else {
                state_ = State::Done;
            }
            break;
        case State::Integer:
            if (isDigit(c))
                digit(c, false);
            else if (c == '.')
                state_ = State::Fraction;
            else
                state_ = (c == 'e' || c == 'E') ? State::ExponentMark : State::Done;
            break;
        case State::PointFirst:
        case State::Fraction:
            if (isDigit(c)) {
                digit(c, true);
                state_ = State::Fraction;
            } else if (state_ == State::Fraction && (c == 'e' || c == 'E')) {
                state_ = State::ExponentMark;
            } else {
                state_ = State::Done;
            }
            break;
        case State::ExponentMark:
            if (c == '+' || c == '-') {
                exponentNegative_ = c == '-';
                state_ = State::ExponentSign;
                break;
            }
            [[fallthrough]];
        case State::ExponentSign:
        case State::Exponent:
            if (isDigit(c)) {
                if (exponent_ < kSaturation)
                    exponent_ = exponent_ * 10 + (c - '0');
                state_ = State::Exponent;
            } else {
                state_ = State::Done;
            }
            break;
        case State::Done:
            return;
        }
    }
}

std::string_view NumberPrefix::text()
{
    // Without digits the text reads as 0; with only zeros as a signed zero.
    if (!anyDigit_)
        return "0";
    text_[0] = '-';
    const std::size_t start = negative_ ? 0 : 1;
    if (kept_ == 0) {
        text_[1] = '0';
        return {text_.data() + start, 2 - start};
    }
    std::size_t size = 1 + kept_;
    std::int64_t scale = scale_;
    if (sticky_) {
        text_[size++] = '1';
        --scale;
    }
    // exponent_ stays 0 unless a digit followed the exponent's mark.
    scale += exponentNegative_ ? -exponent_ : exponent_;
    scale = std::clamp(scale, -kExponentLimit, kExponentLimit);
    if (scale != 0) {
        text_[size++] = 'e';
        size = static_cast<std::size_t>(std::to_chars(text_.data() + size, text_.data() + text_.size(), scale).ptr - text_.data());
    }
    return {text_.data() + start, size - start};
}

} // namespace quantaro::cli
