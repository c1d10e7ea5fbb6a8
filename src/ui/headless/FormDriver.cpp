// Scripted user actions on a modal form.
#include "FormDriver.h"

#include "HeadlessRunner.h"
#include "toolkit/BandGrid.h"
#include "toolkit/CheckBox.h"
#include "toolkit/DataBtnEdit.h"
#include "toolkit/DatePicker.h"
#include "toolkit/Dispatcher.h"
#include "toolkit/LabelComboBox.h"
#include "toolkit/PictureSlot.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/Timer.h"

#include <algorithm>

namespace tkv {

void TFormDriver::Fail(const std::string& reason) {
    throw TScriptStop{reason};
}

TControl& TFormDriver::Usable(const std::string& name) {
    if (closed_)
        Fail("form " + form_.ClassName() + " is closed; cannot act on " + name);
    auto* control = form_.Find<TControl>(name);
    if (!control)
        Fail("no control " + name);
    if (!control->CanFocus())
        Fail("control " + name + " is hidden or disabled");
    return *control;
}

void TFormDriver::AfterAction() {
    if (!closed_ && form_.TryEndModal())
        closed_ = true;
}

void TFormDriver::Focus(const std::string& name) {
    TControl& c = Usable(name);
    if (!c.Focusable())
        Fail("control " + name + " cannot take the focus");
    form_.SetActiveControl(&c);
    AfterAction();
}

void TFormDriver::Leave() {
    if (closed_)
        Fail("form is closed");
    form_.SelectNext(form_.ActiveControl(), true);
    AfterAction();
}

void TFormDriver::Type(const std::string& name, const std::string& text) {
    auto& edit = dynamic_cast<TEdit&>(Usable(name));
    Focus(name);
    edit.SetSelStart(edit.CharCount());
    for (char32_t ch : DecodeUtf8(text)) {
        form_.DispatchKeyPress(ch);
        if (closed_)
            return;
    }
    AfterAction();
}

void TFormDriver::SetText(const std::string& name, const std::string& text) {
    auto* edit = dynamic_cast<TEdit*>(&Usable(name));
    if (!edit)
        Fail("control " + name + " is no edit");
    Focus(name);
    edit->SelectAll();
    if (text.empty()) {
        if (edit->CharCount() > 0)
            form_.DispatchKeyPress(VK_BACK);
    } else {
        for (char32_t ch : DecodeUtf8(text))
            form_.DispatchKeyPress(ch);
    }
    AfterAction();
}

void TFormDriver::PressKey(std::uint16_t key, TShiftState shift) {
    if (closed_)
        Fail("form is closed");
    form_.DispatchKeyDown(key, shift);
    AfterAction();
}

void TFormDriver::PressKey(const std::string& name, std::uint16_t key, TShiftState shift) {
    Focus(name);
    PressKey(key, shift);
}

void TFormDriver::Click(const std::string& name) {
    TControl& c = Usable(name);
    if (c.Focusable() && !form_.SetActiveControl(&c)) {
        AfterAction();
        return; // the previous control kept the focus
    }
    c.PerformClick();
    AfterAction();
}

void TFormDriver::DblClick(const std::string& name) {
    TControl& c = Usable(name);
    if (c.Focusable())
        form_.SetActiveControl(&c);
    c.PerformClick();
    c.PerformDblClick();
    AfterAction();
}

void TFormDriver::ClickEditButton(const std::string& name) {
    auto* edit = dynamic_cast<TDataBtnEdit*>(&Usable(name));
    if (!edit || !edit->BtnVisible())
        Fail("control " + name + " shows no button");
    edit->PerformButtonClick();
    AfterAction();
}

void TFormDriver::Check(const std::string& name, bool checked) {
    auto* box = dynamic_cast<TCheckBox*>(&Usable(name));
    if (!box)
        Fail("control " + name + " is no check box");
    if (box->Checked() != checked)
        Click(name);
}

void TFormDriver::ChooseItem(const std::string& name, const std::string& item) {
    TControl& c = Usable(name);
    if (auto* combo = dynamic_cast<TLabelComboBox*>(&c)) {
        if (!combo->ChooseItem(item))
            Fail("list " + name + " has no item " + item);
    } else if (auto* group = dynamic_cast<TRadioGroup*>(&c)) {
        const auto& items = group->Items();
        const auto it = std::find(items.begin(), items.end(), item);
        if (it == items.end())
            Fail("radio group " + name + " has no item " + item);
        ChooseItem(name, static_cast<int>(it - items.begin()));
        return;
    } else {
        Fail("control " + name + " has no items");
    }
    AfterAction();
}

void TFormDriver::ChooseItem(const std::string& name, int index) {
    TControl& c = Usable(name);
    if (auto* combo = dynamic_cast<TLabelComboBox*>(&c)) {
        if (!combo->ChooseItem(index))
            Fail("list " + name + " has no item " + std::to_string(index));
    } else if (auto* group = dynamic_cast<TRadioGroup*>(&c)) {
        if (index < 0 || index >= static_cast<int>(group->Items().size()))
            Fail("radio group " + name + " has no item " + std::to_string(index));
        RunHandler([&] { group->ChooseItem(index); });
    } else {
        Fail("control " + name + " has no items");
    }
    AfterAction();
}

void TFormDriver::ChooseDate(const std::string& name, TDateTime date) {
    auto* picker = dynamic_cast<TDatePicker*>(&Usable(name));
    if (!picker || !picker->ChooseDate(date))
        Fail("control " + name + " takes no date");
    AfterAction();
}

void TFormDriver::Scroll(const std::string& name, int position) {
    auto* bar = dynamic_cast<TScrollBar*>(&Usable(name));
    if (!bar)
        Fail("control " + name + " is no scroll bar");
    RunHandler([&] { bar->SetPosition(position); });
    AfterAction();
}

void TFormDriver::SelectRow(const std::string& grid, int row) {
    auto* g = dynamic_cast<TBandGrid*>(&Usable(grid));
    if (!g)
        Fail("control " + grid + " is no grid");
    form_.SetActiveControl(g);
    if (!g->SetRowIndex(row))
        Fail("grid " + grid + " has no row " + std::to_string(row));
    AfterAction();
}

void TFormDriver::TickRow(const std::string& grid, int row) {
    SelectRow(grid, row);
    Usable(grid).PerformDblClick();
    AfterAction();
}

void TFormDriver::ContextMenu(const std::string& name, const std::string& item) {
    TControl& c = Usable(name);
    c.PerformMouseDown(TMouseButton::mbRight, 0, 0, 0);
    auto* slot = dynamic_cast<TPictureSlot*>(&c);
    TPopupMenu* menu = slot ? slot->PopupMenu() : nullptr;
    if (!menu)
        Fail("control " + name + " shows no context menu");
    if (!menu->Choose(item))
        Fail("context menu of " + name + " has no usable item " + item);
    AfterAction();
}

void TFormDriver::FireTimer(const std::string& name) {
    auto* timer = form_.Find<TTimer>(name);
    if (!timer)
        Fail("no timer " + name);
    timer->Fire();
    AfterAction();
}

void TFormDriver::CloseWindow() {
    if (closed_)
        Fail("form is closed");
    form_.Close();
    AfterAction();
}

} // namespace tkv
