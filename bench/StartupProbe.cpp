// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/StartupProbe.h"

#include "bench/Results.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace kestrava::bench {

namespace {
constexpr double KiBPerMiB = 1024.0;

// The bench's environment with `extra` ("NAME=value") added.
std::vector<char*> environmentWith(const QList<QByteArray>& extra) {
    std::vector<char*> env;
    for (char** entry = environ; *entry; ++entry)
        env.push_back(*entry);
    for (const QByteArray& entry : extra)
        env.push_back(const_cast<char*>(entry.constData()));
    env.push_back(nullptr);
    return env;
}

// Starts `command` (program, arguments) in `workDir` with its output discarded; returns its pid.
int spawn(const QList<QByteArray>& command, const QByteArray& workDir,
          const QList<QByteArray>& extraEnvironment) {
    std::vector<char*> env = environmentWith(extraEnvironment);
    std::vector<char*> argv;
    for (const QByteArray& word : command)
        argv.push_back(const_cast<char*>(word.constData()));
    argv.push_back(nullptr);
    const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const int pid = fork();
    if (pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        if (chdir(workDir.constData()) != 0)
            _exit(127);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        execve(argv[0], argv.data(), env.data());
        _exit(127);
    }
    close(devNull);
    return pid;
}
}  // namespace

StartupProbe::StartupProbe() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    connection_ = c;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    const char name[] = "_NET_WM_PID";
    auto* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
    if (reply)
        pidAtom_ = reply->atom;
    free(reply);
    xcb_flush(c);
}

StartupProbe::~StartupProbe() {
    if (connection_)
        xcb_disconnect(connection_);
}

bool StartupProbe::ownedBy(unsigned window, int pid) {
    auto* reply = xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    const bool owned = reply && xcb_get_property_value_length(reply) == 4 &&
                       *static_cast<const uint32_t*>(xcb_get_property_value(reply)) ==
                           uint32_t(pid);
    free(reply);
    return owned;
}

qint64 StartupProbe::waitForWindowOf(int pid, qint64 deadlineNs) {
    pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            // Stamped as read, before the round trip that asks whose it is.
            const qint64 seenNs = steadyNs();
            const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
            const unsigned window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            free(event);
            if (mapped && ownedBy(window, pid))
                return seenNs;
        }
        const qint64 leftMs = (deadlineNs - steadyNs()) / 1'000'000;
        if (leftMs <= 0 || xcb_connection_has_error(connection_))
            return -1;
        if (poll(&fd, 1, int(leftMs)) < 0 && errno != EINTR)
            return -1;
    }
}

std::optional<StartSample> StartupProbe::measure(const QList<QByteArray>& command,
                                                 const QByteArray& workDir, int timeoutMs,
                                                 const QList<QByteArray>& extraEnvironment) {
    if (!connection_)
        return std::nullopt;
    const qint64 startNs = steadyNs();
    const int pid = spawn(command, workDir, extraEnvironment);
    if (pid < 0)
        return std::nullopt;
    const qint64 mappedNs = waitForWindowOf(pid, startNs + qint64(timeoutMs) * 1'000'000);
    // SIGKILL: SDL turns SIGTERM into a quit event, which the game never reads.
    kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (mappedNs < 0)
        return std::nullopt;
    return StartSample{double(mappedNs - startNs) / 1e6, double(usage.ru_maxrss) / KiBPerMiB};
}

}  // namespace kestrava::bench
