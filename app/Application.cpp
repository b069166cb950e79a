// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Application.h"

#include "app/Unit1.h"
#include "assets/Assets.h"
#include "dialogs/AboutBox.h"
#include "dialogs/HelpBox.h"
#include "framework/Errors.h"
#include "framework/Fonts.h"
#include "framework/Picture.h"
#include "game/Unit2.h"
#include "sound/SoundCue.h"
#include "translations/Translations.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <memory>

namespace kestrava {

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;
TAboutBox* AboutBox = nullptr;
TAboutBox1* AboutBox1 = nullptr;

namespace {

QIcon programIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(loadPicture(QStringLiteral(":/pictures/icon32.bmp"))));
    icon.addPixmap(QPixmap::fromImage(loadPicture(QStringLiteral(":/pictures/icon16.bmp"))));
    return icon;
}

// The windows, owned here, so they go in the reverse order of their creation.
struct Windows {
    std::unique_ptr<TForm1> title;
    std::unique_ptr<sound::SdlSoundSystem> sounds;
    std::unique_ptr<TForm2> game;
    std::unique_ptr<TAboutBox> about;
    std::unique_ptr<TAboutBox1> help;

    void create() {
        title = std::make_unique<TForm1>();
        Form1 = title.get();
        sounds = std::make_unique<sound::SdlSoundSystem>();
        game = std::make_unique<TForm2>(*sounds);
        Form2 = game.get();
        about = std::make_unique<TAboutBox>();
        AboutBox = about.get();
        help = std::make_unique<TAboutBox1>();
        AboutBox1 = help.get();
    }

    // A window still visible is hidden first, so its hide handler runs while
    // the window is whole.
    template <typename Window>
    static void destroy(std::unique_ptr<Window>& window, Window*& reference) {
        if (window && window->isVisible())
            window->hide();
        reference = nullptr;
        window.reset();
    }

    ~Windows() {
        destroy(help, AboutBox1);
        destroy(about, AboutBox);
        destroy(game, Form2);
        sounds.reset();
        destroy(title, Form1);
    }
};

}  // namespace

int runKestrava(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    initAssets();
    registerFontSubstitutes();
    installTranslations();
    Windows windows;
    try {
        app.setWindowIcon(programIcon());
        windows.create();
    } catch (const Exception& error) {
        reportStartupFailure(error, QCoreApplication::applicationFilePath());
        return 1;
    }
    Form1->Show();
    return app.exec();
}

}  // namespace kestrava
