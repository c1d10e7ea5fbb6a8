// The page layout of printed invoice pictures and the print job that carries them.
#include "PicturePages.h"

#include <cstdio>

namespace tkv {

std::string PictureHeader(int k, int n) {
    char text[64];
    std::snprintf(text, sizeof text, "第 %3d 张/共 %3d 张", k, n);
    return text;
}

TPrinterFont PictureHeaderFont() {
    return {"宋体", 12, TColor::clBlack};
}

TPicturePageLayout LayOutPicturePage(int pageWidth, int pageHeight, TTextSize header) {
    TPicturePageLayout page;
    page.Header = {kPictureMargin, kPictureMargin, kPictureMargin + header.Width,
                   kPictureMargin + header.Height};
    page.Picture = {kPictureMargin, page.Header.Bottom + kPictureHeaderGap, pageWidth - kPictureMargin,
                    pageHeight - kPictureMargin};
    return page;
}

void DrawPicturePage(IPrinter& printer, int k, int n, const TGraphic& picture) {
    const std::string header = PictureHeader(k, n);
    printer.SetFont(PictureHeaderFont());
    printer.SetBrushStyle(TBrushStyle::bsClear);
    const TPicturePageLayout page =
        LayOutPicturePage(printer.PageWidth(), printer.PageHeight(), printer.TextExtent(header));
    printer.DrawText(header, page.Header);
    printer.StretchDraw(page.Picture, picture);
}

void PrintPicturePages(IPrinter& printer, int n, const std::function<const TGraphic&(int)>& picture) {
    if (n <= 0)
        return;
    printer.BeginDoc();
    try {
        for (int i = 0; i < n; ++i) {
            if (i > 0)
                printer.NewPage();
            DrawPicturePage(printer, i + 1, n, picture(i));
        }
    } catch (...) {
        try {
            printer.EndDoc(); // the job never stays open in the spooler, whatever failed
        } catch (const std::exception&) {
            // the page's failure is the one to tell
        }
        throw;
    }
    printer.EndDoc();
}

} // namespace tkv
