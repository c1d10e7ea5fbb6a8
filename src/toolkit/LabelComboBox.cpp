// Drop-down list items and choice.
#include "LabelComboBox.h"

#include "Dispatcher.h"

#include <algorithm>

namespace tkv {

void TLabelComboBox::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    if (itemIndex_ >= static_cast<int>(items_.size()))
        itemIndex_ = -1;
}

void TLabelComboBox::SetItemIndex(int index) {
    itemIndex_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
}

std::string TLabelComboBox::Text() const {
    return itemIndex_ >= 0 ? items_[itemIndex_] : std::string();
}

bool TLabelComboBox::ChooseItem(int index) {
    if (!Enabled() || ReadOnly() || index < 0 || index >= static_cast<int>(items_.size()))
        return false;
    if (index == itemIndex_)
        return true;
    itemIndex_ = index;
    return RunHandler([&] { Changed(); });
}

bool TLabelComboBox::ChooseItem(const std::string& text) {
    const auto it = std::find(items_.begin(), items_.end(), text);
    return it != items_.end() && ChooseItem(static_cast<int>(it - items_.begin()));
}

void TLabelComboBox::KeyDown(std::uint16_t& key, TShiftState shift) {
    TControl::KeyDown(key, shift);
    if (key == VK_RETURN && returnNextCom_)
        ReturnToNextControl();
}

} // namespace tkv
