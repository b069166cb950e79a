// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Times a program's start: from just before its process is created to the
// moment the X server maps its first top-level window, and its peak resident
// memory up to then.
//
// The probe holds its own X connection and listens for MapNotify on the root
// window, so the window is seen the moment it is mapped, without polling the
// server; a mapped window belongs to the started process when its _NET_WM_PID
// says so. Run it on a display without a window manager (a manager would
// reparent the window and map it later). Once mapped, the process is killed
// and reaped; its peak RSS comes from wait4().

#include <QByteArray>
#include <QList>
#include <QtGlobal>
#include <optional>

struct xcb_connection_t;

namespace kestrava::bench {

struct StartSample {
    double wallMs;
    double peakMiB;
};

class StartupProbe {
public:
    StartupProbe();
    ~StartupProbe();
    StartupProbe(const StartupProbe&) = delete;
    StartupProbe& operator=(const StartupProbe&) = delete;

    bool connected() const { return connection_ != nullptr; }

    // Starts `command` (program, arguments) with working directory `workDir` and the bench's own
    // environment plus `extraEnvironment` ("NAME=value" entries), waits at
    // most `timeoutMs` for its window. Nothing when the window never came.
    std::optional<StartSample> measure(const QList<QByteArray>& command, const QByteArray& workDir,
                                       int timeoutMs,
                                       const QList<QByteArray>& extraEnvironment = {});

private:
    // When the window of `pid` was seen mapped, or -1 at the deadline.
    qint64 waitForWindowOf(int pid, qint64 deadlineNs);
    bool ownedBy(unsigned window, int pid);

    xcb_connection_t* connection_ = nullptr;
    unsigned pidAtom_ = 0;
};

}  // namespace kestrava::bench
