// A picture slot: shows one picture stretched to its size, remembers the picture number it shows
// (0 when empty) and may carry a context menu.
#pragma once

#include "Control.h"
#include "Graphic.h"
#include "Label.h"
#include "PopupMenu.h"

#include <memory>

namespace tkv {

class TPictureSlot : public TControl {
public:
    std::string ClassName() const override { return "TImage"; }

    int PictureNo() const { return pictureNo_; }
    void SetPictureNo(int pictureNo) { pictureNo_ = pictureNo; }
    const std::shared_ptr<const TGraphic>& Picture() const { return picture_; }
    void SetPicture(std::shared_ptr<const TGraphic> picture) {
        picture_ = std::move(picture);
        NotifyChanged(TProperty::Picture);
    }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch) {
        stretch_ = stretch;
        NotifyChanged(TProperty::Picture);
    }
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor color) {
        backColor_ = color;
        NotifyChanged(TProperty::Picture);
    }
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }
    // Empties the slot: white background, no picture, number 0, no menu.
    void Clear() {
        picture_.reset();
        backColor_ = TColor::clWhite;
        pictureNo_ = 0;
        popupMenu_ = nullptr;
        NotifyChanged(TProperty::Picture);
    }

private:
    int pictureNo_ = 0;
    std::shared_ptr<const TGraphic> picture_;
    bool stretch_ = true;
    TColor backColor_ = TColor::clWhite;
    TPopupMenu* popupMenu_ = nullptr;
};

} // namespace tkv
