// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Times arrow keys from the X server to the pixels they move: from the
// moment a key press is sent through XTEST to the moment the X server holds
// the window's new pixels of the deck piece.
//
// The probe holds an X connection of its own and watches the window with
// XDamage, so it learns of every drawing into the window as the server does
// it, without polling; when a drawing covers the piece's column, it reads
// that column back (a 1-pixel-wide xcb_get_image) and finds the piece in it.
// The press is answered when the piece stands 5 px from where it stood; the
// time is taken when the damage is read, before the round trip that checks
// it. The piece is found by its colour, the game's maroon, so the same probe
// serves the game and a bare window that paints a piece alike.
//
// Run on a display without a window manager: the probe gives the window the
// input focus itself.

#include <QtGlobal>
#include <optional>
#include <random>
#include <vector>

struct xcb_connection_t;

namespace kestrava::bench {

struct KeyPresses {
    std::vector<double> latenciesMs;  // one per answered press
    // Presses whose piece moved elsewhere than 5 px (another hand moved it
    // in the same frame: the scripted player, or a wrap at an end).
    int disturbed = 0;
    // Presses after which the piece was not seen moved within the probe's
    // wait (lost, or put back by another hand before it was painted).
    int unanswered = 0;
};

// A window the probe presses keys into, and where the piece is in it.
struct KeyTarget {
    unsigned window = 0;
    int height = 0;
    int column = -1;  // x in the window of a column through the piece
};

class KeyLatencyProbe {
public:
    KeyLatencyProbe();
    ~KeyLatencyProbe();
    KeyLatencyProbe(const KeyLatencyProbe&) = delete;
    KeyLatencyProbe& operator=(const KeyLatencyProbe&) = delete;

    // Connected, with the XTEST and DAMAGE extensions and the arrow keys.
    bool ready() const { return ready_; }

    // Waits up to `timeoutMs` for a mapped top-level window of process `pid`
    // that shows the piece, and starts watching its damage; nothing when none
    // came.
    std::optional<KeyTarget> findWindowOf(int pid, int timeoutMs);

    // Gives `target` the focus and presses Up and Down in turn, `presses`
    // times, each after a random pause of `pauseMs` (low, high) once the
    // previous press was answered or given up. Adds to `into`.
    void press(const KeyTarget& target, int presses, std::pair<int, int> pauseMs,
               std::mt19937& random, KeyPresses& into);

private:
    int pieceTopIn(const KeyTarget& target);
    // Reads events until a damage of `target` covering its piece's column, or
    // the deadline; returns when it was read, or -1.
    qint64 waitForDamageOf(const KeyTarget& target, qint64 deadlineNs);
    void pauseFor(int ms);
    void sendKey(unsigned char keycode);
    void pressOnce(const KeyTarget& target, unsigned char keycode, KeyPresses& into);

    xcb_connection_t* connection_ = nullptr;
    bool ready_ = false;
    unsigned root_ = 0;
    unsigned pidAtom_ = 0;
    unsigned char damageEvent_ = 0;
    unsigned char upKey_ = 0;
    unsigned char downKey_ = 0;
};

}  // namespace kestrava::bench
