// The one place where a command's unhandled failure is caught and shown.
#pragma once

#include <functional>

namespace ui {

class Boxes;

// Runs a command to its end. A failure it did not handle itself is shown in the error box under
// the application title, and the function returns false; the program then goes on with whatever
// the command had changed. No exception leaves it.
bool RunCommand(Boxes& boxes, const std::function<void()>& command);

}  // namespace ui
