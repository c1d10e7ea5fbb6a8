// Builders of the captioned controls of the plug-in windows.
#include "FormBuilder.h"

namespace tkv {

TSelectorEdit& MakeRecordSelector(TForm& form, const std::string& name, TControl* parent,
                                  const std::string& caption, TBasicType kind, TFieldsList shown, int left,
                                  int top, int width) {
    auto& edit = form.Make<TSelectorEdit>(name, parent);
    edit.SetCaption(caption);
    edit.SetBasicType(kind);
    edit.SetBasicTypeOther(kind);
    edit.SetFieldsList(shown);
    edit.SetBasicinfoEditBandType(TBasicinfoEditBandType::bebtSelectRecord);
    edit.SetBtnVisible(true);
    edit.SetBounds(left, top, width, kEditHeight);
    return edit;
}

TSelectorEdit& MakeTextField(TForm& form, const std::string& name, TControl* parent,
                             const std::string& caption, int left, int top, int width) {
    auto& edit = form.Make<TSelectorEdit>(name, parent);
    edit.SetCaption(caption);
    edit.SetBasicType(btNo);
    edit.SetBasicTypeOther(btNo);
    edit.SetFieldsList(flNull);
    edit.SetBasicinfoEditBandType(TBasicinfoEditBandType::bebtOther);
    edit.SetBtnVisible(false);
    edit.SetBounds(left, top, width, kEditHeight);
    return edit;
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
