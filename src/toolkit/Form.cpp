// Form: component ownership, focus and tab order, key routing and the modal session steps.
#include "Form.h"

#include "Action.h"
#include "Dispatcher.h"
#include "Layout.h"

#include <algorithm>

namespace tkv {

TForm::TForm() = default;

TForm::~TForm() {
    if (OnDestroy) {
        try {
            OnDestroy(*this);
        } catch (...) {
            // A destructor cannot report; the window is going away either way.
        }
    }
    activeControl_ = nullptr;
    // Later components may refer to earlier ones (containers); destroy in reverse creation order.
    while (!components_.empty())
        components_.pop_back();
}

void TForm::Adopt(std::unique_ptr<TComponent> component, const std::string& name, TControl* parent) {
    if (!name.empty() && FindComponent(name))
        throw std::invalid_argument("A component named " + name + " already exists");
    component->name_ = name;
    component->owner_ = this;
    if (auto* control = dynamic_cast<TControl*>(component.get())) {
        control->parent_ = parent;
        control->tabOrder_ = static_cast<int>(Children(parent).size());
    }
    components_.push_back(std::move(component));
}

TComponent* TForm::FindComponent(const std::string& name) const {
    if (name.empty())
        return nullptr;
    for (const auto& c : components_)
        if (c->Name() == name)
            return c.get();
    return nullptr;
}

std::vector<TControl*> TForm::Children(TControl* parent) const {
    std::vector<TControl*> out;
    for (const auto& c : components_)
        if (auto* control = dynamic_cast<TControl*>(c.get()); control && control->parent_ == parent)
            out.push_back(control);
    std::stable_sort(out.begin(), out.end(),
                     [](TControl* a, TControl* b) { return a->tabOrder_ < b->tabOrder_; });
    return out;
}

void TForm::AppendTabSequence(TControl* parent, std::vector<TControl*>& out) const {
    for (TControl* c : Children(parent)) {
        if (c->Focusable()) {
            if (c->TabStop() && c->CanFocus())
                out.push_back(c);
        } else {
            AppendTabSequence(c, out);
        }
    }
}

std::vector<TControl*> TForm::TabSequence() const {
    std::vector<TControl*> out;
    AppendTabSequence(nullptr, out);
    return out;
}

namespace {

// The standard frame and caption of each border style (96 dpi): outer size minus client size.
struct TFrameSize {
    int Width, Height;
};

TFrameSize FrameSize(TBorderStyle style) {
    switch (style) {
    case TBorderStyle::bsSizeable:
        return {16, 39};
    case TBorderStyle::bsDialog:
        return {6, 29};
    case TBorderStyle::bsNone:
        break;
    }
    return {0, 0};
}

} // namespace

void TForm::SetSize(int width, int height) {
    const TFrameSize frame = FrameSize(borderStyle_);
    width_ = width;
    height_ = height;
    clientWidth_ = width - frame.Width;
    clientHeight_ = height - frame.Height;
    Realign();
}

void TForm::SetClientSize(int width, int height) {
    const TFrameSize frame = FrameSize(borderStyle_);
    clientWidth_ = width;
    clientHeight_ = height;
    width_ = width + frame.Width;
    height_ = height + frame.Height;
    Realign();
}

void TForm::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    const TFrameSize frame = FrameSize(style);
    width_ = clientWidth_ + frame.Width;
    height_ = clientHeight_ + frame.Height;
}

void TForm::Realign() {
    TLayout::AlignControls(*this);
}

TAction* TForm::FindShortCut(std::uint16_t key, TShiftState shift) const {
    const TShortCut wanted = ShortCut(key, shift);
    for (const auto& c : components_)
        if (auto* action = dynamic_cast<TAction*>(c.get());
            action && action->Enabled() && action->GetShortCut() != 0 && action->GetShortCut() == wanted)
            return action;
    return nullptr;
}

void TForm::Close() {
    if (modalResult_ == mrNone)
        modalResult_ = mrCancel;
}

TModalResult TForm::ShowModal() {
    modalResult_ = mrNone;
    return FormRunner().ShowModal(*this);
}

bool TForm::SetActiveControl(TControl* control) {
    if (control == activeControl_)
        return true;
    if (control && (control->Owner() != this || !control->Focusable() || !control->CanFocus()))
        return false;
    if (TControl* old = activeControl_) {
        if (!RunHandler([&] { old->DoExit(); }))
            return false;
        if (activeControl_ != old)
            return false; // the exit handler moved the focus itself
    }
    activeControl_ = control;
    if (control)
        RunHandler([&] { control->DoEnter(); });
    return true;
}

TControl* TForm::FindNextControl(TControl* current, bool forward) const {
    const std::vector<TControl*> seq = TabSequence();
    if (seq.empty())
        return nullptr;
    auto it = std::find(seq.begin(), seq.end(), current);
    if (it == seq.end())
        return forward ? seq.front() : seq.back();
    const auto n = static_cast<std::ptrdiff_t>(seq.size());
    std::ptrdiff_t i = it - seq.begin();
    i = forward ? (i + 1) % n : (i + n - 1) % n;
    return seq[static_cast<std::size_t>(i)];
}

bool TForm::SelectNext(TControl* current, bool forward) {
    TControl* next = FindNextControl(current, forward);
    return next && SetActiveControl(next);
}

void TForm::Create() {
    DoCreate();
    if (OnCreate)
        OnCreate(*this);
    Realign();
}

void TForm::DoShow() {
    if (OnShow)
        OnShow(*this);
}

void TForm::CloseQuery(bool& canClose) {
    if (OnCloseQuery)
        OnCloseQuery(*this, canClose);
}

void TForm::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(*this, key, shift);
}

void TForm::BeginModal() {
    visible_ = true;
    RunHandler([&] { DoShow(); });
    if (!activeControl_ || !activeControl_->CanFocus()) {
        activeControl_ = nullptr;
        if (TControl* first = FindNextControl(nullptr, true))
            SetActiveControl(first);
    }
}

bool TForm::TryEndModal() {
    if (modalResult_ == mrNone)
        return false;
    bool canClose = true;
    if (!RunHandler([&] { CloseQuery(canClose); }))
        canClose = false;
    if (!canClose) {
        modalResult_ = mrNone;
        return false;
    }
    RunHandler([&] {
        if (OnClose)
            OnClose(*this);
    });
    visible_ = false;
    return true;
}

void TForm::Post(std::function<void()> action) {
    posted_.push_back(std::move(action));
}

void TForm::RunPosted() {
    auto actions = std::move(posted_);
    posted_.clear();
    for (auto& a : actions)
        a();
}

bool TForm::DispatchKeyDown(std::uint16_t key, TShiftState shift) {
    posted_.clear();
    TControl* target = activeControl_;
    if (TAction* action = FindShortCut(key, shift))
        return RunHandler([&] { action->Execute(); });
    return RunHandler([&] {
        if (keyPreview_)
            KeyDown(key, shift);
        if (key != 0 && target && target == activeControl_)
            target->KeyDown(key, shift);
        RunPosted();
    });
}

bool TForm::DispatchKeyPress(char32_t key) {
    TControl* target = activeControl_;
    if (!target)
        return true;
    return RunHandler([&] { target->KeyPress(key); });
}

} // namespace tkv
