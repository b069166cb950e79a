// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzzes the integer conversion that reads the stored best score.
//
// The input bytes become text twice: as Latin-1, exactly as a line of the
// `score` file does, and, when they are valid UTF-8, as UTF-8 too, so that
// characters beyond Latin-1 (other scripts' digits, wide spaces) are tried
// as well. Each text is converted and compared with a reference conversion
// built independently on std::from_chars; they must agree on accepting and
// on the value, and a rejection must carry the exact error text. A mismatch
// aborts, which libFuzzer reports as a finding.

#include "framework/Errors.h"
#include "framework/IntConv.h"

#include <QString>
#include <QStringDecoder>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Any character outside ASCII becomes this byte, which is neither a digit,
// a sign, a space nor a prefix, so the reference rejects it as it should.
constexpr char kNotAscii = '\x80';
constexpr std::size_t kMaxHexDigits = 8;

std::string asciiOf(const QString& text) {
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text)
        ascii.push_back(c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : kNotAscii);
    return ascii;
}

bool allOf(std::string_view s, bool (*isDigit)(char)) {
    for (char c : s)
        if (!isDigit(c))
            return false;
    return !s.empty();
}
bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) {
    return isDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::optional<int> referenceHex(std::string_view digits) {
    if (digits.size() > kMaxHexDigits || !allOf(digits, isHexDigit))
        return std::nullopt;
    std::uint32_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    return static_cast<std::int32_t>(value);
}

std::optional<int> referenceDecimal(std::string_view s) {
    std::string_view digits = s;
    if (s.starts_with('+') || s.starts_with('-'))
        digits.remove_prefix(1);
    if (!allOf(digits, isDecimalDigit))
        return std::nullopt;
    // from_chars reads a minus itself but not a plus.
    if (s.starts_with('+'))
        s.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

std::optional<int> reference(const QString& text) {
    const std::string ascii = asciiOf(text);
    std::string_view s = ascii;
    while (s.starts_with(' '))
        s.remove_prefix(1);
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (s.starts_with(prefix))
            return referenceHex(s.substr(prefix.size()));
    }
    return referenceDecimal(s);
}

[[noreturn]] void fail(const char* what, const QString& text) {
    std::fprintf(stderr, "integer conversion: %s for '%s'\n", what, qPrintable(text));
    std::abort();
}

void checkAgainstReference(const QString& text) {
    const std::optional<int> expected = reference(text);
    try {
        const int value = kestrava::StrToInt(text);
        if (!expected)
            fail("accepted a text the reference rejects", text);
        if (value != *expected)
            fail("value differs from the reference", text);
    } catch (const kestrava::EConvertError& error) {
        if (expected)
            fail("rejected a text the reference accepts", text);
        if (error.message() != QLatin1Char('\'') + text +
                                   QStringLiteral("' is not a valid integer value"))
            fail("wrong error text", text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* chars = reinterpret_cast<const char*>(data);
    const auto length = static_cast<qsizetype>(size);
    checkAgainstReference(QString::fromLatin1(chars, length));

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(QByteArrayView(chars, length));
    if (!utf8.hasError())
        checkAgainstReference(decoded);
    return 0;
}
