// The program's own accessible interfaces, for the controls that Qt cannot describe to a screen
// reader by itself: the schedule grid (its captions and payment numbers are headers, not cells),
// the date picker, the totals (each read with its caption) and the tool buttons. Installing them
// again does nothing; they serve the controls whose interface has not been asked for yet.
#pragma once

namespace ui {

void InstallAccessibleInterfaces();

}  // namespace ui
