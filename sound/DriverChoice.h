// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Which SDL audio drivers the sound system lets SDL try, decided before SDL
// starts its audio subsystem, at start-up and again whenever the output is
// reopened after it went away.
//
// Why an explicit list rather than SDL's own order:
// - A sound server comes first. Where one runs (PipeWire, or PulseAudio or
//   PipeWire's PulseAudio service) it owns the card, mixes the game with
//   everything else and follows the player's choice of speaker; ALSA's card
//   would be busy or bypass it.
// - PipeWire's driver is tried only where a PipeWire socket exists. Without
//   a running server its client library still loads its configuration and,
//   where PipeWire itself is not installed, prints "[E] pw.conf ... can't
//   load default config client.conf" on stderr before it fails. With no
//   socket it cannot connect anyway, so skipping it loses nothing. (Quieting
//   it through PIPEWIRE_LOG_LEVEL would also hide the messages of a real
//   PipeWire fault and change the environment every library of the process
//   sees.) PulseAudio's driver fails quickly and quietly with no server.
// - ALSA only where it can play. On a machine where it has no output (no
//   sound card, no ALSA route to a sound server), SDL still starts its ALSA
//   driver, fails to open the device, and shutting that driver down again
//   waits up to 100 ms for its device-watching thread, which was most of the
//   game's start-up time on such machines. The other drivers (sndio, OSS,
//   JACK) need a card too, and sndio's prints an error of its own as it
//   fails.
// - The silent driver last, so the game always gets an output at start-up.
// - Getting back a sound server that went away (restarted after a suspend,
//   a crash, a change of headset), only a server counts: settling for the
//   card through ALSA would keep the game off the server for the rest of the
//   run, and silence is what the game already has.

#include <QString>
#include <QStringList>

namespace kestrava::sound {

// The driver that opens when no output device does: it consumes the sound in
// real time and plays nothing.
inline constexpr char kSilentDriver[] = "dummy";

// What the machine tells us before SDL starts.
struct AudioMachine {
    // The driver the player named in SDL_AUDIODRIVER, always respected as it
    // is; empty when none is named.
    QString namedDriver;
    // ALSA's default output opens (a card, or a configured route).
    bool alsaPlays = true;
    // A PipeWire server's socket exists (see pipewireSocketPath()).
    bool pipewireListens = false;
    // The driver whose output went away, when the output is being reopened;
    // empty at start-up.
    QString lostDriver;
    // SDL's audio drivers in SDL's own order of preference.
    QStringList sdlDrivers;
};

// The drivers to let SDL try, in order. At start-up the list always ends in
// the silent driver. When reopening after a sound server went away it holds
// only sound-server drivers, and it is empty when no server can be reached
// yet: the caller then stays silent and asks again later.
QStringList audioDrivers(const AudioMachine& machine);

// Whether `driver` is one of SDL's drivers for a sound server.
bool isServerDriver(const QString& driver);

// The environment that tells where a PipeWire client connects.
struct PipewireEnvironment {
    QString remote;             // PIPEWIRE_REMOTE: a socket name or an absolute path
    QString runtimeDir;         // PIPEWIRE_RUNTIME_DIR
    QString xdgRuntimeDir;      // XDG_RUNTIME_DIR
};

// The socket PipeWire's client library connects to, as that library finds
// it: an absolute PIPEWIRE_REMOTE as it stands, otherwise the remote's name
// (default "pipewire-0") in PIPEWIRE_RUNTIME_DIR or, failing that,
// XDG_RUNTIME_DIR. Empty when there is no runtime folder to look in.
QString pipewireSocketPath(const PipewireEnvironment& environment);

}  // namespace kestrava::sound
