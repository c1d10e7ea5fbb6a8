// The print window's declared appearance holds together: every control and every caption label lies
// inside its container, no two of them overlap, and button captions fit their buttons (the toolkit's
// text width model scaled to the font height).
#include "printing/FpImagePrintFrm.h"
#include "toolkit/CaptionLabel.h"
#include "toolkit/TextMetrics.h"

#include <gtest/gtest.h>

namespace tkv {
namespace {

struct TBox {
    std::string Name;
    TRect Rect;
};

int Width(const TControl& c, const std::string& text) {
    return TextWidth(text) * c.Font().Height / 12;
}

// The control's own box and, for a captioned control, the box of its caption label left of it.
std::vector<TBox> BoxesOf(const TControl& c) {
    std::vector<TBox> boxes = {{c.Name(), {c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()}}};
    if (const auto* captioned = dynamic_cast<const TCaptionLabel*>(&c);
        captioned && captioned->LabelVisible()) {
        const int right = c.Left() - captioned->LabelSpacing();
        boxes.push_back(
            {c.Name() + " caption", {right - Width(c, c.Caption()), c.Top(), right, c.Top() + c.Height()}});
    }
    return boxes;
}

TEST(PrintWindowLayout, ControlsAndCaptionsLieInsideApartAndFit) {
    TFpImagePrintFrm form;
    form.Realign();
    std::vector<TControl*> containers = {nullptr};
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* c = dynamic_cast<TControl*>(&form.Components(i)))
            containers.push_back(c);
    for (TControl* parent : containers) {
        const int right = parent ? parent->Width() : form.ClientWidth();
        const int bottom = parent ? parent->Height() : form.ClientHeight();
        std::vector<TBox> boxes;
        for (TControl* c : form.Children(parent)) {
            if (!c->Visible())
                continue;
            for (const TBox& b : BoxesOf(*c))
                boxes.push_back(b);
            if (auto* button = dynamic_cast<TActionButton*>(c))
                EXPECT_LE(Width(*c, button->Caption()) + 8, c->Width()) << c->Name();
        }
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const TRect& r = boxes[i].Rect;
            EXPECT_GE(r.Left, 0) << boxes[i].Name;
            EXPECT_GE(r.Top, 0) << boxes[i].Name;
            EXPECT_LE(r.Right, right) << boxes[i].Name;
            EXPECT_LE(r.Bottom, bottom) << boxes[i].Name;
            for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                const TRect& s = boxes[j].Rect;
                const bool apart =
                    r.Right <= s.Left || s.Right <= r.Left || r.Bottom <= s.Top || s.Bottom <= r.Top;
                EXPECT_TRUE(apart) << boxes[i].Name << " overlaps " << boxes[j].Name;
            }
        }
    }
}

} // namespace
} // namespace tkv
