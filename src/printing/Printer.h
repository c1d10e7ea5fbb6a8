// The printer as picture printing uses it: the one the print dialog chose (with its settings and
// number of copies, which the printer applies itself), its printable page in device units, the print
// job with its pages, and a drawing surface with a font, a brush style, text measuring, text drawing
// and stretched picture drawing. Every coordinate is in device units (printer pixels) with the origin
// at the top-left corner of the printable area. GDI implements it on Windows; a PDF printer stands
// in for a real one on the reference host and in the tests.
#pragma once

#include "toolkit/Graphic.h"
#include "toolkit/Graphics.h"
#include "toolkit/Layout.h"

#include <stdexcept>
#include <string>

// Where the system headers make DrawText a macro, the printer's method keeps its own name.
#undef DrawText

namespace tkv {

// A printer that cannot do what it is asked: no job running, a file or device that refuses output.
class EPrinter : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A printer font: face name, size in points (converted by the printer's resolution) and colour.
struct TPrinterFont {
    std::string Name;
    int Size = 0;
    TColor Color = TColor::clBlack;
};

// Solid fills the text background with the brush colour; clear leaves it transparent.
enum class TBrushStyle : std::uint8_t { bsSolid, bsClear };

struct TTextSize {
    int Width = 0, Height = 0;
};

class IPrinter {
public:
    virtual ~IPrinter() = default;

    // The printable area of a page.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;

    // One print job: begin, a new page before every page but the first, end. Each failure raises
    // an exception; EndDoc after a failure still ends the job and keeps the pages drawn so far.
    virtual void BeginDoc() = 0;
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;

    virtual void SetFont(const TPrinterFont& font) = 0;
    virtual void SetBrushStyle(TBrushStyle style) = 0;
    // Width and height of the text in the current font (the height of the font's line, as the
    // system's text measuring answers it).
    virtual TTextSize TextExtent(const std::string& text) = 0;
    // The system text-drawing call with format flags 0: the text left and top aligned in the
    // rectangle and clipped to it.
    virtual void DrawText(const std::string& text, const TRect& rect) = 0;
    // The picture stretched to fill the rectangle exactly (width and height scaled independently).
    virtual void StretchDraw(const TRect& rect, const TGraphic& picture) = 0;
};

} // namespace tkv
