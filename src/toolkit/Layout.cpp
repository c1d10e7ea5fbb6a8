// Layout of aligned and anchored controls.
#include "Layout.h"

#include "Control.h"
#include "Form.h"

#include <array>

namespace tkv {

void TLayout::AlignControls(TForm& form) {
    AlignChildren(form, nullptr, {0, 0, form.clientWidth_, form.clientHeight_}, form.clientWidth_,
                  form.clientHeight_, form.laidOutWidth_, form.laidOutHeight_);
}

void TLayout::AlignChildren(TForm& form, TControl* parent, TRect rect, int width, int height,
                            int& laidOutWidth, int& laidOutHeight) {
    const std::vector<TControl*> children = form.Children(parent);
    // Anchors: the first layout fixes the distances; later ones keep them.
    const int dw = laidOutWidth < 0 ? 0 : width - laidOutWidth;
    const int dh = laidOutHeight < 0 ? 0 : height - laidOutHeight;
    laidOutWidth = width;
    laidOutHeight = height;
    for (TControl* c : children) {
        if (c->align_ != TAlign::alNone || (dw == 0 && dh == 0))
            continue;
        const TAnchors a = c->anchors_;
        int left = c->left_, top = c->top_, w = c->width_, h = c->height_;
        if (a & akRight) {
            if (a & akLeft)
                w += dw;
            else
                left += dw;
        }
        if (a & akBottom) {
            if (a & akTop)
                h += dh;
            else
                top += dh;
        }
        c->SetBounds(left, top, w < 0 ? 0 : w, h < 0 ? 0 : h);
    }
    // Edges in the order the host toolkit uses; alClient last takes what remains.
    constexpr std::array order{TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight,
                               TAlign::alClient};
    for (TAlign edge : order) {
        for (TControl* c : children) {
            if (c->align_ != edge)
                continue;
            switch (edge) {
            case TAlign::alTop:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), c->height_);
                rect.Top += c->height_;
                break;
            case TAlign::alBottom:
                rect.Bottom -= c->height_;
                c->SetBounds(rect.Left, rect.Bottom, rect.Width(), c->height_);
                break;
            case TAlign::alLeft:
                c->SetBounds(rect.Left, rect.Top, c->width_, rect.Height());
                rect.Left += c->width_;
                break;
            case TAlign::alRight:
                rect.Right -= c->width_;
                c->SetBounds(rect.Right, rect.Top, c->width_, rect.Height());
                break;
            default:
                c->SetBounds(rect.Left, rect.Top, rect.Width() < 0 ? 0 : rect.Width(),
                             rect.Height() < 0 ? 0 : rect.Height());
                break;
            }
        }
    }
    for (TControl* c : children)
        AlignChildren(form, c, c->AlignRect(), c->width_, c->height_, c->laidOutWidth_, c->laidOutHeight_);
}

} // namespace tkv
