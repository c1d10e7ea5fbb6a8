// The drawn rectangle of a whole picture.
#include "PictureView.h"

namespace tkv {

TRect TPictureView::DrawRect() const {
    if (!pixels_ || pixels_->Empty())
        return {};
    long long w = pixels_->Width(), h = pixels_->Height();
    const long long boxW = Width(), boxH = Height();
    if (w > boxW || h > boxH) {
        // The side that overflows more decides the scale.
        if (w * boxH > h * boxW) {
            h = h * boxW / w;
            w = boxW;
        } else {
            w = w * boxH / h;
            h = boxH;
        }
    }
    const int left = static_cast<int>((boxW - w) / 2), top = static_cast<int>((boxH - h) / 2);
    return {left, top, left + static_cast<int>(w), top + static_cast<int>(h)};
}

} // namespace tkv
