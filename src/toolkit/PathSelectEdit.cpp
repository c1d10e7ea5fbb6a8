// Folder selection of the folder edit.
#include "PathSelectEdit.h"

#include "Form.h"

namespace tkv {

bool TPathSelectEdit::DoSelectPath() {
    std::string folder;
    const WindowHandle owner = Owner() ? Owner()->OwnerHandle() : 0;
    if (!FormRunner().SelectFolder(owner, std::string(), folder))
        return false;
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    SetPath(folder);
    return true;
}

void TPathSelectEdit::ButtonClick() {
    TDataBtnEdit::ButtonClick();
    DoSelectPath();
}

void TPathSelectEdit::DblClick() {
    TControl::DblClick();
    DoSelectPath();
}

} // namespace tkv
