#include "text/LocaleFormats.h"

namespace text {

LocaleFormats& CurrentLocaleFormats() {
    static LocaleFormats formats;
    return formats;
}

}  // namespace text
