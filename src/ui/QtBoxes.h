// The message boxes as the person sees them.
#pragma once

#include <QString>

#include "ui/Boxes.h"

namespace ui {

class QtBoxes final : public Boxes {
  public:
    void ShowInfoBox(const QString& message) override;
    void ShowErrorBox(const QString& title, const QString& text) override;
};

// The least width of a box whose frame shows the whole title. The window manager draws the title in
// a font of its own; the application's font in bold stands for it, as most draw titles bold. A
// centred title needs the room of three frame buttons on either side, each about as wide as the
// title bar is high: eight line heights in all.
int BoxWidthForTitle(const QString& title);

}  // namespace ui
