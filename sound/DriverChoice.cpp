// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/DriverChoice.h"

namespace kestrava::sound {

namespace {

constexpr char kAlsaDriver[] = "alsa";
constexpr char kPipewireDriver[] = "pipewire";
constexpr char kPulseAudioDriver[] = "pulseaudio";
constexpr char kDefaultPipewireRemote[] = "pipewire-0";

bool mayTryServer(const QString& driver, const AudioMachine& machine) {
    return isServerDriver(driver) &&
           (driver != QLatin1String(kPipewireDriver) || machine.pipewireListens);
}

bool mayTryAlsa(const AudioMachine& machine) {
    return machine.alsaPlays && machine.sdlDrivers.contains(QLatin1String(kAlsaDriver)) &&
           !isServerDriver(machine.lostDriver);
}

}  // namespace

bool isServerDriver(const QString& driver) {
    return driver == QLatin1String(kPipewireDriver) ||
           driver == QLatin1String(kPulseAudioDriver);
}

QStringList audioDrivers(const AudioMachine& machine) {
    if (!machine.namedDriver.isEmpty())
        return {machine.namedDriver};
    QStringList worthTrying;
    for (const QString& driver : machine.sdlDrivers) {
        if (mayTryServer(driver, machine))
            worthTrying.append(driver);
    }
    if (mayTryAlsa(machine))
        worthTrying.append(QLatin1String(kAlsaDriver));
    if (machine.lostDriver.isEmpty())
        worthTrying.append(QLatin1String(kSilentDriver));
    return worthTrying;
}

QString pipewireSocketPath(const PipewireEnvironment& environment) {
    if (environment.remote.startsWith(QLatin1Char('/')))
        return environment.remote;
    const QString folder = !environment.runtimeDir.isEmpty() ? environment.runtimeDir
                                                             : environment.xdgRuntimeDir;
    if (folder.isEmpty())
        return {};
    const QString name = !environment.remote.isEmpty()
                             ? environment.remote
                             : QLatin1String(kDefaultPipewireRemote);
    return folder + QLatin1Char('/') + name;
}

}  // namespace kestrava::sound
