// GDI picture printing and the print dialog that chooses its printer.
#include "GdiPrinter.h"

#include "PixelDrawing.h"
#include "platform/win32/Win32Text.h"

#include <commdlg.h>

namespace tkv::win32ui {

TGdiPrinter::TGdiPrinter(HDC dc, bool ownsDc, std::string jobName, SIZE page)
    : dc_(dc), ownsDc_(ownsDc), jobName_(std::move(jobName)), page_(page) {
    if (page_.cx <= 0 || page_.cy <= 0)
        page_ = {GetDeviceCaps(dc_, HORZRES), GetDeviceCaps(dc_, VERTRES)};
}

TGdiPrinter::~TGdiPrinter() {
    if (inJob_)
        AbortDoc(dc_);
    if (oldFont_)
        SelectObject(dc_, oldFont_);
    if (font_)
        DeleteObject(font_);
    if (ownsDc_)
        DeleteDC(dc_);
}

void TGdiPrinter::BeginDoc() {
    if (inJob_)
        throw EPrinter("打印机正在打印");
    const std::wstring name = win32::Utf8ToWide(jobName_);
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = name.c_str();
    if (StartDocW(dc_, &info) <= 0)
        throw EPrinter("打印机不能开始打印");
    if (StartPage(dc_) <= 0) {
        AbortDoc(dc_); // a job without its first page is no job: the next one can begin
        throw EPrinter("打印机不能开始新的一页");
    }
    inJob_ = true;
    inPage_ = true;
}

void TGdiPrinter::NewPage() {
    if (!inJob_)
        throw EPrinter("打印机没有在打印");
    if (inPage_ && EndPage(dc_) <= 0)
        throw EPrinter("打印机不能结束这一页");
    inPage_ = false;
    if (StartPage(dc_) <= 0)
        throw EPrinter("打印机不能开始新的一页");
    inPage_ = true;
}

void TGdiPrinter::EndDoc() {
    if (!inJob_)
        throw EPrinter("打印机没有在打印");
    const bool pageEnded = !inPage_ || EndPage(dc_) > 0;
    inPage_ = false;
    inJob_ = false;
    // The job ends in any case, so the pages drawn so far reach the printer.
    const bool docEnded = ::EndDoc(dc_) > 0;
    if (!pageEnded || !docEnded)
        throw EPrinter("打印机不能结束打印");
}

void TGdiPrinter::SetFont(const TPrinterFont& font) {
    LOGFONTW log{};
    log.lfHeight = -MulDiv(font.Size, GetDeviceCaps(dc_, LOGPIXELSY), 72);
    log.lfWeight = FW_NORMAL;
    log.lfCharSet = DEFAULT_CHARSET;
    log.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = win32::Utf8ToWide(font.Name);
    wcsncpy(log.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    HFONT created = CreateFontIndirectW(&log);
    if (!created)
        return;
    HGDIOBJ previous = SelectObject(dc_, created);
    if (!oldFont_)
        oldFont_ = previous;
    if (font_)
        DeleteObject(font_);
    font_ = created;
    const auto color = static_cast<std::uint32_t>(font.Color);
    SetTextColor(dc_, RGB(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
}

void TGdiPrinter::SetBrushStyle(TBrushStyle style) {
    SetBkMode(dc_, style == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE);
}

TTextSize TGdiPrinter::TextExtent(const std::string& text) {
    const std::wstring wide = win32::Utf8ToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return {size.cx, size.cy};
}

void TGdiPrinter::DrawText(const std::string& text, const TRect& rect) {
    std::wstring wide = win32::Utf8ToWide(text);
    RECT box{rect.Left, rect.Top, rect.Right, rect.Bottom};
    ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &box, 0);
}

void TGdiPrinter::StretchDraw(const TRect& rect, const TGraphic& picture) {
    // The whole picture goes to the device, which scales it at its own resolution.
    TDib(picture.Decode()).Draw(dc_, RECT{rect.Left, rect.Top, rect.Right, rect.Bottom});
}

std::shared_ptr<IPrinter> ExecutePrintDialog(HWND owner, const std::string& jobName) {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.Flags = PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    pd.nCopies = 1;
    if (!PrintDlgW(&pd))
        return nullptr;
    HDC dc = nullptr;
    auto* names = static_cast<DEVNAMES*>(GlobalLock(pd.hDevNames));
    auto* mode = static_cast<DEVMODEW*>(GlobalLock(pd.hDevMode));
    if (names) {
        const auto* base = reinterpret_cast<const wchar_t*>(names);
        // Copies the driver cannot make itself are left in the dialog's field; the device mode
        // carries them to the driver either way.
        if (mode && pd.nCopies > 1) {
            mode->dmCopies = static_cast<short>(pd.nCopies);
            mode->dmFields |= DM_COPIES;
        }
        dc = CreateDCW(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
    }
    if (mode)
        GlobalUnlock(pd.hDevMode);
    if (names)
        GlobalUnlock(pd.hDevNames);
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    if (!dc)
        return nullptr;
    return std::make_shared<TGdiPrinter>(dc, true, jobName);
}

} // namespace tkv::win32ui
