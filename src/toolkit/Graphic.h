// A picture as a control model refers to it: the renderer draws it, the model only holds it.
// Picture types of the system (a decoded JPEG picture) derive from it.
#pragma once

namespace tkv {

class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

} // namespace tkv
