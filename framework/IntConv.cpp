// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/IntConv.h"

#include "framework/Errors.h"

#include <QStringView>
#include <cstdint>
#include <optional>

namespace kestrava {

namespace {

constexpr int kMaxHexDigits = 8;
constexpr int kHexBase = 16;
constexpr int kDecimalBase = 10;
// 'a' and 'A' stand for ten.
constexpr int kFirstLetterDigit = 10;
// The magnitude limits of a signed 32-bit value.
constexpr std::int64_t kMaxPositive = INT32_MAX;
constexpr std::int64_t kMaxNegative = -static_cast<std::int64_t>(INT32_MIN);

// The value of one ASCII digit in `base` (10 or 16), or nothing. Other
// scripts' digits are deliberately not digits here.
std::optional<int> digitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == kHexBase && u >= u'a' && u <= u'f')
        return u - u'a' + kFirstLetterDigit;
    if (base == kHexBase && u >= u'A' && u <= u'F')
        return u - u'A' + kFirstLetterDigit;
    return std::nullopt;
}

// Length of the hexadecimal prefix at the start of `text`, 0 when none.
qsizetype hexPrefixLength(QStringView text) {
    if (text.startsWith(u'$') || text.startsWith(u'x') || text.startsWith(u'X'))
        return 1;
    if (text.startsWith(u"0x") || text.startsWith(u"0X"))
        return 2;
    return 0;
}

// 1 to 8 hex digits and nothing else; the 32 bits are read as two's complement.
std::optional<int> parseHexDigits(QStringView digits) {
    if (digits.isEmpty() || digits.size() > kMaxHexDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (QChar c : digits) {
        const auto digit = digitValue(c, kHexBase);
        if (!digit)
            return std::nullopt;
        value = value * kHexBase + static_cast<std::uint32_t>(*digit);
    }
    return static_cast<std::int32_t>(value);
}

// An optional sign and at least one decimal digit, fitting 32 bits signed.
// Leading zeros are allowed in any number, as they do not change the value.
std::optional<int> parseDecimal(QStringView text) {
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.mid(1);
    if (text.isEmpty())
        return std::nullopt;
    const std::int64_t limit = negative ? kMaxNegative : kMaxPositive;
    std::int64_t magnitude = 0;
    for (QChar c : text) {
        const auto digit = digitValue(c, kDecimalBase);
        if (!digit)
            return std::nullopt;
        magnitude = magnitude * kDecimalBase + *digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::optional<int> parseInteger(QStringView text) {
    while (text.startsWith(u' '))
        text = text.mid(1);
    const qsizetype prefix = hexPrefixLength(text);
    return prefix > 0 ? parseHexDigits(text.mid(prefix)) : parseDecimal(text);
}

}  // namespace

int StrToInt(const QString& text) {
    const auto value = parseInteger(text);
    if (!value)
        throw EConvertError(QLatin1Char('\'') + text +
                            QStringLiteral("' is not a valid integer value"));
    return *value;
}

}  // namespace kestrava
