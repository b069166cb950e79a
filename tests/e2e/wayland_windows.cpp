// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The title window and the game window as the start picture leaves them: the
// title window shown, then the game window shown over it, with the step the
// game takes on native Wayland to keep the game window above. The headless
// compositor the Wayland run uses has no input to click the start picture
// with, so this shows the pair directly; it runs until it is terminated.
// Runs in a folder holding the game's `sounds` and `score`.

#include "app/Application.h"
#include "app/Unit1.h"
#include "app/WindowSystem.h"
#include "assets/Assets.h"
#include "framework/Fonts.h"
#include "game/Unit2.h"
#include "sound/SoundCue.h"

#include <QApplication>

int main(int argc, char** argv) {
    using namespace kestrava;
    QApplication app(argc, argv);
    initAssets();
    registerFontSubstitutes();
    TForm1 title;
    Form1 = &title;
    sound::SdlSoundSystem sounds;
    TForm2 game(sounds);
    Form2 = &game;
    keepAboveOnWayland(game, title);
    title.Show();
    game.Show();
    return app.exec();
}
