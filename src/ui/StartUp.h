// What start-up does before the first window exists, shared by the program and its tests.
#pragma once

class QWidget;

namespace ui {

inline constexpr const char* kApplicationTitle = "Mortgage / Loan Calculator";

// Sets the application title (the error box's caption) and reads the locale settings.
void PrepareApplication();

// Places a window in the middle of the screen it is on (the primary one before it is shown).
void CenterOnScreen(QWidget& window);

}  // namespace ui
