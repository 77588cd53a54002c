#include "ui/StartUp.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>

#include "ui/SystemLocale.h"

namespace ui {

void PrepareApplication() {
    // The name, not the display name: a display name would be added to every window's caption.
    QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    QApplication::setWindowIcon(QIcon(QString::fromLatin1(kApplicationIcon)));
    QApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    ReadSystemLocaleFormats();
}

void CenterOnScreen(QWidget& window) {
    const QScreen* const screen =
        window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

}  // namespace ui
