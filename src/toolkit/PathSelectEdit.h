// The folder edit: a captioned edit whose button and double click open the folder browser of the
// installed runner. A confirmed folder loses one trailing separator (a drive root "C:\" becomes
// "C:") and becomes the text, which runs the change handler; cancelling changes nothing.
#pragma once

#include "LabelBtnEdit.h"

namespace tkv {

class TPathSelectEdit : public TLabelBtnEdit {
public:
    TPathSelectEdit() { SetBtnVisible(true); }
    std::string ClassName() const override { return "TPathSelectEdit"; }

    const std::string& GetPath() const { return Text(); }
    void SetPath(const std::string& path) { TEdit::SetText(path); }
    // Opens the folder browser; true when a folder was chosen.
    bool DoSelectPath();

    void ButtonClick() override;
    void DblClick() override;
};

} // namespace tkv
