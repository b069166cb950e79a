// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Application.h"

#include "app/Unit1.h"
#include "app/WindowSystem.h"
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
#include <vector>

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

// The program's arguments with the window system to use added, as Qt's own
// "-platform" option (rather than QT_QPA_PLATFORM, which programs the game
// starts, such as the web browser, would inherit).
class PlatformArguments {
public:
    PlatformArguments(int argc, char** argv) : request_(platformRequest(currentSession())) {
        arguments_.assign(argv, argv + argc);
        if (!request_.isEmpty()) {
            arguments_.push_back(platformOption_.data());
            arguments_.push_back(request_.data());
        }
        count_ = static_cast<int>(arguments_.size());
        arguments_.push_back(nullptr);
    }
    // QApplication keeps both references for its lifetime.
    int& count() { return count_; }
    char** values() { return arguments_.data(); }

private:
    QByteArray platformOption_ = "-platform";
    QByteArray request_;
    std::vector<char*> arguments_;
    int count_ = 0;
};

}  // namespace

int runKestrava(int argc, char** argv) {
    PlatformArguments arguments(argc, argv);
    QApplication app(arguments.count(), arguments.values());
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopFileId));
    app.setQuitOnLastWindowClosed(false);
    initAssets();
    registerFontSubstitutes();
    installTranslations();
    Windows windows;
    try {
        app.setWindowIcon(programIcon());
        windows.create();
        keepAboveOnWayland(*Form2, *Form1);
    } catch (const Exception& error) {
        reportStartupFailure(error, QCoreApplication::applicationFilePath());
        return 1;
    }
    Form1->Show();
    return app.exec();
}

}  // namespace kestrava
