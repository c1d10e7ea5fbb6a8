// Window appearance in the models: aligned panels, anchored buttons, client and outer size per
// border style, inherited fonts, action shortcuts and Enter in windows without key preview.
#include "ToolkitFixture.h"
#include "toolkit/Action.h"
#include "toolkit/ActionButton.h"
#include "toolkit/BandGrid.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/LabelComboBox.h"
#include "toolkit/ParentForm.h"
#include "toolkit/SelectorEdit.h"
#include "ui/headless/FormDriver.h"

#include <gtest/gtest.h>

using namespace tkv;
using namespace tkv::test;

namespace {

// A resizable list window: filter panel on top, buttons at the bottom, the grid in between, two
// buttons anchored at the right.
class ListForm : public TParentForm {
public:
    ListForm() {
        filter = &Make<TFramePanel>("FilterPanel");
        filter->SetAlign(TAlign::alTop);
        filter->SetBounds(0, 0, 0, 113);
        grid = &Make<TBandGrid>("MainGrid");
        grid->SetAlign(TAlign::alClient);
        exitButton = &Make<TActionButton>("btn_exit", XwPanel1);
        exitButton->SetBounds(960, 8, 75, 25);
        exitButton->SetAnchors(akTop | akRight);
        addButton = &Make<TActionButton>("btn_add", XwPanel1);
        addButton->SetBounds(10, 8, 75, 25);
        SetSize(1073, 569);
        Create();
    }
    TFramePanel* filter;
    TBandGrid* grid;
    TActionButton* exitButton;
    TActionButton* addButton;
};

using LayoutTest = ToolkitTest;

TEST_F(LayoutTest, AlignedPanelsShareTheClientAreaAndFollowItsSize) {
    ListForm form;
    EXPECT_EQ(form.ClientWidth(), 1073 - 16);
    EXPECT_EQ(form.ClientHeight(), 569 - 39);
    const int w = form.ClientWidth(), h = form.ClientHeight();
    EXPECT_EQ(form.filter->Top(), 0);
    EXPECT_EQ(form.filter->Width(), w);
    EXPECT_EQ(form.XwPanel1->Top(), h - 41);
    EXPECT_EQ(form.XwPanel1->Width(), w);
    EXPECT_EQ(form.grid->Top(), 113);
    EXPECT_EQ(form.grid->Height(), h - 113 - 41);
    EXPECT_EQ(form.grid->Width(), w);

    form.SetClientSize(w + 200, h + 100);
    EXPECT_EQ(form.grid->Width(), w + 200);
    EXPECT_EQ(form.grid->Height(), h + 100 - 113 - 41);
    EXPECT_EQ(form.XwPanel1->Top(), h + 100 - 41);
    // The right-anchored button keeps its distance to the right edge, the other stays put.
    EXPECT_EQ(form.exitButton->Left(), 960 + 200);
    EXPECT_EQ(form.addButton->Left(), 10);
    form.SetClientSize(w, h);
    EXPECT_EQ(form.exitButton->Left(), 960);
}

TEST_F(LayoutTest, ClientAndOuterSizeFollowTheBorderStyle) {
    TForm dialog;
    dialog.SetBorderStyle(TBorderStyle::bsDialog);
    dialog.SetClientSize(991, 669);
    EXPECT_EQ(dialog.ClientWidth(), 991);
    EXPECT_EQ(dialog.Width(), 991 + 6);
    TForm bare;
    bare.SetBorderStyle(TBorderStyle::bsNone);
    bare.SetSize(800, 600);
    EXPECT_EQ(bare.ClientWidth(), 800);
    EXPECT_EQ(bare.ClientHeight(), 600);
}

TEST_F(LayoutTest, GroupBoxKeepsItsCaptionLineFreeOfAlignedChildren) {
    TForm form;
    auto& box = form.Make<TGroupBox>("box");
    box.SetBounds(5, 5, 300, 200);
    auto& inner = form.Make<TFramePanel>("inner", &box);
    inner.SetAlign(TAlign::alClient);
    form.SetClientSize(400, 300);
    EXPECT_EQ(inner.Top(), 16);
    EXPECT_EQ(inner.Left(), 2);
    EXPECT_EQ(inner.Width(), 296);
    EXPECT_EQ(inner.Height(), 182);
}

TEST_F(LayoutTest, FontsAreInheritedUntilAControlSetsItsOwn) {
    TForm form;
    auto& panel = form.Make<TFramePanel>("panel");
    auto& label = form.Make<TLabel>("label", &panel);
    EXPECT_EQ(label.Font().Name, "宋体");
    TFont heading{"新宋体", 16, fsBold, TColor::clBlack};
    panel.SetFont(heading);
    EXPECT_EQ(label.Font(), heading);
    EXPECT_TRUE(label.ParentFont());
    TFont red = heading;
    red.Color = TColor::clRed;
    label.SetFont(red);
    EXPECT_EQ(label.Font().Color, TColor::clRed);
    EXPECT_EQ(panel.Font().Color, TColor::clBlack);
}

// A window without key preview: its action list answers F1, its selectors move on with Enter.
class NoPreviewForm : public TParentForm {
public:
    NoPreviewForm() {
        SetKeyPreview(false);
        first = &Make<TSelectorEdit>("first");
        first->SetBtnVisible(false);
        second = &Make<TLabelComboBox>("second");
        second->SetItems({"a", "b"});
        third = &Make<TSelectorEdit>("third");
        third->SetReturnNextCom(false);
        help = &Make<TAction>("actActhelp");
        help->SetShortCut(VK_F1);
        help->OnExecute = [this](TComponent&) {
            ++helpRuns;
        };
        first->OnKeyDown = [this](TComponent&, std::uint16_t& key, TShiftState) {
            if (key == VK_F1)
                ++keysSeenByControl;
        };
        Create();
    }
    TSelectorEdit* first;
    TLabelComboBox* second;
    TSelectorEdit* third;
    TAction* help;
    int helpRuns = 0;
    int keysSeenByControl = 0;
};

TEST_F(LayoutTest, ShortcutRunsTheActionBeforeTheFocusedControlSeesTheKey) {
    NoPreviewForm form;
    runner.Expect([&](TFormDriver& d) {
        d.PressKey("first", VK_F1);
        EXPECT_EQ(form.helpRuns, 1);
        EXPECT_EQ(form.keysSeenByControl, 0);
        EXPECT_TRUE(help.empty()) << "a window without key preview opens help through its action only";
        form.help->SetEnabled(false);
        d.PressKey("first", VK_F1);
        EXPECT_EQ(form.helpRuns, 1);
        EXPECT_EQ(form.keysSeenByControl, 1);
        d.CloseWindow();
    });
    form.ShowModal();
    EXPECT_TRUE(runner.Failures().empty());
}

TEST_F(LayoutTest, EnterMovesOnFromControlsThatReturnToTheNextOne) {
    NoPreviewForm form;
    runner.Expect([&](TFormDriver& d) {
        d.PressKey("first", VK_RETURN);
        EXPECT_EQ(form.ActiveControl(), form.second);
        d.PressKey(VK_RETURN);
        EXPECT_EQ(form.ActiveControl(), form.third);
        d.PressKey(VK_RETURN);
        EXPECT_EQ(form.ActiveControl(), form.third) << "ReturnNextCom off keeps the focus";
        d.CloseWindow();
    });
    form.ShowModal();
    EXPECT_TRUE(runner.Failures().empty());
}

// With key preview the window moves the focus itself; the control must not move it a second time.
TEST_F(LayoutTest, EnterWithKeyPreviewMovesTheFocusOnce) {
    NoPreviewForm form;
    form.SetKeyPreview(true);
    runner.Expect([&](TFormDriver& d) {
        d.PressKey("first", VK_RETURN);
        EXPECT_EQ(form.ActiveControl(), form.second);
        d.CloseWindow();
    });
    form.ShowModal();
}

} // namespace
