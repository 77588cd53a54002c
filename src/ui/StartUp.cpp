#include "ui/StartUp.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>

#include "ui/SystemLocale.h"
#include "ui/WindowFrame.h"

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
    // Placed by its client area: the window manager keeps the client where it is asked to be and
    // puts its frame around it, a frame Qt knows nothing of before the window is shown.
    const QPoint client =
        CentredClientPosition(screen->availableGeometry(), window.size(), FrameMargins(window));
    window.setGeometry(QRect(client, window.size()));
}

}  // namespace ui
