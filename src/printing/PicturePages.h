// Invoice pictures on paper: one picture per page, each page headed by "第 k 张/共 n 张" in 12-point
// 宋体 at the top-left margin, the picture stretched below the header to the page's margins. The
// margin is 20 device units on every side, so its physical size follows the printer's resolution.
#pragma once

#include "Printer.h"

#include <functional>
#include <string>

namespace tkv {

constexpr int kPictureMargin = 20;
// Space between the header's bottom and the picture's top.
constexpr int kPictureHeaderGap = 5;

// "第 %3d 张/共 %3d 张": each number right-aligned in three places.
std::string PictureHeader(int k, int n);
TPrinterFont PictureHeaderFont();

// Where page k's header and picture go on a page with that printable area.
struct TPicturePageLayout {
    TRect Header;
    TRect Picture;
};
TPicturePageLayout LayOutPicturePage(int pageWidth, int pageHeight, TTextSize header);

// Draws page k of n onto the current page: the header measured in the header font on this printer,
// then the picture stretched into the rest.
void DrawPicturePage(IPrinter& printer, int k, int n, const TGraphic& picture);

// Prints n pictures as one print job, one per page, picture(i) being the i-th (0-based). The job is
// ended also when a page fails; the first failure then propagates to the caller. The job printed
// only when the call returns. Nothing is printed for n = 0.
void PrintPicturePages(IPrinter& printer, int n, const std::function<const TGraphic&(int)>& picture);

} // namespace tkv
