// The virtual list view of the band grid.
#include "GridView.h"

#include "FormWindow.h"
#include "platform/win32/Win32Text.h"
#include "toolkit/BandGrid.h"

#include <commctrl.h>

namespace tkv::win32ui {

namespace {

// Every other row: the grid's row colour lightened halfway to white, so the text stays readable.
COLORREF AlternateRowColor(TColor color) {
    const COLORREF c = ToColorRef(color);
    return RGB((GetRValue(c) + 255) / 2, (GetGValue(c) + 255) / 2, (GetBValue(c) + 255) / 2);
}

} // namespace

TGridView::TGridView(TFormWindow& window, TBandGrid& model) : TControlView(window, model), grid_(model) {}

void TGridView::Create(HWND parent) {
    hwnd_ = MakeWindow(parent, WC_LISTVIEWW, std::wstring(),
                       LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | TabStopStyle(),
                       WS_EX_CLIENTEDGE);
    DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    if (grid_.Options & (dgColLines | dgRowLines))
        extended |= LVS_EX_GRIDLINES;
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    ApplyColumns();
    ApplyRows();
}

void TGridView::ApplyColumns() {
    while (SendMessageW(hwnd_, LVM_DELETECOLUMN, 0, 0))
        ;
    fields_.clear();
    int index = 0;
    for (const TBandColumn* column : grid_.ShownColumns()) {
        std::wstring title = win32::Utf8ToWide(column->Title());
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        lvc.fmt = LVCFMT_LEFT;
        lvc.cx = column->DisplayColWidth;
        lvc.pszText = title.data();
        lvc.iSubItem = index;
        SendMessageW(hwnd_, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&lvc));
        fields_.push_back(column->DataBaseName);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void TGridView::ApplyRows() {
    // The count, the selection and the scroll position change together, and nothing is drawn
    // meanwhile: the list would paint its scroll bars at once with every change (drawing is
    // switched off on its parent, as the list itself updates its scroll bars when its own drawing
    // comes back on). The list and its frame are painted in the next paint cycle.
    HWND parent = GetParent(hwnd_);
    const bool shown = IsWindowVisible(parent) != FALSE;
    if (shown)
        SendMessageW(parent, WM_SETREDRAW, FALSE, 0);
    // A new item count drops the list's selection.
    shownRow_ = -1;
    SendMessageW(hwnd_, LVM_SETITEMCOUNT, grid_.GetDataRowCount(), LVSICF_NOSCROLL);
    ApplyCurrentRow();
    if (shown)
        SendMessageW(parent, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TGridView::ApplyCurrentRow() {
    // The selected row is remembered rather than asked of the list: asking (and clearing all rows)
    // walks every item of a virtual list.
    const int row = grid_.GetRowIndex();
    if (row == shownRow_)
        return;
    selecting_ = true;
    if (shownRow_ >= 0 && shownRow_ < static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0))) {
        LVITEMW clear{};
        clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(hwnd_, LVM_SETITEMSTATE, shownRow_, reinterpret_cast<LPARAM>(&clear));
    }
    shownRow_ = row;
    if (row >= 0) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(hwnd_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
        SendMessageW(hwnd_, LVM_ENSUREVISIBLE, row, FALSE);
    }
    selecting_ = false;
}

void TGridView::Update(TProperty property) {
    switch (property) {
    case TProperty::GridColumns:
        ApplyColumns();
        break;
    case TProperty::GridData:
        ApplyRows();
        break;
    case TProperty::GridTicks:
        InvalidateRect(hwnd_, nullptr, FALSE);
        break;
    case TProperty::GridRow:
        ApplyCurrentRow();
        break;
    default:
        TControlView::Update(property);
        break;
    }
}

bool TGridView::Notify(NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != hwnd_)
        return false;
    result = 0;
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
        LVITEMW& item = info.item;
        if ((item.mask & LVIF_TEXT) && item.iSubItem >= 0 &&
            item.iSubItem < static_cast<int>(fields_.size()) && item.cchTextMax > 0) {
            cell_ = win32::Utf8ToWide(grid_.GetColStrText(fields_[item.iSubItem], item.iItem));
            const std::size_t n =
                std::min<std::size_t>(cell_.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
            cell_.copy(item.pszText, n);
            item.pszText[n] = L'\0';
        }
        return true;
    }
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
        if (!selecting_ && change.iItem >= 0 && (change.uNewState & LVIS_SELECTED) &&
            !(change.uOldState & LVIS_SELECTED)) {
            shownRow_ = change.iItem;
            grid_.SetRowIndex(change.iItem);
        }
        return true;
    }
    case NM_DBLCLK: {
        const auto& activate = reinterpret_cast<NMITEMACTIVATE&>(header);
        if (activate.iItem >= 0) {
            grid_.SetRowIndex(activate.iItem);
            model_.PerformDblClick();
        }
        return true;
    }
    case NM_CUSTOMDRAW:
        result = CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
        return true;
    default:
        return false;
    }
}

LRESULT TGridView::CustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        const int row = static_cast<int>(draw.nmcd.dwItemSpec);
        if ((grid_.Options & dgTwoColor) && row % 2 == 1)
            draw.clrTextBk = AlternateRowColor(grid_.RowColor.BackColor);
        if (grid_.GetRowSelected(row))
            draw.clrText = ToColorRef(grid_.RowColor.TextColor);
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

bool TGridView::PassKeyToNative(UINT vk) const {
    // Enter and Space tick the current row through the model; the list view would act on them too.
    return vk != VK_SPACE && vk != VK_RETURN;
}

} // namespace tkv::win32ui
