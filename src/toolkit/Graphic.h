// A picture as a control model refers to it: the renderer draws it, the model only holds it.
// Picture types of the system (a decoded JPEG picture) derive from it.
#pragma once

#include "PixelBuffer.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tkv {

// A picture that cannot be read: unknown format, damaged data, or a size beyond what a picture
// may have.
class EInvalidGraphic : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The most pixels a picture may have: an A4 page scanned at 600 dpi (4961 x 7016) fits. Checked from
// the header before anything is decoded, so a damaged or hostile header allocates nothing huge.
constexpr std::int64_t kMaxPicturePixels = 40'000'000;

// Raises EInvalidGraphic unless both sides are positive and the area stays within the limit.
inline void CheckPictureSize(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0 || width * height > kMaxPicturePixels)
        throw EInvalidGraphic("picture size " + std::to_string(width) + " x " + std::to_string(height) +
                              " is not supported");
}

class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Pixels to draw the picture into a box of that size: at least the box's size, or the picture's
    // own size when it is smaller. Made once and kept, so drawing again decodes nothing.
    virtual const TPixelBuffer& Thumbnail(int width, int height) const = 0;
    // The picture at full size, for viewing and printing; the caller keeps it only as long as needed.
    virtual TPixelBuffer Decode() const = 0;
};

} // namespace tkv
