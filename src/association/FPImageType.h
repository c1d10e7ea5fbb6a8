// The picture record of the editing windows: one per picture the window holds, in the order the
// pictures were added; its 1-based place in the window's list is its picture number.
#pragma once

#include "../toolkit/JPEGImage.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tkv {

struct TFPImageType {
    std::int32_t ImageId = 0;          // picture id in the database; 0 until stored
    std::string ImageName;             // store file name given by a save in this window
    std::shared_ptr<TJPEGImage> Image; // the picture; the slots showing it share it
    std::int32_t Delete = 0;           // 1 once the user deleted it
    std::string Filname;               // store file name of a picture read from the invoice
    std::int32_t ord = 0;              // store ordinal: read from the invoice or given by a save
};

using TFPImageList = std::vector<std::unique_ptr<TFPImageType>>;

} // namespace tkv
