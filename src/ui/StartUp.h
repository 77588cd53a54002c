// What start-up does before the first window exists, shared by the program and its tests.
#pragma once

class QWidget;

namespace ui {

inline constexpr const char* kApplicationTitle = "Mortgage / Loan Calculator";
// The launcher's icon, also the windows' icon and the About box's picture.
inline constexpr const char* kApplicationIcon = ":/icons/mortgage-calculator.svg";
// The installed launcher's name, by which a desktop ties the windows to it.
inline constexpr const char* kDesktopFileName = "com.tessary.MortgageCalculator";

// Sets the application title (the error box's caption) and icon, and reads the locale settings.
void PrepareApplication();

// Places a window, frame included, in the middle of the screen it is on (the primary one before it
// is shown).
void CenterOnScreen(QWidget& window);

}  // namespace ui
