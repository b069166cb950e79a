// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/BenchGame.h"

#include "game/GameRules.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace kestrava::bench {

std::vector<NamedTimer> measuredTimers(const TForm2& g) {
    constexpr int SecondMs = 1000;
    return {
        {QStringLiteral("Timer1"), &g.Timer1, rules::Bus.timerMs},
        {QStringLiteral("Timer3"), &g.Timer3, rules::Truck.timerMs},
        {QStringLiteral("Timer4"), &g.Timer4, rules::Tram.timerMs},
        {QStringLiteral("Timer5"), &g.Timer5, rules::Motorka.timerMs},
        {QStringLiteral("hodinky"), &g.hodinky, SecondMs},
        {QStringLiteral("Timer2"), &g.Timer2, SecondMs},
    };
}

bool isVehicleTimer(const TForm2& g, const void* owner) {
    return owner == &g.Timer1 || owner == &g.Timer3 || owner == &g.Timer4 || owner == &g.Timer5;
}

bool prepareRunFolder(const QString& folder, const QString& sourceDir) {
    const QDir sounds(sourceDir + QStringLiteral("/assets/sounds"));
    QDir(folder).mkpath(QStringLiteral("sounds"));
    for (const QString& wav : sounds.entryList({QStringLiteral("*.wav")}, QDir::Files)) {
        const QString copy = folder + QStringLiteral("/sounds/") + wav;
        QFile::remove(copy);
        if (!QFile::copy(sounds.filePath(wav), copy)) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(sounds.filePath(wav)));
            return false;
        }
    }
    QFile score(folder + QStringLiteral("/score"));
    if (!score.open(QIODevice::WriteOnly) || score.write("0000\r\n") != 6)
        return false;
    score.close();
    return QDir::setCurrent(folder);
}

void PrintingReporter::report(const Exception& error) {
    ++reports;
    std::fprintf(stderr, "reported: %s: %s\n", qPrintable(error.className()),
                 qPrintable(error.message()));
}

namespace {
struct SilentCue : sound::Cue {
    void Play() override {}
};
}  // namespace

std::unique_ptr<sound::Cue> SilentSounds::open(const QString&) {
    return std::make_unique<SilentCue>();
}

}  // namespace kestrava::bench
