// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowSystem.h"

namespace kestrava {

namespace {

constexpr char kX11Platform[] = "xcb";
constexpr char kWaylandFallback[] = ";wayland";

}  // namespace

QByteArray platformRequest(const Session& session) {
    if (!session.namedPlatform.isEmpty() || session.xDisplay.isEmpty())
        return {};
    QByteArray request(kX11Platform);
    if (!session.waylandDisplay.isEmpty())
        request += kWaylandFallback;
    return request;
}

Session currentSession() {
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY")};
}

}  // namespace kestrava
