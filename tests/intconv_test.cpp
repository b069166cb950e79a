// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Errors.h"
#include "framework/IntConv.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>
#include <climits>

using namespace kestrava;

namespace {

struct Accepted {
    const char16_t* text;
    int value;
};

const Accepted kAccepted[] = {
    {u"0", 0},
    {u"0000", 0},
    {u"350", 350},
    {u"-0", 0},
    {u"+5", 5},
    {u"-17", -17},
    {u"2147483647", INT_MAX},
    {u"-2147483648", INT_MIN},
    {u"+2147483647", INT_MAX},
    {u"00000000000000000000012", 12},
    {u"-00000000002147483648", INT_MIN},
    {u" 12", 12},
    {u"   -12", -12},
    {u"$0", 0},
    {u"$ff", 255},
    {u"x1F", 31},
    {u"X1f", 31},
    {u"0x10", 16},
    {u"0XaBcD", 0xABCD},
    {u" $10", 16},
    {u"$7FFFFFFF", INT_MAX},
    {u"$80000000", INT_MIN},
    {u"$FFFFFFFF", -1},
    {u"0x00000001", 1},
};

const char16_t* const kRejected[] = {
    u"",
    u" ",
    u"+",
    u"-",
    u"12 ",
    u"\t12",
    u"1 2",
    u"- 5",
    u"+-5",
    u"2147483648",
    u"-2147483649",
    u"99999999999999999999",
    u"12a",
    u"1.5",
    u"1e3",
    u"$",
    u"x",
    u"0x",
    u"0X",
    u"-$10",
    u"+$10",
    u"-0x10",
    u"$123456789",
    u"0x0000000FF",
    u"$G",
    u"$ 1",
    u"$1 ",
    u"0x-1",
    u"00x1",
    u"h10",
    u"\u0661\u0662",  // Arabic-Indic digits
    u"\uFF11\uFF12",  // full-width digits
    u"\u00A012",      // no-break space is not a space here
};

TEST(StrToInt, AcceptsEveryValidForm) {
    for (const Accepted& c : kAccepted) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(StrToInt(text), c.value);
    }
}

TEST(StrToInt, RejectsEverythingElseNamingTheText) {
    for (const char16_t* raw : kRejected) {
        const QString text = QString::fromUtf16(raw);
        SCOPED_TRACE(text.toStdString());
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.className(), QStringLiteral("EConvertError"));
            EXPECT_EQ(error.message(),
                      QLatin1Char('\'') + text + QStringLiteral("' is not a valid integer value"));
        }
    }
}

TEST(StrToInt, MessageQuotesTheTextAsGiven) {
    const struct {
        QString text;
        QString message;
    } cases[] = {
        {QStringLiteral(" 12 "), QStringLiteral("' 12 ' is not a valid integer value")},
        {QString(), QStringLiteral("'' is not a valid integer value")},
    };
    for (const auto& c : cases) {
        try {
            StrToInt(c.text);
            ADD_FAILURE() << "accepted " << c.text.toStdString();
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.message(), c.message);
        }
    }
}

}  // namespace
