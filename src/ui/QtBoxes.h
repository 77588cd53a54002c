// The message boxes as the person sees them.
#pragma once

#include "ui/Boxes.h"

namespace ui {

class QtBoxes final : public Boxes {
  public:
    void ShowInfoBox(const QString& message) override;
    void ShowErrorBox(const QString& title, const QString& text) override;
};

}  // namespace ui
