// A form: the components it owns in creation order, the focus and tab order, key preview and the
// shortcuts of its actions, its appearance (caption, border style, size, position, font, colour)
// and the layout of its aligned and anchored controls, the modal result and ShowModal through the
// installed runner, and the create / show / close-query / close / destroy events. A window derives from it
// (through TParentForm), creates its controls with Make in its constructor and then calls Create.
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
// Sizeable frame, fixed dialog frame, or no border and no caption.
enum class TBorderStyle : std::uint8_t { bsSizeable, bsDialog, bsNone };
// wsMaximized makes the window cover the screen's work area.
enum class TWindowState : std::uint8_t { wsNormal, wsMaximized };

class TAction;

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
    // Outer size, frame and caption included. A window declared by its outer size gets the client
    // size of the standard frame of its border style until a renderer reports the real one.
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);
    // The client area, where the controls lie; setting it lays the controls out again.
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    void SetClientSize(int width, int height);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state) { windowState_ = state; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    const TFont& Font() const { return font_; }
    void SetFont(TFont font) { font_ = std::move(font); }
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    // Lays the controls out: aligned controls take their edge or the rest of their container,
    // anchored controls keep their distances to the container edges they are anchored to.
    void Realign();
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
    // A key pressed while the form is active: an action's shortcut runs the action and ends there;
    // any other key is previewed by the form when key preview is on, then given to the focused
    // control, then the form's posted actions run. Dispatched.
    bool DispatchKeyDown(std::uint16_t key, TShiftState shift = 0);
    // The action whose shortcut this key is (enabled actions only), or nullptr.
    TAction* FindShortCut(std::uint16_t key, TShiftState shift) const;
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
    friend class TLayout;
    void Adopt(std::unique_ptr<TComponent> component, const std::string& name, TControl* parent);
    void AppendTabSequence(TControl* parent, std::vector<TControl*>& out) const;
    void RunPosted();

    std::vector<std::unique_ptr<TComponent>> components_;
    std::vector<std::function<void()>> posted_;
    std::string caption_;
    int width_ = 0, height_ = 0;
    int clientWidth_ = 0, clientHeight_ = 0;
    int laidOutWidth_ = -1, laidOutHeight_ = -1;
    TBorderStyle borderStyle_ = TBorderStyle::bsSizeable;
    TWindowState windowState_ = TWindowState::wsNormal;
    TPosition position_ = TPosition::poDesigned;
    TFont font_;
    TColor color_ = TColor::clBtnFace;
    bool keyPreview_ = false;
    bool visible_ = false;
    WindowHandle ownerHandle_ = 0;
    TModalResult modalResult_ = mrNone;
    TControl* activeControl_ = nullptr;
};

} // namespace tkv
