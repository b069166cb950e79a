// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Text to 32-bit signed integer, accepting exactly these forms:
// leading spaces (the space character only); then either an optional sign
// and decimal digits whose value fits a signed 32-bit integer, or, with no
// sign, a hexadecimal prefix ("$", "x", "X", "0x", "0X") and 1 to 8
// hexadecimal digits, values from 80000000 hex up coming out negative.
// Anything else (empty text, a sign before a hex prefix, a prefix with no
// digits, a trailing space, overflow) throws EConvertError
// "'<text>' is not a valid integer value".

#include <QString>

namespace kestrava {

int StrToInt(const QString& text);

}  // namespace kestrava
