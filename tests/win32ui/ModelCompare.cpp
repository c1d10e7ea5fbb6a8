// Model against window, control by control.
#include "ModelCompare.h"

#include "NativeWindows.h"
#include "UiCheck.h"
#include "toolkit/ActionButton.h"
#include "toolkit/BandGrid.h"
#include "toolkit/CaptionLabel.h"
#include "toolkit/CheckBox.h"
#include "toolkit/DataBtnEdit.h"
#include "toolkit/DatePicker.h"
#include "toolkit/FramePanel.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/LabelComboBox.h"
#include "toolkit/PictureSlot.h"
#include "toolkit/PictureView.h"
#include "toolkit/RadioButton.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/ScrollBar.h"

#include <commctrl.h>

#include <cstdio>

namespace uitest {

using namespace tkv;

namespace {

// The window class each kind of control is shown with.
std::string ExpectedClass(const TControl& c) {
    if (dynamic_cast<const TBandGrid*>(&c))
        return "SysListView32";
    if (dynamic_cast<const TLabelComboBox*>(&c))
        return "ComboBox";
    if (dynamic_cast<const TDatePicker*>(&c))
        return "SysDateTimePick32";
    if (dynamic_cast<const TEdit*>(&c))
        return "Edit";
    if (dynamic_cast<const TActionButton*>(&c) || dynamic_cast<const TCheckBox*>(&c) ||
        dynamic_cast<const TRadioButton*>(&c))
        return "Button";
    if (dynamic_cast<const TScrollBar*>(&c))
        return "ScrollBar";
    if (dynamic_cast<const TPictureSlot*>(&c) || dynamic_cast<const TPictureView*>(&c))
        return "TkvPicture";
    if (dynamic_cast<const TLabel*>(&c))
        return "Static";
    return "TkvContainer";
}

RECT ModelRect(const TControl& c) {
    int left = c.Left(), top = c.Top();
    for (const TControl* p = c.Parent(); p; p = p->Parent()) {
        left += p->Left();
        top += p->Top();
    }
    return {left, top, left + c.Width(), top + c.Height()};
}

bool ModelShown(const TControl& c) {
    for (const TControl* p = &c; p; p = p->Parent())
        if (!p->Visible())
            return false;
    return true;
}

std::string RectText(const RECT& r) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "(%ld,%ld,%ld,%ld)", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return buf;
}

void CheckRect(const std::string& name, const RECT& native, const RECT& model, int heightSlack = 0) {
    const bool same = native.left == model.left && native.top == model.top && native.right == model.right &&
                      std::abs((native.bottom - native.top) - (model.bottom - model.top)) <= heightSlack;
    if (!same)
        Fail(__FILE__, __LINE__, name + " bounds " + RectText(native) + " vs model " + RectText(model));
}

// The caption label: a static text of the caption, in the same parent, ending LabelSpacing left of
// the field and centred on its height.
void CheckCaptionLabel(HWND form, HWND field, const TControl& c) {
    const auto* label = dynamic_cast<const TCaptionLabel*>(&c);
    if (!label || !label->LabelVisible() || c.Caption().empty() || !ModelShown(c))
        return;
    for (HWND sibling = GetWindow(GetParent(field), GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (WindowClass(sibling) != "Static" || WindowText(sibling) != c.Caption() ||
            !IsWindowVisible(sibling))
            continue;
        const RECT field_ = ModelRect(c);
        const RECT r = RectIn(form, sibling);
        if (label->LabelPosition() == TLabelPosition::lpLeft) {
            CHECK_EQ(r.right, field_.left - label->LabelSpacing());
            CHECK(std::abs((r.top + r.bottom) - (field_.top + field_.bottom)) <= 1);
        }
        CHECK(FontCovers(sibling, Wide(c.Caption())));
        return;
    }
    Fail(__FILE__, __LINE__, c.Name() + " has no caption label " + c.Caption());
}

void CheckText(HWND window, const TControl& c) {
    std::string expected;
    if (auto* edit = dynamic_cast<const TEdit*>(&c))
        expected = edit->Text();
    else if (auto* combo = dynamic_cast<const TLabelComboBox*>(&c))
        expected = combo->Text();
    else if (dynamic_cast<const TBandGrid*>(&c) || dynamic_cast<const TDatePicker*>(&c) ||
             dynamic_cast<const TScrollBar*>(&c) || dynamic_cast<const TPictureSlot*>(&c) ||
             dynamic_cast<const TPictureView*>(&c))
        return;
    else
        expected = c.Caption();
    if (WindowText(window) != expected)
        Fail(__FILE__, __LINE__, c.Name() + " text [" + WindowText(window) + "] vs model [" + expected + "]");
    if (ModelShown(c) && !FontCovers(window, Wide(expected)))
        Fail(__FILE__, __LINE__, c.Name() + " font lacks glyphs for " + expected);
}

void CheckKindState(HWND window, const TControl& c) {
    if (auto* date = dynamic_cast<const TDatePicker*>(&c)) {
        SYSTEMTIME st{};
        SendMessageW(window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
        CHECK_EQ(st.wYear * 10000 + st.wMonth * 100 + st.wDay,
                 std::stoi(date->Text().substr(0, 4)) * 10000 + std::stoi(date->Text().substr(5, 2)) * 100 +
                     std::stoi(date->Text().substr(8, 2)));
    } else if (auto* grid = dynamic_cast<const TBandGrid*>(&c)) {
        CHECK_EQ(static_cast<int>(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0)), grid->GetDataRowCount());
        HWND header = reinterpret_cast<HWND>(SendMessageW(window, LVM_GETHEADER, 0, 0));
        const auto shown = grid->ShownColumns();
        CHECK_EQ(static_cast<std::size_t>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)), shown.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            wchar_t title[128] = {};
            LVCOLUMNW col{};
            col.mask = LVCF_TEXT | LVCF_WIDTH;
            col.pszText = title;
            col.cchTextMax = 128;
            SendMessageW(window, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
            CHECK_EQ(Utf8(title), shown[i]->Title());
            CHECK_EQ(col.cx, shown[i]->DisplayColWidth);
            CHECK(FontCovers(header, title));
        }
    } else if (auto* check = dynamic_cast<const TCheckBox*>(&c)) {
        CHECK_EQ(SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED, check->Checked());
    } else if (auto* bar = dynamic_cast<const TScrollBar*>(&c)) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(window, SB_CTL, &si);
        CHECK_EQ(si.nMin, bar->Min());
        CHECK_EQ(si.nMax, bar->Max());
        CHECK_EQ(si.nPos, bar->Position());
    } else if (auto* group = dynamic_cast<const TRadioGroup*>(&c)) {
        int index = 0, checked = -1;
        for (HWND item = GetWindow(window, GW_CHILD); item; item = GetWindow(item, GW_HWNDNEXT), ++index) {
            CHECK_EQ(WindowText(item), group->Items().at(static_cast<std::size_t>(index)));
            if (SendMessageW(item, BM_GETCHECK, 0, 0) == BST_CHECKED)
                checked = index;
        }
        CHECK_EQ(index, static_cast<int>(group->Items().size()));
        CHECK_EQ(checked, group->ItemIndex());
    }
}

} // namespace

int CompareWithModel(TForm& form, HWND window) {
    RECT client;
    GetClientRect(window, &client);
    CHECK_EQ(client.right, form.ClientWidth());
    CHECK_EQ(client.bottom, form.ClientHeight());
    CHECK_EQ(WindowText(window), form.Caption());
    int compared = 0;
    for (int i = 0; i < form.ComponentCount(); ++i) {
        auto* c = dynamic_cast<TControl*>(&form.Components(i));
        if (!c || c->Name().empty())
            continue;
        HWND w = FindControl(window, c->Name());
        if (!w) {
            Fail(__FILE__, __LINE__, "no window for " + c->Name());
            continue;
        }
        ++compared;
        if (WindowClass(w) != ExpectedClass(*c))
            Fail(__FILE__, __LINE__, c->Name() + " class " + WindowClass(w) + " vs " + ExpectedClass(*c));
        if ((IsWindowVisible(w) != FALSE) != ModelShown(*c))
            Fail(__FILE__, __LINE__, c->Name() + " visible state differs");
        if ((IsWindowEnabled(w) != FALSE) != c->Enabled())
            Fail(__FILE__, __LINE__, c->Name() + " enabled state differs");
        RECT model = ModelRect(*c);
        auto* buttonEdit = dynamic_cast<TDataBtnEdit*>(c);
        if (buttonEdit && buttonEdit->BtnVisible())
            model.right -= std::min(21, c->Width() / 2); // the button takes the right end
        CheckRect(c->Name(), RectIn(window, w), model, dynamic_cast<TLabelComboBox*>(c) ? 3 : 0);
        CheckText(w, *c);
        CheckKindState(w, *c);
        CheckCaptionLabel(window, w, *c);
    }
    std::vector<std::string> modelOrder;
    for (TControl* c : form.TabSequence())
        modelOrder.push_back(c->Name());
    const std::vector<std::string> nativeOrder = DialogTabOrder(window);
    if (nativeOrder != modelOrder) {
        std::string a, b;
        for (const auto& n : nativeOrder)
            a += n + " ";
        for (const auto& n : modelOrder)
            b += n + " ";
        Fail(__FILE__, __LINE__, "tab order [" + a + "] vs model [" + b + "]");
    }
    return compared;
}

} // namespace uitest
