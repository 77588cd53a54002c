// The fonts of the windows, mapped from the small system font the layout was drawn for.
#pragma once

#include <QFont>

namespace ui {

// The sans-serif font every control uses: 11 pixels high, the size the layout's pixels assume.
QFont DesignFont();

// The About box's playful maker's name: Comic Neue where it is installed, 32 pixels high.
QFont MakerFont();

}  // namespace ui
