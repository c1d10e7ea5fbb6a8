// Picture slot windows.
#include "PictureViews.h"

#include "FormWindow.h"
#include "PixelDrawing.h"
#include "WindowClasses.h"
#include "platform/win32/Win32Text.h"
#include "toolkit/PictureSlot.h"
#include "toolkit/PictureView.h"

#include <windowsx.h>

namespace tkv::win32ui {

namespace {

const wchar_t kPictureClass[] = L"TkvPicture";

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND)
        return 1;
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (TFormWindow* form = TFormWindow::Of(hwnd))
            if (auto* view = form->ViewOfWindow(hwnd)) {
                if (auto* slot = dynamic_cast<TPictureSlotView*>(view))
                    slot->Paint(dc);
                else if (auto* pixels = dynamic_cast<TPixelsView*>(view))
                    pixels->Paint(dc);
            }
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

TShiftState MouseShift(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT)
        shift |= ssShift;
    if (keys & MK_CONTROL)
        shift |= ssCtrl;
    return shift;
}

} // namespace

TPictureSlotView::TPictureSlotView(TFormWindow& window, TPictureSlot& model)
    : TControlView(window, model), slot_(model) {}

void TPictureSlotView::Create(HWND parent) {
    EnsureWindowClass(kPictureClass, PictureProc, CS_DBLCLKS);
    hwnd_ = MakeWindow(parent, kPictureClass, std::wstring(), 0);
}

void TPictureSlotView::Update(TProperty property) {
    if (property == TProperty::Picture)
        InvalidateRect(hwnd_, nullptr, FALSE);
    else
        TControlView::Update(property);
}

void TPictureSlotView::Paint(HDC dc) {
    RECT box;
    GetClientRect(hwnd_, &box);
    FillRect(dc, &box, window_.Gdi().Brush(ToColorRef(slot_.BackColor())));
    const TGraphic* picture = slot_.Picture().get();
    if (!picture)
        return;
    if (slot_.Stretch()) {
        DrawStretched(dc, *picture, box);
        return;
    }
    // Unstretched: the picture at its own size, centred, shrunk keeping its proportions when larger.
    long long w = picture->Width(), h = picture->Height();
    const long long boxW = box.right, boxH = box.bottom;
    if (w > boxW || h > boxH) {
        if (w * boxH > h * boxW) {
            h = h * boxW / w;
            w = boxW;
        } else {
            w = w * boxH / h;
            h = boxH;
        }
    }
    RECT dest{static_cast<LONG>((boxW - w) / 2), static_cast<LONG>((boxH - h) / 2), 0, 0};
    dest.right = dest.left + static_cast<LONG>(w);
    dest.bottom = dest.top + static_cast<LONG>(h);
    DrawStretched(dc, *picture, dest);
}

TPixelsView::TPixelsView(TFormWindow& window, TPictureView& model)
    : TControlView(window, model), view_(model) {}

void TPixelsView::Create(HWND parent) {
    EnsureWindowClass(kPictureClass, PictureProc, CS_DBLCLKS);
    hwnd_ = MakeWindow(parent, kPictureClass, std::wstring(), 0);
}

void TPixelsView::Update(TProperty property) {
    if (property == TProperty::Picture) {
        dib_ = TDib();
        shown_ = nullptr;
        InvalidateRect(hwnd_, nullptr, TRUE);
    } else {
        TControlView::Update(property);
        if (property == TProperty::Bounds)
            InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void TPixelsView::Paint(HDC dc) {
    RECT box;
    GetClientRect(hwnd_, &box);
    FillRect(dc, &box, window_.Gdi().Brush(window_.BackColorOf(model_.Parent())));
    const auto& pixels = view_.Pixels();
    if (!pixels || pixels->Empty())
        return;
    if (shown_ != pixels.get()) {
        // Converted once per picture; a redraw only scales.
        dib_ = TDib(*pixels);
        shown_ = pixels.get();
    }
    const TRect r = view_.DrawRect();
    dib_.Draw(dc, RECT{r.Left, r.Top, r.Right, r.Bottom});
}

bool TPixelsView::Intercept(HWND from, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDBLCLK) {
        model_.PerformDblClick();
        return true;
    }
    return false;
}

bool TPictureSlotView::Intercept(HWND from, UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        model_.PerformMouseDown(TMouseButton::mbLeft, MouseShift(wParam), x, y);
        return true;
    case WM_RBUTTONDOWN:
        model_.PerformMouseDown(TMouseButton::mbRight, MouseShift(wParam), x, y);
        return true;
    case WM_MBUTTONDOWN:
        model_.PerformMouseDown(TMouseButton::mbMiddle, MouseShift(wParam), x, y);
        return true;
    case WM_LBUTTONDBLCLK:
        model_.PerformDblClick();
        return true;
    case WM_CONTEXTMENU:
        ShowContextMenu(lParam);
        return true;
    default:
        return false;
    }
}

void TPictureSlotView::ShowContextMenu(LPARAM at) {
    TPopupMenu* menu = slot_.PopupMenu();
    if (!menu)
        return;
    HMENU popup = CreatePopupMenu();
    const auto& items = menu->Items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].Visible)
            AppendMenuW(popup, MF_STRING | (items[i].Enabled ? 0 : MF_GRAYED), i + 1,
                        win32::Utf8ToWide(items[i].Caption).c_str());
    POINT pt{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (pt.x == -1 && pt.y == -1) {
        // From the keyboard: below the slot's top left corner.
        pt = {0, 0};
        ClientToScreen(hwnd_, &pt);
    }
    const int chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, pt.x, pt.y, 0,
                                      window_.Handle(), nullptr);
    DestroyMenu(popup);
    if (chosen > 0)
        menu->Choose(items[static_cast<std::size_t>(chosen) - 1].Caption);
}

} // namespace tkv::win32ui
