// The frame a window manager puts around a top-level window: its size, asked before the window is
// shown, and where the window goes so that it stands in the middle of the screen, frame included.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace ui {

// The margins the frame will add on each side of a window about to be shown, as the window manager
// estimates them where it gives an estimate (X11); none otherwise.
QMargins FrameMargins(QWidget& window);

// Where the client area of the given size goes so that its frame is centred in the area.
QPoint CentredClientPosition(const QRect& area, const QSize& client, const QMargins& frame);

}  // namespace ui
