#include "toolkit/SelectorEdit.h"
#include "ToolkitFixture.h"
#include "toolkit/ParentForm.h"
#include "ui/headless/FormDriver.h"

#include <gtest/gtest.h>

using namespace tkv;
using namespace tkv::test;

namespace {

class SupplierForm : public TParentForm {
public:
    SupplierForm() {
        edit_Btype = &Make<TSelectorEdit>("edit_Btype");
        edit_Btype->SetCaption("供货单位 ");
        edit_Btype->SetBasicType(btBtype);
        edit_Btype->SetBasicTypeOther(btBtype);
        edit_Btype->SetFieldsList(flBFullName);
        other = &Make<TSelectorEdit>("edit_memo");
        other->SetBasicinfoEditBandType(TBasicinfoEditBandType::bebtModifyField);
        other->SetBtnVisible(false);
        Create();
    }
    TSelectorEdit* edit_Btype;
    TSelectorEdit* other;
};

class SelectorEditTest : public ToolkitTest {
protected:
    SelectorEditTest() {
        host->data->Add(btBtype, {"00001", 7, "华东医药", "HD", 0});
        host->data->Add(btBtype, {"00002", 8, "九州通", "JZT", 0});
    }
};

} // namespace

TEST_F(SelectorEditTest, HostInstallsHandlerAndLookupWhenPreparing) {
    SupplierForm form;
    EXPECT_EQ(form.edit_Btype->SelectHandler(), static_cast<IRecordSelectHandler*>(host->data.Get()));
    EXPECT_EQ(form.edit_Btype->BasicLookup(), static_cast<IBasicDataLookup*>(host->data.Get()));
}

TEST_F(SelectorEditTest, ButtonSelectsRecordAndShowsLookedUpField) {
    SupplierForm form;
    int changes = 0;
    form.edit_Btype->AddChangeListener([&](TComponent&) { ++changes; });
    host->data->nextAnswer = TBasicRecord{"00002", 8, "answer name", "", 3};
    ASSERT_TRUE(form.edit_Btype->PerformButtonClick());
    ASSERT_EQ(host->data->requests.size(), 1u);
    const TSelectRequest& r = host->data->requests[0];
    EXPECT_EQ(r.BasicType, btBtype);
    EXPECT_EQ(r.Mode, TSelectMode::smButton);
    EXPECT_EQ(r.SearchText, "");
    EXPECT_EQ(r.SourceField, flBFullName);
    EXPECT_TRUE(r.OptInsert);
    EXPECT_TRUE(r.OptRemember);
    EXPECT_EQ(form.edit_Btype->Text(), "九州通");
    EXPECT_EQ(form.edit_Btype->TypeId(), "00002");
    EXPECT_EQ(form.edit_Btype->SonNum(), 3);
    EXPECT_EQ(form.edit_Btype->GetRec(), 8);
    EXPECT_EQ(changes, 1);
}

TEST_F(SelectorEditTest, EmptyAnswerChangesNothing) {
    SupplierForm form;
    form.edit_Btype->SetRec(7);
    host->data->nextAnswer.reset();
    form.edit_Btype->PerformDblClick();
    EXPECT_EQ(host->data->requests.at(0).Mode, TSelectMode::smDblClick);
    EXPECT_EQ(form.edit_Btype->Text(), "华东医药");
    EXPECT_EQ(form.edit_Btype->GetRec(), 7);
}

TEST_F(SelectorEditTest, EnterPassesTypedTextAsSearch) {
    SupplierForm form;
    host->data->nextAnswer = TBasicRecord{"00001", 7, "", "", 0};
    runner.Expect([&](TFormDriver& d) {
        d.Type("edit_Btype", "华东");
        d.PressKey(VK_RETURN);
    });
    form.ShowModal();
    ASSERT_EQ(host->data->requests.size(), 1u);
    EXPECT_EQ(host->data->requests[0].Mode, TSelectMode::smKey);
    EXPECT_EQ(host->data->requests[0].SearchText, "华东");
    EXPECT_EQ(form.edit_Btype->Text(), "华东医药");
    EXPECT_EQ(form.edit_Btype->GetRec(), 7);
    EXPECT_TRUE(runner.Failures().empty());
}

TEST_F(SelectorEditTest, ReadOnlyOrDisabledSelectorDoesNotSelect) {
    SupplierForm form;
    host->data->nextAnswer = TBasicRecord{"00001", 7, "", "", 0};
    form.edit_Btype->SetReadOnly(true);
    form.edit_Btype->PerformButtonClick();
    form.edit_Btype->SetReadOnly(false);
    form.edit_Btype->SetEnabled(false);
    form.edit_Btype->PerformDblClick();
    EXPECT_TRUE(host->data->requests.empty());
    EXPECT_EQ(form.edit_Btype->GetRec(), 0);
}

TEST_F(SelectorEditTest, ClearedTextReportsZeroAfterLeaving) {
    SupplierForm form;
    form.edit_Btype->SetRec(7);
    runner.Expect([&](TFormDriver& d) {
        d.SetText("edit_Btype", "");
        d.Leave();
        EXPECT_EQ(form.edit_Btype->TypeId(), "");
        EXPECT_EQ(form.edit_Btype->Rec(), 0);
    });
    form.ShowModal();
    EXPECT_EQ(form.edit_Btype->GetRec(), 0);
}

TEST_F(SelectorEditTest, GetRecPerformsTheLeavingStep) {
    SupplierForm form;
    form.edit_Btype->SetRec(7);
    form.edit_Btype->SetText("");
    EXPECT_EQ(form.edit_Btype->GetRec(), 0);
    EXPECT_EQ(form.edit_Btype->TypeId(), "");
}

TEST_F(SelectorEditTest, TypedNameWithoutSelectionIsDiscardedOnLeaving) {
    SupplierForm form;
    form.edit_Btype->SetRec(7);
    runner.Expect([&](TFormDriver& d) {
        d.SetText("edit_Btype", "九州");
        d.Focus("edit_memo");
    });
    form.ShowModal();
    EXPECT_EQ(form.edit_Btype->Text(), "华东医药");
    EXPECT_EQ(form.edit_Btype->GetRec(), 7);
    EXPECT_TRUE(host->data->requests.empty());
}

TEST_F(SelectorEditTest, PlainValueEditKeepsTypedText) {
    SupplierForm form;
    form.other->SetText("备注");
    EXPECT_EQ(form.other->GetRec(), 0);
    EXPECT_EQ(form.other->Text(), "备注");
}

TEST_F(SelectorEditTest, SetRecZeroClearsTheFilter) {
    SupplierForm form;
    form.edit_Btype->SetRec(7);
    EXPECT_EQ(form.edit_Btype->Text(), "华东医药");
    form.edit_Btype->SetRec(0);
    EXPECT_EQ(form.edit_Btype->Text(), "");
    EXPECT_EQ(form.edit_Btype->TypeId(), "");
    EXPECT_EQ(form.edit_Btype->GetRec(), 0);
}

TEST_F(SelectorEditTest, FailedLookupKeepsMinusOne) {
    SupplierForm form;
    form.edit_Btype->SetRec(7);
    int changes = 0;
    form.edit_Btype->AddChangeListener([&](TComponent&) { ++changes; });
    form.edit_Btype->SetRec(99);
    EXPECT_EQ(form.edit_Btype->Text(), "");
    EXPECT_EQ(form.edit_Btype->TypeId(), "");
    EXPECT_EQ(form.edit_Btype->Rec(), -1);
    EXPECT_EQ(changes, 1);
}

TEST_F(SelectorEditTest, SetValueSelectsRecordByNumber) {
    SupplierForm form;
    form.edit_Btype->SetValue(OleVariant(8));
    EXPECT_EQ(form.edit_Btype->Text(), "九州通");
    EXPECT_EQ(form.edit_Btype->TypeId(), "00002");
    form.edit_Btype->SetValue(OleVariant(std::string()));
    EXPECT_EQ(form.edit_Btype->GetRec(), 0);
    form.other->SetValue(OleVariant(12));
    EXPECT_EQ(form.other->Text(), "12");
}

TEST_F(SelectorEditTest, WithoutLookupSetRecKeepsTheNumber) {
    TForm form;
    auto& edit = form.Make<TSelectorEdit>("e");
    edit.SetBasicType(btEtype);
    edit.SetText("张三");
    edit.SetRec(5);
    EXPECT_EQ(edit.Rec(), 5);
}
