// The few drawing calls the printout needs from a printer, so the layout runs without one.
#pragma once

#include <string_view>

namespace print {

// The print font in its two styles; the face and size are the surface's business.
enum class PrintFont {
    kRegular,
    kHeader,  // bold and underlined
};

class PrintSurface {
  public:
    virtual ~PrintSurface() = default;

    // Height in pixels of the text in the font, measured before the document begins.
    virtual int TextHeight(PrintFont font, std::string_view text) = 0;

    // Opens the job and its first page.
    virtual void BeginDocument() = 0;
    virtual void SetFont(PrintFont font) = 0;
    // Draws the text in the current font with the top-left corner of its cell at (x, y),
    // counted from the top-left of the printable area.
    virtual void DrawText(int x, int y, std::string_view text) = 0;
    // Closes the current page and opens the next.
    virtual void NewPage() = 0;
    // Closes the last page and hands the job over.
    virtual void EndDocument() = 0;
};

}  // namespace print
