// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which window system the game asks Qt for, decided before the application
// object exists.
//
// Why X first: the rules of play assume both windows are the same size and
// centred on the screen, the game window covering the title window. Under X
// (XWayland on a Wayland session) the game places and stacks its windows
// itself; a Wayland client cannot place a window at all, and the compositor
// decides where it goes. So where an X display is there, the game uses it;
// without one it runs natively on Wayland. A platform the player names in
// QT_QPA_PLATFORM is always respected as it is.

#include <QByteArray>
#include <QString>

class QWidget;

namespace kestrava {

// The desktop file's id, which docks and task bars match against the
// window's Wayland app_id and X11 class to find the menu entry and icon.
inline constexpr char kDesktopFileId[] = "net.kestrava.Kestrava";

// What the session offers when the game starts.
struct Session {
    QByteArray namedPlatform;   // QT_QPA_PLATFORM
    QByteArray xDisplay;        // DISPLAY
    QByteArray waylandDisplay;  // WAYLAND_DISPLAY
};

// The Qt platform plugins to ask for, in order and separated by ';' as Qt
// reads them, or empty to leave the choice to Qt. Wayland stays the fallback
// where an X display is named but cannot be reached.
QByteArray platformRequest(const Session& session);

// The session this process runs in, from its environment.
Session currentSession();

// On native Wayland, makes the window `upper` a child of the window `lower`.
// A Wayland client cannot place its windows: the compositor puts each new
// window where it likes, and a click raises the window clicked. A child is
// kept above its parent, so a click on `lower` never hides `upper`. Under X
// the windows place and stack themselves and stay independent, so this does
// nothing there. Call it before either window is shown.
void keepAboveOnWayland(QWidget& upper, QWidget& lower);

}  // namespace kestrava
