// kestrava_bench_empty [--furnished]
//
// The start-up yardsticks: an empty Qt Widgets window with the game window's
// client size, shown and left to the event loop, so the bench can time it
// from process start to the window being mapped just as it times the game.
// --furnished gives the window what every window of the game has and the
// empty one lacks: a menu bar and a line of text, so the font system and the
// menu bar's desktop integration start up too.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <cstring>

namespace {
constexpr QSize ClientSize(487, 434);
}

int main(int argc, char** argv) {
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
