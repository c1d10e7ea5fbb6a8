// The captioned drop-down list: only the listed items can be chosen; ItemIndex is the chosen one
// (-1 for none) and Text its caption. A choice by the user fires the change event; setting the index
// in code does not.
#pragma once

#include "CaptionLabel.h"
#include "Control.h"

#include <vector>

namespace tkv {

enum class TComboBoxStyle : std::uint8_t { csDropDown, csDropDownList };

class TLabelComboBox : public TControl, public TCaptionLabel {
public:
    TLabelComboBox() { SetTabStop(true); }
    std::string ClassName() const override { return "TLabelComboBox"; }
    bool Focusable() const override { return true; }

    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(std::vector<std::string> items);
    int ItemIndex() const { return itemIndex_; }
    // An index that names no item selects none.
    void SetItemIndex(int index);
    std::string Text() const;
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style) { style_ = style; }
    bool ReturnNextCom() const { return returnNextCom_; }
    void SetReturnNextCom(bool value) { returnNextCom_ = value; }

    // The user picks an item (dispatched); false when it names none or the list takes no input.
    bool ChooseItem(int index);
    bool ChooseItem(const std::string& text);

    void KeyDown(std::uint16_t& key, TShiftState shift) override;

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = TComboBoxStyle::csDropDownList;
    bool returnNextCom_ = true;
};

} // namespace tkv
