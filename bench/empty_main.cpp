// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// kestrava_bench_empty [--furnished]
//
// The start-up yardsticks: an empty Qt Widgets window with the game window's
// client size, shown and left to the event loop, so the bench can time it
// from process start to the window being mapped just as it times the game.
// --furnished gives the window what every window of the game has and the
// empty one lacks: a menu bar and a line of text, so the font system and the
// menu bar's desktop integration start up too.
//
// Built a second time as kestrava_bench_empty_linked, with
// KESTRAVA_BENCH_LINKED: the same windows in a program that also loads the
// libraries the game needs beyond Qt (SDL2_mixer with everything it pulls
// in, ALSA, libjpeg) and calls one trivial function of each, so the cost of
// merely loading them can be told from the game's own work.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <cstring>

#ifdef KESTRAVA_BENCH_LINKED
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>
#include <cstdio>
#include <jpeglib.h>

namespace {
// Touches each library once, so the linker keeps it and the loader loads it.
void touchGameLibraries() {
    jpeg_error_mgr errors;
    jpeg_std_error(&errors);
    const SDL_version* mixer = Mix_Linked_Version();
    if (!mixer || !snd_asoundlib_version())
        std::fputs("a game library did not answer\n", stderr);
}
}  // namespace
#endif

namespace {
constexpr QSize ClientSize(487, 434);
}

int main(int argc, char** argv) {
#ifdef KESTRAVA_BENCH_LINKED
    touchGameLibraries();
#endif
    QApplication app(argc, argv);
    QWidget empty;
    QMainWindow furnished;
    if (argc > 1 && std::strcmp(argv[1], "--furnished") == 0) {
        furnished.menuBar()->addMenu(QStringLiteral("Game"))->addAction(QStringLiteral("Close"));
        auto* text = new QLabel(QStringLiteral("Score : 0000"));
        text->setFixedSize(ClientSize);
        furnished.setCentralWidget(text);
        furnished.show();
    } else {
        empty.setFixedSize(ClientSize);
        empty.show();
    }
    return app.exec();
}
