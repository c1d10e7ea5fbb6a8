// Builders of the captioned controls as the plug-in windows declare them: a record selector, a
// free-text field (a selector without its button), a drop-down date, a button. Bounds are those
// of the field; the caption label stands left of it.
#pragma once

#include "ActionButton.h"
#include "Form.h"
#include "LabelDateEdit.h"
#include "SelectorEdit.h"

namespace tkv {

constexpr int kEditHeight = 21, kButtonWidth = 75, kButtonHeight = 25;

// A selector of one kind of basic record, showing the given field of the selected record.
TSelectorEdit& MakeRecordSelector(TForm& form, const std::string& name, TControl* parent,
                                  const std::string& caption, TBasicType kind, TFieldsList shown, int left,
                                  int top, int width);
// A free-text field: a selector of no record kind with its button hidden.
TSelectorEdit& MakeTextField(TForm& form, const std::string& name, TControl* parent,
                             const std::string& caption, int left, int top, int width);
// A drop-down date that is never blank.
TLabelDateEdit& MakeDateEdit(TForm& form, const std::string& name, TControl* parent,
                             const std::string& caption, int left, int top, int width = 110);
TActionButton& MakeButton(TForm& form, const std::string& name, TControl* parent, const std::string& caption,
                          int left, int top, int width = kButtonWidth);

} // namespace tkv
