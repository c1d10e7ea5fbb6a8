// Builders of the captioned controls of the plug-in windows.
#include "FormBuilder.h"

namespace tkv {

namespace {

// A selector edit of a record kind (btNo for plain text) in one of the selection modes.
TSelectorEdit& MakeSelector(TForm& form, const std::string& name, TControl* parent,
                            const std::string& caption, TBasicType kind, TFieldsList shown,
                            TBasicinfoEditBandType mode, int left, int top, int width) {
    auto& edit = form.Make<TSelectorEdit>(name, parent);
    edit.SetCaption(caption);
    edit.SetBasicType(kind);
    edit.SetBasicTypeOther(kind);
    edit.SetFieldsList(shown);
    edit.SetBasicinfoEditBandType(mode);
    edit.SetBtnVisible(kind != btNo);
    edit.SetBounds(left, top, width, kEditHeight);
    return edit;
}

} // namespace

TSelectorEdit& MakeRecordSelector(TForm& form, const std::string& name, TControl* parent,
                                  const std::string& caption, TBasicType kind, TFieldsList shown, int left,
                                  int top, int width) {
    return MakeSelector(form, name, parent, caption, kind, shown, TBasicinfoEditBandType::bebtSelectRecord,
                        left, top, width);
}

TSelectorEdit& MakeTextField(TForm& form, const std::string& name, TControl* parent,
                             const std::string& caption, int left, int top, int width) {
    return MakeSelector(form, name, parent, caption, btNo, flNull, TBasicinfoEditBandType::bebtOther, left,
                        top, width);
}

TLabelDateEdit& MakeDateEdit(TForm& form, const std::string& name, TControl* parent,
                             const std::string& caption, int left, int top, int width) {
    auto& edit = form.Make<TLabelDateEdit>(name, parent);
    edit.SetCaption(caption);
    edit.SetAllowBlank(false);
    edit.SetBounds(left, top, width, kEditHeight);
    return edit;
}

TActionButton& MakeButton(TForm& form, const std::string& name, TControl* parent, const std::string& caption,
                          int left, int top, int width) {
    auto& button = form.Make<TActionButton>(name, parent);
    button.SetCaption(caption);
    button.SetBounds(left, top, width, kButtonHeight);
    return button;
}

} // namespace tkv
