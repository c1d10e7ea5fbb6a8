// Layout of a container's controls: aligned controls take an edge of what is left of the
// container's client rectangle (tops, then bottoms, lefts, rights, in creation order) or the rest
// of it; unaligned controls keep the distances to the edges they are anchored to when the container
// has changed size since the last layout.
#pragma once

namespace tkv {

class TForm;
class TControl;

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

class TLayout {
public:
    // Lays out the controls of the form, depth first, within the form's client area.
    static void AlignControls(TForm& form);

private:
    static void AlignChildren(TForm& form, TControl* parent, TRect rect, int width, int height,
                              int& laidOutWidth, int& laidOutHeight);
};

} // namespace tkv
