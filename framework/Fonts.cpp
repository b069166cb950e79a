#include "framework/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace kestrava {

namespace {
struct Substitute {
    const char* requested;
    const char* standIn;
};
constexpr Substitute substitutes[] = {
    {"LED", "DSEG7 Classic"},
    {"Tw Cen MT", "URW Gothic"},
    {"MS Sans Serif", "DejaVu Sans"},
};
}  // namespace

void registerFontSubstitutes() {
    const QStringList installed = QFontDatabase::families();
    for (const Substitute& s : substitutes) {
        const QString requested = QString::fromLatin1(s.requested);
        if (!installed.contains(requested, Qt::CaseInsensitive))
            QFont::insertSubstitution(requested, QString::fromLatin1(s.standIn));
    }
}

QFont face(const QString& family, int pixelSize, bool bold, bool underline) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setUnderline(underline);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

}  // namespace kestrava
