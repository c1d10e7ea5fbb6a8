// A form: the components it owns in creation order, the focus and tab order, key preview, the modal
// result and ShowModal through the installed runner, and the create / show / close-query / close /
// destroy events. A window derives from it (through TParentForm), creates its controls with Make in
// its constructor and then calls Create.
#pragma once

#include "Component.h"
#include "Control.h"
#include "FormRunner.h"
#include "Keys.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tkv {

enum class TPosition : std::uint8_t { poDesigned, poScreenCenter, poOwnerFormCenter };

using TCloseQueryEvent = std::function<void(TForm& sender, bool& canClose)>;
using TFormKeyEvent = std::function<void(TForm& sender, std::uint16_t& key, TShiftState shift)>;
using TFormEvent = std::function<void(TForm& sender)>;

class TForm {
public:
    TForm();
    virtual ~TForm();
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    virtual std::string ClassName() const { return "TForm"; }

    // Creates a component owned by the form, placed in the container (nullptr: the form itself).
    // Names are unique within the form; an empty name is allowed for any number of components.
    template <class T> T& Make(const std::string& name, TControl* parent = nullptr) {
        auto owned = std::make_unique<T>();
        T& c = *owned;
        Adopt(std::move(owned), name, parent);
        return c;
    }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent& Components(int index) const { return *components_.at(index); }
    TComponent* FindComponent(const std::string& name) const;
    template <class T> T* Find(const std::string& name) const {
        return dynamic_cast<T*>(FindComponent(name));
    }
    // The controls directly in that container (nullptr: the form), in tab order.
    std::vector<TControl*> Children(TControl* parent) const;
    // Every control that accepts the focus from the tab key, in tab order (containers depth first).
    std::vector<TControl*> TabSequence() const;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool keyPreview) { keyPreview_ = keyPreview; }
    WindowHandle OwnerHandle() const { return ownerHandle_; }
    void SetOwnerHandle(WindowHandle handle) { ownerHandle_ = handle; }
    bool Visible() const { return visible_; }

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    // Asks the form to close: in a modal form the result becomes mrCancel unless one is set.
    void Close();
    // Hands the form to the installed runner; answers the modal result.
    TModalResult ShowModal();

    // Focus. SetActiveControl runs the exit event of the old control and the enter event of the new
    // one; when the exit handler ends early the focus stays where it was. False when it stayed.
    TControl* ActiveControl() const { return activeControl_; }
    bool SetActiveControl(TControl* control);
    // Focuses the next (or previous) tab stop after the control, wrapping around.
    bool SelectNext(TControl* current, bool forward = true);
    TControl* FindNextControl(TControl* current, bool forward) const;

    // Runs the creation step: the class's own DoCreate, then OnCreate. Errors propagate to the
    // function that creates the window.
    void Create();

    // The runner's side of a modal session.
    // Shows the form: fires the show event (dispatched) and focuses the first tab stop.
    void BeginModal();
    // When a modal result is set, asks close-query; true when the form closed (hidden, close event
    // fired), false when it stays open (the result is then reset).
    bool TryEndModal();
    // A key pressed while the form is active: previewed by the form when key preview is on, then
    // given to the focused control, then the form's posted actions run. Dispatched.
    bool DispatchKeyDown(std::uint16_t key, TShiftState shift = 0);
    // A character typed into the focused control. Dispatched.
    bool DispatchKeyPress(char32_t key);
    // Runs an action once the current key has reached the focused control.
    void Post(std::function<void()> action);

    TFormEvent OnCreate, OnShow, OnClose, OnDestroy;
    TCloseQueryEvent OnCloseQuery;
    TFormKeyEvent OnKeyDown;

protected:
    virtual void DoCreate() {}
    virtual void DoShow();
    virtual void CloseQuery(bool& canClose);
    // The key preview handler.
    virtual void KeyDown(std::uint16_t& key, TShiftState shift);

private:
    void Adopt(std::unique_ptr<TComponent> component, const std::string& name, TControl* parent);
    void AppendTabSequence(TControl* parent, std::vector<TControl*>& out) const;
    void RunPosted();

    std::vector<std::unique_ptr<TComponent>> components_;
    std::vector<std::function<void()>> posted_;
    std::string caption_;
    int width_ = 0, height_ = 0;
    TPosition position_ = TPosition::poDesigned;
    bool keyPreview_ = false;
    bool visible_ = false;
    WindowHandle ownerHandle_ = 0;
    TModalResult modalResult_ = mrNone;
    TControl* activeControl_ = nullptr;
};

} // namespace tkv
