// The printer of picture printing on Windows: GDI drawing on the device context of the printer that
// the print dialog chose. The number of copies travels in the printer's device mode, so the driver
// makes them. The drawing is the same on any device context, which is how pages are looked at
// without paper (a memory bitmap per page).
#pragma once

#include "printing/Printer.h"

#include <windows.h>
// GDI's DrawText is called by its wide name.
#undef DrawText

#include <memory>
#include <string>

namespace tkv::win32ui {

class TGdiPrinter : public IPrinter {
public:
    // Draws on the device context; the printable page is the device's own unless a size is given
    // (a memory device context has no page). With ownsDc the context is deleted with the printer.
    TGdiPrinter(HDC dc, bool ownsDc, std::string jobName, SIZE page = {0, 0});
    ~TGdiPrinter() override;
    TGdiPrinter(const TGdiPrinter&) = delete;
    TGdiPrinter& operator=(const TGdiPrinter&) = delete;

    int PageWidth() const override { return page_.cx; }
    int PageHeight() const override { return page_.cy; }
    // The device's print job: raises EPrinter when the spooler refuses a step.
    void BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    void SetFont(const TPrinterFont& font) override;
    void SetBrushStyle(TBrushStyle style) override;
    TTextSize TextExtent(const std::string& text) override;
    void DrawText(const std::string& text, const TRect& rect) override;
    void StretchDraw(const TRect& rect, const TGraphic& picture) override;

protected:
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    bool ownsDc_;
    std::string jobName_;
    SIZE page_;
    HFONT font_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    bool inJob_ = false, inPage_ = false;
};

// The print dialog (printer, its settings, copies; no page range or selection) owned by the window:
// a printer on the chosen device with the copies in its device mode, or nullptr when cancelled.
std::shared_ptr<IPrinter> ExecutePrintDialog(HWND owner, const std::string& jobName);

} // namespace tkv::win32ui
