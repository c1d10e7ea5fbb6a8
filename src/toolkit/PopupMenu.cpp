// Context menu items and their dispatched clicks.
#include "PopupMenu.h"

#include "Dispatcher.h"

namespace tkv {

TMenuItem& TPopupMenu::Add(std::string caption, TNotifyEvent onClick) {
    items_.push_back(TMenuItem{std::move(caption), true, true, std::move(onClick)});
    return items_.back();
}

TMenuItem* TPopupMenu::Find(const std::string& caption) {
    for (auto& item : items_)
        if (item.Caption == caption)
            return &item;
    return nullptr;
}

bool TPopupMenu::Choose(const std::string& caption) {
    TMenuItem* item = Find(caption);
    if (!item || !item->Visible || !item->Enabled)
        return false;
    RunHandler([&] {
        if (item->OnClick)
            item->OnClick(*this);
    });
    return true;
}

} // namespace tkv
