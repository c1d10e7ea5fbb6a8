// A picture shown whole: at its own size, centred in the control, or shrunk keeping its proportions
// when it is larger than the control. It holds the decoded pixels for as long as it shows them.
#pragma once

#include "Control.h"
#include "Layout.h"
#include "PixelBuffer.h"

#include <memory>

namespace tkv {

class TPictureView : public TControl {
public:
    std::string ClassName() const override { return "TImage"; }

    const std::shared_ptr<const TPixelBuffer>& Pixels() const { return pixels_; }
    void SetPixels(std::shared_ptr<const TPixelBuffer> pixels) { pixels_ = std::move(pixels); }
    // Where the picture is drawn, in the control's coordinates; empty without a picture.
    TRect DrawRect() const;

private:
    std::shared_ptr<const TPixelBuffer> pixels_;
};

} // namespace tkv
