// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Which SDL audio drivers the sound system lets SDL try, decided before SDL
// starts its audio subsystem.
//
// Why: on a machine where ALSA has no output (no sound card, no ALSA route to
// a sound server), SDL still starts its ALSA driver, fails to open the
// device, and shutting that driver down again waits up to 100 ms for its
// device-watching thread. That wait was most of the game's start-up time on
// such machines. When ALSA cannot play, only a sound server (PipeWire,
// PulseAudio) can still reach a speaker, a Bluetooth or network one, and
// SDL's drivers for those fail quickly and quietly when no server runs. The
// other drivers (sndio, OSS, JACK) need a card too, and sndio's prints an
// error of its own as it fails. With no server driver at all, the silent
// driver is the answer straight away.

#include <QString>
#include <QStringList>

namespace kestrava::sound {

// The driver that opens when no output device does: it consumes the sound in
// real time and plays nothing.
inline constexpr char kSilentDriver[] = "dummy";

// What the machine tells us before SDL starts.
struct AudioMachine {
    // The player named a driver (SDL_AUDIODRIVER): always respected as it is.
    bool driverNamed = false;
    // ALSA's default output opens (a card, or a configured route).
    bool alsaPlays = true;
    // SDL's audio drivers in SDL's own order of preference.
    QStringList sdlDrivers;
};

// The comma-separated driver list to hand SDL, or an empty string to leave
// SDL's own choice untouched.
QString audioDriverList(const AudioMachine& machine);

}  // namespace kestrava::sound
