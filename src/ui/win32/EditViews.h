// Views of the input controls: text edits (with the caption label of captioned edits and the
// button at the right end of button edits), drop-down lists and date pickers. Typing in an edit
// goes to the edit model, which may refuse characters; the native edit only shows the model's text
// and caret.
#pragma once

#include "ControlView.h"

namespace tkv {
class TEdit;
class TLabelComboBox;
class TDatePicker;
} // namespace tkv

namespace tkv::win32ui {

// The caption label of a captioned control: a static text left of (or above) the field, in the
// control's font, as wide as its text.
class TCaptionPart {
public:
    void Create(TControlView& view, TFormWindow& window, HWND parent);
    void Update(TFormWindow& window);
    HWND Handle() const { return label_; }

private:
    TControl* model_ = nullptr;
    HWND label_ = nullptr;
};

class TEditView : public TControlView {
public:
    TEditView(TFormWindow& window, TEdit& model);
    void Create(HWND parent) override;
    void Update(TProperty property) override;
    bool Command(HWND from, UINT code) override;
    HBRUSH CtlColor(HDC dc, HWND from) override;
    bool Intercept(HWND from, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool PassKeyToNative(UINT vk) const override;
    void SyncCaretToModel() override;
    bool EditingKey(UINT vk, TShiftState shift) override;

protected:
    void Place() override;
    void ApplyFont() override;
    void ApplyEnabled() override;
    void ApplyVisible() override;

private:
    void ApplyText();
    bool ButtonShown() const;
    void TypeCharacter(char32_t key);

    TEdit& edit_;
    TCaptionPart caption_;
    HWND button_ = nullptr;
    wchar_t highSurrogate_ = 0;
};

class TComboView : public TControlView {
public:
    TComboView(TFormWindow& window, TLabelComboBox& model);
    void Create(HWND parent) override;
    void Update(TProperty property) override;
    bool Command(HWND from, UINT code) override;
    HBRUSH CtlColor(HDC dc, HWND from) override;
    bool PassKeyToNative(UINT vk) const override;

protected:
    void Place() override;
    void ApplyFont() override;
    void ApplyVisible() override;

private:
    void ApplyItems();
    TLabelComboBox& combo_;
    TCaptionPart caption_;
};

class TDateView : public TControlView {
public:
    TDateView(TFormWindow& window, TDatePicker& model);
    void Create(HWND parent) override;
    void Update(TProperty property) override;
    bool Notify(NMHDR& header, LRESULT& result) override;
    HBRUSH CtlColor(HDC dc, HWND from) override;

protected:
    void Place() override;
    void ApplyFont() override;
    void ApplyVisible() override;

private:
    void ApplyDate();
    TDatePicker& date_;
    TCaptionPart caption_;
    bool settingDate_ = false;
};

} // namespace tkv::win32ui
