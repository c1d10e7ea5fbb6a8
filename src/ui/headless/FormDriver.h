// What a script does to a modal form: the user's actions on its controls, by control name. Each
// action runs through the toolkit's dispatcher like real input, then closes the form when it has a
// modal result and may close. Acting on a control that is missing, hidden or disabled is a script
// failure and stops the script (the runner records it and closes the form).
#pragma once

#include "toolkit/Form.h"

#include <string>

namespace tkv {

class THeadlessRunner;

// Thrown to stop a script; not an std::exception, so no handler of the form catches it.
struct TScriptStop {
    std::string Reason;
};

class TFormDriver {
public:
    TFormDriver(THeadlessRunner& runner, TForm& form) : runner_(runner), form_(form) {}

    TForm& Form() { return form_; }
    bool Closed() const { return closed_; }

    template <class T> T& Get(const std::string& name) {
        T* c = form_.Find<T>(name);
        if (!c)
            Fail("no component " + name + " of the expected class");
        return *c;
    }

    // Focus moves the focus to the control (exit and enter events run); Leave moves it on to the
    // next tab stop.
    void Focus(const std::string& name);
    void Leave();
    // Types the characters at the end of the text; refused characters leave the text unchanged.
    void Type(const std::string& name, const std::string& text);
    // Replaces the whole text by typing (select all, then the characters; empty text deletes).
    void SetText(const std::string& name, const std::string& text);
    // A key pressed in the focused control, or in the named control after focusing it.
    void PressKey(std::uint16_t key, TShiftState shift = 0);
    void PressKey(const std::string& name, std::uint16_t key, TShiftState shift = 0);
    void Click(const std::string& name);
    void DblClick(const std::string& name);
    // The button at the right end of an edit.
    void ClickEditButton(const std::string& name);
    void Check(const std::string& name, bool checked);
    void ChooseItem(const std::string& name, const std::string& item);
    void ChooseItem(const std::string& name, int index);
    void ChooseDate(const std::string& name, TDateTime date);
    void Scroll(const std::string& name, int position);
    void SelectRow(const std::string& grid, int row);
    // Selects the row and double-clicks it (the default tick handling toggles it).
    void TickRow(const std::string& grid, int row);
    // The right mouse button on the control, then the item of the context menu it shows.
    void ContextMenu(const std::string& name, const std::string& item);
    void FireTimer(const std::string& name);
    // The window's close box.
    void CloseWindow();

    [[noreturn]] void Fail(const std::string& reason);

private:
    TControl& Usable(const std::string& name);
    void AfterAction();

    THeadlessRunner& runner_;
    TForm& form_;
    bool closed_ = false;
};

} // namespace tkv
