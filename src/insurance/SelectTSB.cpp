// The special-disease window: filling the list and checking the choice.
#include "SelectTSB.h"

#include "../comm/ModuleState.h"
#include "YBCard.h"

namespace tkv {

namespace {
constexpr std::uint32_t MB_ICONEXCLAMATION = 0x30;
} // namespace

TSelectTSB::TSelectTSB(const TSBStringList& list) : list_(list) {
    SetCaption("选择特殊病");
    SetBorderStyle(TBorderStyle::bsDialog);
    SetClientSize(320, 108);
    SetPosition(TPosition::poScreenCenter);
    SetKeyPreview(true);
    cbTSB = &Make<TLabelComboBox>("cbTSB");
    cbTSB->SetCaption("特殊病种：");
    cbTSB->SetBounds(84, 24, 200, 20);
    btnOK = &Make<TActionButton>("btnOK");
    btnOK->SetCaption("确认[&Y]");
    btnOK->SetBounds(96, 68, 80, 25);
    btnOK->OnClick = [this](TComponent&) {
        btnOKClick();
    };
    btnExit = &Make<TActionButton>("btnExit");
    btnExit->SetCaption("退出[&X]");
    btnExit->SetModalResult(mrCancel);
    btnExit->SetBounds(196, 68, 80, 25);
    Create();
}

void TSelectTSB::DoShow() {
    std::vector<std::string> items;
    positions_.clear();
    for (int i = 0; i < list_.Count(); ++i) {
        items.push_back(list_.Strings(i));
        positions_.push_back(i);
    }
    cbTSB->SetItems(items);
    TForm::DoShow();
}

int TSelectTSB::ChosenPosition() const {
    const int index = cbTSB->ItemIndex();
    return index >= 0 && index < static_cast<int>(positions_.size())
               ? positions_[static_cast<std::size_t>(index)]
               : -1;
}

void TSelectTSB::btnOKClick() {
    if (ChosenPosition() < 0) {
        MainIntf().MessageBox("请选择特殊病种", "提示", MB_ICONEXCLAMATION);
        return;
    }
    SetModalResult(mrOk);
}

void TSelectTSB::KeyDown(std::uint16_t& key, TShiftState shift) {
    TForm::KeyDown(key, shift);
    if (key == VK_ESCAPE && shift == 0) {
        key = 0;
        btnExit->PerformClick();
    }
}

} // namespace tkv
