#include "ui/RunCommand.h"

#include <QCoreApplication>
#include <QString>
#include <exception>
#include <string_view>

#include "text/Exceptions.h"
#include "ui/Boxes.h"

namespace ui {

namespace {

void ShowFailure(Boxes& boxes, std::string_view message) {
    const std::string text = text::ErrorBoxText(message);
    boxes.ShowErrorBox(QCoreApplication::applicationName(), QString::fromStdString(text));
}

}  // namespace

bool RunCommand(Boxes& boxes, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const text::Exception& failure) {
        ShowFailure(boxes, failure.Message());
    } catch (const std::exception& failure) {
        // Out of memory and the like: reported, never let through to the event loop.
        ShowFailure(boxes, failure.what());
    }
    return false;
}

}  // namespace ui
