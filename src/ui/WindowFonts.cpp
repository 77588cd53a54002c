#include "ui/WindowFonts.h"

#include <QStringList>

namespace ui {

QFont DesignFont() {
    QFont font;
    // Liberation Sans has the narrow metrics of the font the layout was drawn with.
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QFont MakerFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Comic Neue"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(32);
    return font;
}

}  // namespace ui
