// The insurance windows' declared appearance holds together: every control lies inside its
// container, no two controls of one container overlap, and every caption fits its control in the
// control's font (the toolkit's text width model scaled to the font height).
#include "insurance/CardShowFrm.h"
#include "insurance/ConfigSetFrm.h"
#include "insurance/FormVipPass.h"
#include "insurance/SelectTSB.h"
#include "insurance/SelrebackSettleFrm.h"
#include "insurance/YBCard.h"
#include "toolkit/CheckBox.h"
#include "toolkit/LabelComboBox.h"
#include "toolkit/TextMetrics.h"

#include <gtest/gtest.h>

namespace tkv {
namespace {

std::string WithoutAccelerator(std::string text) {
    std::erase(text, '&');
    return text;
}

int Width(const TControl& c, const std::string& text) {
    return TextWidth(WithoutAccelerator(text)) * c.Font().Height / 12;
}

void CheckLayout(TForm& form) {
    SCOPED_TRACE(form.ClassName());
    EXPECT_GT(form.ClientWidth(), 0);
    EXPECT_GT(form.ClientHeight(), 0);
    std::vector<TControl*> containers = {nullptr};
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* c = dynamic_cast<TControl*>(&form.Components(i)))
            containers.push_back(c);
    for (TControl* parent : containers) {
        const int right = parent ? parent->Width() : form.ClientWidth();
        const int bottom = parent ? parent->Height() : form.ClientHeight();
        const std::vector<TControl*> children = form.Children(parent);
        for (std::size_t i = 0; i < children.size(); ++i) {
            const TControl& c = *children[i];
            SCOPED_TRACE(c.Name());
            EXPECT_GE(c.Left(), 0);
            EXPECT_GE(c.Top(), 0);
            EXPECT_LE(c.Left() + c.Width(), right);
            EXPECT_LE(c.Top() + c.Height(), bottom);
            for (std::size_t j = i + 1; j < children.size(); ++j) {
                const TControl& d = *children[j];
                const bool apart = c.Left() + c.Width() <= d.Left() || d.Left() + d.Width() <= c.Left() ||
                                   c.Top() + c.Height() <= d.Top() || d.Top() + d.Height() <= c.Top();
                EXPECT_TRUE(apart) << c.Name() << " overlaps " << d.Name();
            }
            const int h = c.Font().Height;
            if (dynamic_cast<const TLabel*>(&c)) {
                EXPECT_LE(Width(c, c.Caption()), c.Width());
                EXPECT_GE(c.Height(), h);
            } else if (dynamic_cast<const TActionButton*>(&c)) {
                EXPECT_LE(Width(c, c.Caption()) + 8, c.Width());
                EXPECT_GE(c.Height(), h + 6);
            } else if (dynamic_cast<const TRadioButton*>(&c) || dynamic_cast<const TCheckBox*>(&c)) {
                EXPECT_LE(Width(c, c.Caption()) + 18, c.Width());
                EXPECT_GE(c.Height(), h);
            } else if (auto* combo = dynamic_cast<const TLabelComboBox*>(&c)) {
                EXPECT_GE(c.Left() - combo->LabelSpacing() - Width(c, combo->Caption()), 0);
            }
        }
    }
}

TEST(InsuranceWindowsLayout, ControlsLieInsideApartAndFitTheirCaptions) {
    TYBCard card;
    card.AddTSB("M01|高血压");
    TConfigSetFrm config;
    CheckLayout(config);
    TFormVipPass vipPass(card);
    CheckLayout(vipPass);
    TSelectTSB selectTsb(card.TSBList());
    CheckLayout(selectTsb);
    TCardShowFrm cardShow;
    CheckLayout(cardShow);
    TSelrebackSettleFrm search;
    CheckLayout(search);
}

TEST(InsuranceWindowsLayout, BorderStylesAndTheLargeTypeOfTheCardNumberWindow) {
    TYBCard card;
    TFormVipPass vipPass(card);
    EXPECT_EQ(vipPass.BorderStyle(), TBorderStyle::bsNone);
    EXPECT_EQ(vipPass.ClientWidth(), 550);
    EXPECT_EQ(vipPass.ClientHeight(), 170);
    EXPECT_EQ(vipPass.edtCardNo->Font().Height, 29);
    EXPECT_EQ(vipPass.Position(), TPosition::poScreenCenter);
    TCardShowFrm cardShow;
    EXPECT_EQ(cardShow.BorderStyle(), TBorderStyle::bsDialog);
    TSelrebackSettleFrm search;
    EXPECT_EQ(search.BorderStyle(), TBorderStyle::bsDialog);
    // The button panel lies along the bottom edge.
    EXPECT_EQ(search.XwPanel1->Top() + search.XwPanel1->Height(), search.ClientHeight());
    EXPECT_EQ(search.XwPanel1->Width(), search.ClientWidth());
}

} // namespace
} // namespace tkv
