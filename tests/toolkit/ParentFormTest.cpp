#include "toolkit/ParentForm.h"
#include "ToolkitFixture.h"
#include "toolkit/ActionButton.h"
#include "toolkit/BandGrid.h"
#include "toolkit/LabelComboBox.h"
#include "toolkit/LabelDateEdit.h"
#include "toolkit/PathSelectEdit.h"
#include "toolkit/SelectorEdit.h"
#include "ui/headless/FormDriver.h"

#include <gtest/gtest.h>

using namespace tkv;
using namespace tkv::test;

namespace {

// The captioned selector that the plug-in windows use, derived from the selector edit.
class TLabelSelectorEdit : public TSelectorEdit {
public:
    std::string ClassName() const override { return "TLabelSelectorEdit"; }
};

class TwoGridForm : public TParentForm {
public:
    TwoGridForm() {
        Make<TLabelSelectorEdit>("edit_Btype");
        Make<TBandGrid>("GridA");
        Make<TLabelComboBox>("cbox_billstatus");
        Make<TActionButton>("btn_Query", XwPanel1);
        Make<TBandGrid>("GridB");
        Make<TLabelDateEdit>("Begindate");
        Make<TPathSelectEdit>("PathEdit");
        Make<TDataBtnEdit>("edit_number");
        Create();
    }
    std::vector<std::string> createSteps;

protected:
    void DoCreate() override {
        createSteps.push_back("base:" + std::to_string(host().calls.size()));
        TParentForm::DoCreate();
        createSteps.push_back("own:" + std::to_string(host().calls.size()));
    }
    FakeHost& host() { return *hostRef; }

public:
    static FakeHost* hostRef;
};
FakeHost* TwoGridForm::hostRef = nullptr;

class ParentFormTest : public ToolkitTest {
protected:
    ParentFormTest() { TwoGridForm::hostRef = host.Get(); }
};

const std::vector<std::string> kHandOvers = {"GetGBasicDataLocalClass1",  "GetBasicRecordAll_C1",
                                             "GetGGridFieldConfigClass1", "GetLimitData1",
                                             "GetSelectVchtypeClass1",    "GetFDateDBHelper",
                                             "GetFavoriteStockHandler1",  "GetxwFuncRelateHandler1",
                                             "GetXwSelfBasicTypeAccess1", "GetxwGridToolsPanelHelper1",
                                             "GetxwAssitDataHelper1"};

} // namespace

TEST_F(ParentFormTest, ButtonPanelSettings) {
    TwoGridForm form;
    ASSERT_NE(form.XwPanel1, nullptr);
    EXPECT_EQ(&form.Components(0), form.XwPanel1);
    EXPECT_EQ(form.XwPanel1->Name(), "XwPanel1");
    EXPECT_EQ(form.XwPanel1->Align(), TAlign::alBottom);
    EXPECT_EQ(form.XwPanel1->Height(), 41);
    EXPECT_EQ(form.XwPanel1->BevelOuter(), TBevelCut::bvNone);
    EXPECT_EQ(form.XwPanel1->TabOrder(), 0);
    EXPECT_TRUE(form.KeyPreview());
    EXPECT_EQ(form.Position(), TPosition::poScreenCenter);
    EXPECT_EQ(form.OwnerHandle(), 0x4321u);
}

TEST_F(ParentFormTest, PreparesControlsInCreationOrder) {
    TwoGridForm form;
    EXPECT_EQ(host->calls, (std::vector<std::string>{"InitxwPanel:XwPanel1", "InitGLabelBtnEdit:edit_Btype",
                                                     "InitBandGrid:GridA", "InitGBitbtn:btn_Query",
                                                     "InitBandGrid:GridB"}));
    EXPECT_EQ(form.createSteps, (std::vector<std::string>{"base:0", "own:5"}));
}

TEST_F(ParentFormTest, EachGridGetsElevenHandOversInOrder) {
    TwoGridForm form;
    std::vector<std::string> expected = kHandOvers;
    expected.insert(expected.end(), kHandOvers.begin(), kHandOvers.end());
    EXPECT_EQ(exist->calls, expected);
    for (const char* name : {"GridA", "GridB"}) {
        auto* grid = form.Find<TBandGrid>(name);
        EXPECT_EQ(grid->BasicDataLocal(), &exist->objects[1]);
        EXPECT_EQ(grid->BasicRecordAll_C(), &exist->objects[2]);
        EXPECT_EQ(grid->GridFieldConfigClass(), &exist->objects[4]);
        EXPECT_EQ(grid->LimitData(), &exist->objects[7]);
        EXPECT_EQ(grid->FVchtypeSelectData, &exist->objects[6]);
        EXPECT_EQ(grid->FDateDBHelper, &exist->objects[22]);
        EXPECT_EQ(grid->FFavoriteHander, &exist->objects[11]);
        EXPECT_EQ(grid->FuncRelateHandler(), &exist->objects[16]);
        EXPECT_EQ(grid->FSelfBasicTypeAccess, &exist->objects[12]);
        EXPECT_EQ(grid->FToolsPanel, &exist->objects[18]);
        EXPECT_EQ(grid->FAssistHelper, &exist->objects[19]);
    }
}

TEST_F(ParentFormTest, HostSeesControlKindAndName) {
    TwoGridForm form;
    ASSERT_EQ(host->kept.size(), 5u);
    EXPECT_EQ(host->kept[1]->Kind(), THostControlKind::ckSelectorEdit);
    EXPECT_EQ(host->kept[1]->ClassName(), "TLabelSelectorEdit");
    EXPECT_EQ(host->kept[2]->Kind(), THostControlKind::ckBandGrid);
    EXPECT_EQ(host->kept[2]->BasicType(), btPtype);
}

TEST_F(ParentFormTest, HostReferenceOutlivingTheFormIsHarmless) {
    { TwoGridForm form; }
    EXPECT_EQ(host->kept[1]->Name(), "");
    host->kept[1]->SetSelectHandler(host->data.Get());
}

TEST_F(ParentFormTest, EnterMovesToNextTabStopAndWraps) {
    TwoGridForm form;
    const std::vector<TControl*> seq = form.TabSequence();
    // The button panel comes first in tab order; its button is the first tab stop.
    ASSERT_EQ(seq.front()->Name(), "btn_Query");
    ASSERT_EQ(seq.back()->Name(), "edit_number");
    runner.Expect([&](TFormDriver& d) {
        d.Focus("edit_number");
        d.PressKey(VK_RETURN);
        EXPECT_EQ(form.ActiveControl()->Name(), "btn_Query");
        d.PressKey(VK_RETURN);
        EXPECT_EQ(form.ActiveControl()->Name(), "edit_Btype");
    });
    form.ShowModal();
}

TEST_F(ParentFormTest, EnterSkipsControlsThatTakeNoTabFocus) {
    TwoGridForm form;
    form.Find<TBandGrid>("GridA")->SetTabStop(false);
    form.Find<TLabelComboBox>("cbox_billstatus")->SetEnabled(false);
    runner.Expect([&](TFormDriver& d) {
        d.Focus("edit_Btype");
        d.PressKey(VK_RETURN);
        EXPECT_EQ(form.ActiveControl()->Name(), "GridB");
    });
    form.ShowModal();
}

TEST_F(ParentFormTest, EnterKeyStillReachesTheControl) {
    TwoGridForm form;
    std::vector<std::uint16_t> seen;
    form.Find<TBandGrid>("GridA")->OnKeyDown = [&](TComponent&, std::uint16_t& key, TShiftState) {
        seen.push_back(key);
    };
    runner.Expect([&](TFormDriver& d) { d.PressKey("GridA", VK_RETURN); });
    form.ShowModal();
    EXPECT_EQ(seen, std::vector<std::uint16_t>{VK_RETURN});
}

TEST_F(ParentFormTest, F1OpensHelpWithHostWindow) {
    TwoGridForm form;
    runner.Expect([&](TFormDriver& d) { d.PressKey("edit_Btype", VK_F1); });
    form.ShowModal();
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help[0].caller, 0x1234u);
    EXPECT_EQ(help[0].topic, "");
    EXPECT_EQ(help[0].command, 0u);
    EXPECT_EQ(help[0].data, 0u);
    EXPECT_EQ(form.ActiveControl()->Name(), "edit_Btype");
}

TEST_F(ParentFormTest, WithoutHostNothingIsPrepared) {
    SetFormEnvironmentProvider(nullptr);
    TwoGridForm form;
    EXPECT_TRUE(host->calls.empty());
    EXPECT_EQ(form.OwnerHandle(), 0u);
}
