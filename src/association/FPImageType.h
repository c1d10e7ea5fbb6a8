// The picture record of the two editing windows: one per picture the window holds, in the order
// added; its 1-based position is the picture number that the strips and the selection use.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tkv {

class TJPEGImage;

struct TFPImageType {
    std::int32_t ImageId = 0;          // picture id in the database; 0 while never stored
    std::string ImageName;             // store file name given during a save in this window
    std::shared_ptr<TJPEGImage> Image; // the picture, owned by the record
    std::int32_t Delete = 0;           // 1 once the user deleted the picture
    std::string Filname;               // store file name of a picture read from the invoice
    std::int32_t ord = 0;              // store ordinal
};

using TFPImageList = std::vector<std::unique_ptr<TFPImageType>>;

} // namespace tkv
