// A group of radio buttons given by their captions; ItemIndex is the chosen one (-1 for none).
// Choosing an item by the user fires the click event.
#pragma once

#include "Control.h"

#include <vector>

namespace tkv {

class TRadioGroup : public TControl {
public:
    TRadioGroup() { SetTabStop(true); }
    std::string ClassName() const override { return "TRadioGroup"; }
    bool Focusable() const override { return true; }

    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(std::vector<std::string> items) {
        items_ = std::move(items);
        if (itemIndex_ >= static_cast<int>(items_.size()))
            itemIndex_ = -1;
        NotifyChanged(TProperty::Items);
    }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index) {
        index = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
        if (index == itemIndex_)
            return;
        itemIndex_ = index;
        NotifyChanged(TProperty::ItemIndex);
    }
    int Columns() const { return columns_; }
    void SetColumns(int columns) { columns_ = columns; }

    // The user picks an item; false when the index names none.
    bool ChooseItem(int index) {
        if (index < 0 || index >= static_cast<int>(items_.size()))
            return false;
        const bool changed = index != itemIndex_;
        itemIndex_ = index;
        if (changed) {
            NotifyChanged(TProperty::ItemIndex);
            Click();
        }
        return true;
    }

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
    int columns_ = 1;
};

} // namespace tkv
