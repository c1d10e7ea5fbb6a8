// A context menu: items with a caption, enabled and visible states and a click handler. The menu
// is a component of the form; controls refer to it while it is attached.
#pragma once

#include "Component.h"

#include <string>
#include <vector>

namespace tkv {

struct TMenuItem {
    std::string Caption;
    bool Enabled = true;
    bool Visible = true;
    TNotifyEvent OnClick;
};

class TPopupMenu : public TComponent {
public:
    std::string ClassName() const override { return "TPopupMenu"; }
    TMenuItem& Add(std::string caption, TNotifyEvent onClick);
    std::vector<TMenuItem>& Items() { return items_; }
    const std::vector<TMenuItem>& Items() const { return items_; }
    // The first item with that caption, nullptr when none.
    TMenuItem* Find(const std::string& caption);
    // The user picks the item (dispatched); false when the item is absent, hidden or disabled.
    bool Choose(const std::string& caption);

private:
    std::vector<TMenuItem> items_;
};

} // namespace tkv
