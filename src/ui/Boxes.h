// The two message boxes a command can show, behind an interface so that tests answer at once.
#pragma once

#include <QString>

namespace ui {

class Boxes {
  public:
    virtual ~Boxes() = default;

    // A command's own message ("Principal is invalid"), shown as it stands, under "Information".
    virtual void ShowInfoBox(const QString& message) = 0;

    // The failure that ended a command: the text already carries its closing period.
    virtual void ShowErrorBox(const QString& title, const QString& text) = 0;
};

}  // namespace ui
