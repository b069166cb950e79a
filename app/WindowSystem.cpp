// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowSystem.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace kestrava {

namespace {

constexpr char kX11Platform[] = "xcb";
constexpr char kWaylandFallback[] = ";wayland";
constexpr char kWaylandPlatform[] = "wayland";

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

void keepAboveOnWayland(QWidget& upper, QWidget& lower) {
    if (QGuiApplication::platformName() != QLatin1String(kWaylandPlatform))
        return;
    // winId() makes each widget's native window, so both have a handle.
    upper.winId();
    lower.winId();
    upper.windowHandle()->setTransientParent(lower.windowHandle());
}

}  // namespace kestrava
