// SPDX-License-Identifier: MIT
#include "base/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace numtext {

QByteArrayView trimmed(QByteArrayView text) {
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32)
        --e;
    return text.sliced(b, e - b);
}

static bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<double> parseFloat(QByteArrayView text) {
    const QByteArrayView t = trimmed(text);
    const char* p = t.data();
    const char* const end = p + t.size();
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // Check the shape first; from_chars alone would also take "inf", "nan" and hex forms. Collect
    // the digits on the way for the fast path below.
    const char* q = p;
    int digits = 0;
    int fractionDigits = 0;
    std::uint64_t mantissa = 0;
    bool mantissaExact = true;
    auto take = [&](char c) {
        if (mantissa > (std::uint64_t(1) << 53) / 10)
            mantissaExact = false;
        mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
        ++digits;
    };
    while (q < end && isDigit(*q))
        take(*q++);
    if (q < end && *q == '.') {
        ++q;
        while (q < end && isDigit(*q)) {
            take(*q++);
            ++fractionDigits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool hasExponent = false;
    if (q < end && (*q == 'e' || *q == 'E')) {
        hasExponent = true;
        ++q;
        if (q < end && (*q == '+' || *q == '-'))
            ++q;
        if (q == end || !isDigit(*q))
            return std::nullopt;
        while (q < end && isDigit(*q))
            ++q;
    }
    if (q != end)
        return std::nullopt;

    // Fast path: a mantissa below 2^53 and at most 22 decimals are exact doubles, so one division
    // gives the correctly rounded value, the very one from_chars gives.
    static constexpr double Powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (!hasExponent && mantissaExact && mantissa <= (std::uint64_t(1) << 53) &&
        fractionDigits <= 22) {
        const double value = static_cast<double>(mantissa) / Powers[fractionDigits];
        return negative ? -value : value;
    }

    // The sign is already consumed (from_chars would not take a '+'). A value beyond the range of a
    // double is not a number either.
    double value = 0;
    const auto [ptr, ec] = std::from_chars(p, end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<int> parseInt(QByteArrayView text) {
    const QByteArrayView t = trimmed(text);
    const char* p = t.data();
    const char* const end = p + t.size();
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    if (p == end)
        return std::nullopt;
    long long v = 0;
    for (; p < end; ++p) {
        if (!isDigit(*p))
            return std::nullopt;
        v = v * 10 + (*p - '0');
        if (v > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(v);
}

namespace {

QByteArray nonFinite(double value) {
    return std::isnan(value) ? QByteArray("NAN") : (value > 0 ? "INF" : "-INF");
}

// Rounds the decimal number `intPart`.`frac` half away from zero to `decimals` decimals and
// writes it with "." as separator; a result of zero has no sign.
QByteArray roundDecimalText(bool negative, std::string intPart, std::string frac, int decimals) {
    if (intPart.empty())
        intPart.push_back('0'); // not `= "0"`: GCC 12 at -O3 warns falsely of overlapping copies
    bool roundUp = false;
    if (static_cast<int>(frac.size()) > decimals) {
        roundUp = frac[static_cast<size_t>(decimals)] >= '5';
        frac.resize(static_cast<size_t>(decimals));
    } else {
        frac.append(static_cast<size_t>(decimals) - frac.size(), '0');
    }
    std::string all = intPart + frac;
    if (roundUp) {
        int i = static_cast<int>(all.size()) - 1;
        for (; i >= 0; --i) {
            if (all[static_cast<size_t>(i)] == '9') {
                all[static_cast<size_t>(i)] = '0';
            } else {
                ++all[static_cast<size_t>(i)];
                break;
            }
        }
        if (i < 0)
            all.insert(all.begin(), '1');
    }
    const size_t intLen = all.size() - static_cast<size_t>(decimals);
    std::string out = all.substr(0, intLen);
    if (decimals > 0)
        out += '.' + all.substr(intLen);
    bool allZero = true;
    for (char c : all)
        if (c != '0')
            allZero = false;
    if (negative && !allZero)
        out.insert(out.begin(), '-');
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

} // namespace

QByteArray formatFixed(double value, int decimals) {
    if (!std::isfinite(value))
        return nonFinite(value);
    // Take the shortest text that reads back as the value (what a person wrote in the file), then
    // round that decimal text half away from zero.
    char shortest[400]; // fixed notation of the largest double fits
    const auto res =
        std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::fixed);
    std::string digits(shortest, res.ec == std::errc() ? res.ptr : shortest);
    bool negative = false;
    if (!digits.empty() && digits[0] == '-') {
        negative = true;
        digits.erase(0, 1);
    }
    std::string intPart = digits;
    std::string frac;
    if (const auto dot = digits.find('.'); dot != std::string::npos) {
        intPart = digits.substr(0, dot);
        frac = digits.substr(dot + 1);
    }
    return roundDecimalText(negative, intPart, frac, decimals);
}

QByteArray formatFixedSignificant(double value, int decimals, int significant) {
    if (!std::isfinite(value))
        return nonFinite(value);
    significant = std::clamp(significant, 1, 17);
    // d.ddd...e+XX: the first `significant` digits, correctly rounded, and the decimal exponent.
    char text[64];
    const auto res = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific,
                                   significant - 1);
    const std::string_view all(text, res.ec == std::errc() ? res.ptr : text);
    const size_t e = all.find('e');
    if (e == std::string_view::npos)
        return formatFixed(value, decimals);
    std::string_view mantissa = all.substr(0, e);
    const bool negative = !mantissa.empty() && mantissa.front() == '-';
    if (negative)
        mantissa.remove_prefix(1);
    std::string digits;
    for (char c : mantissa)
        if (isDigit(c))
            digits += c;
    int exponent = 0;
    std::string_view exp = all.substr(e + 1);
    if (!exp.empty() && exp.front() == '+')
        exp.remove_prefix(1);
    std::from_chars(exp.data(), exp.data() + exp.size(), exponent);

    // The value is 0.digits x 10^(exponent + 1): place the point.
    const int point = exponent + 1;
    std::string intPart;
    std::string frac;
    if (point <= 0) {
        frac = std::string(static_cast<size_t>(-point), '0') + digits;
    } else if (point >= static_cast<int>(digits.size())) {
        intPart = digits + std::string(static_cast<size_t>(point) - digits.size(), '0');
    } else {
        intPart = digits.substr(0, static_cast<size_t>(point));
        frac = digits.substr(static_cast<size_t>(point));
    }
    return roundDecimalText(negative, intPart, frac, decimals);
}

} // namespace numtext
