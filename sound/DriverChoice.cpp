// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/DriverChoice.h"

namespace kestrava::sound {

namespace {

// SDL's drivers for sound servers, which can play without a local card.
const QStringList kServerDrivers = {QStringLiteral("pipewire"), QStringLiteral("pulseaudio")};

}  // namespace

QString audioDriverList(const AudioMachine& machine) {
    if (machine.driverNamed || machine.alsaPlays)
        return {};
    QStringList worthTrying;
    for (const QString& driver : machine.sdlDrivers) {
        if (kServerDrivers.contains(driver))
            worthTrying.append(driver);
    }
    if (worthTrying.isEmpty())
        return QLatin1String(kSilentDriver);
    return worthTrying.join(QLatin1Char(','));
}

}  // namespace kestrava::sound
