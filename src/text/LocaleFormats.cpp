#include "text/LocaleFormats.h"

namespace text::detail {

LocaleFormats currentLocaleFormats;

}  // namespace text::detail
