// Control base: properties, tab order among siblings, dispatched user actions and the host adapter.
#include "Control.h"

#include "Dispatcher.h"
#include "Form.h"
#include "HostControlAdapter.h"

#include <algorithm>

namespace tkv {

TControl::~TControl() {
    if (adapter_) {
        adapter_->Detach();
        adapter_->Release();
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

const TFont& TControl::Font() const {
    if (!parentFont_)
        return font_;
    if (parent_)
        return parent_->Font();
    return Owner() ? Owner()->Font() : font_;
}

void TControl::SetFont(TFont font) {
    font_ = std::move(font);
    parentFont_ = false;
}

void TControl::ReturnToNextControl() {
    TForm* form = Owner();
    if (form && !form->KeyPreview())
        form->Post([form, self = this] { form->SelectNext(self, true); });
}

void TControl::SetTabOrder(int order) {
    if (!Owner()) {
        tabOrder_ = order;
        return;
    }
    std::vector<TControl*> siblings = Owner()->Children(parent_);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    order = std::clamp(order, 0, static_cast<int>(siblings.size()));
    siblings.insert(siblings.begin() + order, this);
    for (std::size_t i = 0; i < siblings.size(); ++i)
        siblings[i]->tabOrder_ = static_cast<int>(i);
}

bool TControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_)
            return false;
    return true;
}

bool TControl::Focused() const {
    return Owner() && Owner()->ActiveControl() == this;
}

bool TControl::PerformClick() {
    return RunHandler([&] { Click(); });
}

bool TControl::PerformDblClick() {
    return RunHandler([&] { DblClick(); });
}

bool TControl::PerformKeyDown(std::uint16_t& key, TShiftState shift) {
    return RunHandler([&] { KeyDown(key, shift); });
}

bool TControl::PerformKeyPress(char32_t& key) {
    return RunHandler([&] { KeyPress(key); });
}

bool TControl::PerformMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    return RunHandler([&] { MouseDown(button, shift, x, y); });
}

IHostControl* TControl::HostControl() {
    if (!adapter_) {
        adapter_ = new THostControlAdapter(*this);
        adapter_->AddRef();
    }
    return adapter_;
}

void TControl::Click() {
    if (OnClick)
        OnClick(*this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(*this);
}

void TControl::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(*this, key, shift);
}

void TControl::KeyPress(char32_t& key) {
    if (OnKeyPress)
        OnKeyPress(*this, key);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(*this, button, shift, x, y);
}

void TControl::DoEnter() {
    if (OnEnter)
        OnEnter(*this);
}

void TControl::DoExit() {
    if (OnExit)
        OnExit(*this);
}

void TControl::Changed() {
    if (OnChange)
        OnChange(*this);
}

} // namespace tkv
