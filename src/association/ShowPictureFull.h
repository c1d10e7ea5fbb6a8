// The full-screen picture viewer: a borderless window over the screen's work area showing one
// picture whole on the button face, with a hint that disappears after two seconds. Enter, Esc or
// Space, or a double-click on the picture, closes it. The full-size pixels live as long as the
// viewer does.
#pragma once

#include "../toolkit/Form.h"
#include "../toolkit/Graphic.h"
#include "../toolkit/Label.h"
#include "../toolkit/PictureView.h"
#include "../toolkit/Timer.h"

namespace tkv {

class TfrmShowPictureFull : public TForm {
public:
    TfrmShowPictureFull();
    std::string ClassName() const override { return "TfrmShowPictureFull"; }

    // Decodes the picture at full size into the viewer.
    void SetPicture(const TGraphic& picture);

    TPictureView* Image1;
    TLabel* Label1;
    TTimer* Timer1;

protected:
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
};

// Shows the picture in a new viewer until the user closes it.
void ShowPictureFull(const TGraphic& picture);

} // namespace tkv
