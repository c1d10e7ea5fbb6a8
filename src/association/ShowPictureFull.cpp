// The full-screen picture viewer.
#include "ShowPictureFull.h"

#include "../toolkit/FormEnvironment.h"

namespace tkv {

TfrmShowPictureFull::TfrmShowPictureFull() {
    SetBorderStyle(TBorderStyle::bsNone);
    SetWindowState(TWindowState::wsMaximized);
    SetColor(TColor::clBtnFace);
    SetKeyPreview(true);
    SetOwnerHandle(CurrentFormEnvironment().OwnerHandle);

    Image1 = &Make<TPictureView>("Image1");
    Image1->SetAlign(TAlign::alClient);
    Image1->OnDblClick = [this](TComponent&) {
        Close();
    };

    Label1 = &Make<TLabel>("Label1");
    Label1->SetCaption("按ESC或者双击退出本窗口");
    Label1->SetBounds(40, 8, 260, 21);
    Label1->SetFont(TFont{"宋体", 21, fsBold});
    Label1->SetTransparent(true);

    Timer1 = &Make<TTimer>("Timer1");
    Timer1->SetInterval(2000);
    Timer1->OnTimer = [this](TComponent&) {
        Timer1->SetEnabled(false);
        Label1->SetVisible(false);
    };
    Create();
}

void TfrmShowPictureFull::SetPicture(const TGraphic& picture) {
    Image1->SetPixels(std::make_shared<const TPixelBuffer>(picture.Decode()));
}

void TfrmShowPictureFull::KeyDown(std::uint16_t& key, TShiftState shift) {
    TForm::KeyDown(key, shift);
    if (key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE)
        Close();
}

void ShowPictureFull(const TGraphic& picture) {
    TfrmShowPictureFull viewer;
    viewer.SetPicture(picture);
    viewer.ShowModal();
}

} // namespace tkv
