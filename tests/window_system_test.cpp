// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowSystem.h"

#include <gtest/gtest.h>

using kestrava::platformRequest;
using kestrava::Session;

TEST(PlatformRequestTest, XWhereThereIsAnXDisplayUnlessThePlayerChose) {
    struct Row {
        const char* what;
        Session session;
        QByteArray expected;
    };
    // Fields: QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY.
    const Row rows[] = {
        {"a Wayland session with XWayland: X, Wayland if X fails",
         {"", ":0", "wayland-0"}, "xcb;wayland"},
        {"an X session", {"", ":0", ""}, "xcb"},
        {"Wayland without XWayland: Qt's own choice", {"", "", "wayland-0"}, ""},
        {"the player chose Wayland", {"wayland", ":0", "wayland-0"}, ""},
        {"the player chose X", {"xcb", ":0", "wayland-0"}, ""},
        {"no display at all: Qt's own choice and its own message", {"", "", ""}, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(platformRequest(row.session), row.expected) << row.what;
}
