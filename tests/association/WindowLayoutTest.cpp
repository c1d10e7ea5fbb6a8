// The association windows' appearance as their models declare it, read back and held against the
// window definitions: captions, border styles, client sizes, panels and their alignment, sizes and
// positions, fonts, tab order and grid columns.
#include "association/FpImageEditFrm.h"
#include "association/FpImageFrm.h"
#include "association/PtypeDz.h"
#include "comm/ModuleState.h"
#include "platform/FakePlatform.h"
#include "toolkit/GroupBox.h"
#include "toolkit/ToolkitFixture.h"

#include <gmock/gmock.h>

namespace {

using namespace tkv;
using namespace tkv::test;
using ::testing::ElementsAre;

std::vector<std::string> Names(const std::vector<TControl*>& controls) {
    std::vector<std::string> out;
    for (const TControl* c : controls)
        out.push_back(c->Name());
    return out;
}

std::vector<std::string> Titles(const TBandGrid& grid) {
    std::vector<std::string> out;
    for (const TBandColumn& c : grid.Columns())
        out.push_back(c.Title() + (c.UserVisible ? "" : "(hidden)") + ":" +
                      std::to_string(c.DisplayColWidth));
    return out;
}

// The top of a control in the coordinates of the given container.
int TopWithin(const TControl& control, const TControl& container) {
    int top = 0;
    for (const TControl* c = &control; c && c != &container; c = c->Parent())
        top += c->Top();
    return top;
}

class WindowLayoutTest : public ToolkitTest {
protected:
    TFakePlatform fake;
    TScopedPlatform platformScope{fake};
};

TEST_F(WindowLayoutTest, ManagementWindow) {
    TPtypeDz form;
    EXPECT_EQ(form.Caption(), "厂家品种发票图片关联管理");
    EXPECT_EQ(form.BorderStyle(), TBorderStyle::bsSizeable);
    EXPECT_EQ(form.Position(), TPosition::poScreenCenter);
    EXPECT_EQ(form.Width(), 1073);
    EXPECT_EQ(form.Height(), 569);
    EXPECT_TRUE(form.KeyPreview());
    EXPECT_EQ(form.FilterPanel->Align(), TAlign::alTop);
    EXPECT_EQ(form.FilterPanel->Height(), 113);
    EXPECT_EQ(form.XwPanel1->Align(), TAlign::alBottom);
    EXPECT_EQ(form.XwPanel1->Height(), 41);
    EXPECT_EQ(form.MainGrid->Align(), TAlign::alClient);
    EXPECT_EQ(form.MainGrid->Top(), 113);
    EXPECT_EQ(form.MainGrid->Height(), form.ClientHeight() - 113 - 41);

    EXPECT_THAT(Names(form.Children(form.FilterPanel)),
                ElementsAre("edit_Btype", "edit_Ptype", "edit_Jobnumber", "edit_VoiceCode", "Begindate",
                            "enddate", "btn_Query", "btn_Reset"));
    EXPECT_EQ(form.edit_Btype->Caption(), "供货单位 ");
    EXPECT_EQ(form.edit_Ptype->Caption(), "商品名称 ");
    EXPECT_EQ(form.edit_Jobnumber->Caption(), "批号 ");
    EXPECT_EQ(form.edit_VoiceCode->Caption(), "发票号码 ");
    EXPECT_EQ(form.Begindate->Caption(), "发票日期 ");
    EXPECT_EQ(form.enddate->Caption(), "至      ");
    EXPECT_EQ(form.edit_Btype->BasicType(), btBtype);
    EXPECT_EQ(form.edit_Ptype->BasicType(), btPtype);
    EXPECT_FALSE(form.edit_Jobnumber->BtnVisible());
    EXPECT_FALSE(form.edit_VoiceCode->BtnVisible());
    EXPECT_FALSE(form.Begindate->AllowBlank());

    EXPECT_THAT(Names(form.Children(form.XwPanel1)),
                ElementsAre("btn_Add", "btn_Edit", "btn_Delete", "btn_Exit", "btn_Print"));
    EXPECT_LT(form.btn_Print->Left(), form.btn_Exit->Left());
    EXPECT_EQ(form.btn_Exit->Anchors(), akTop | akRight);
    const int exitGap = form.ClientWidth() - form.btn_Exit->Left();
    form.SetClientSize(form.ClientWidth() + 300, form.ClientHeight() + 100);
    EXPECT_EQ(form.ClientWidth() - form.btn_Exit->Left(), exitGap) << "退出 stays at the right edge";
    EXPECT_EQ(form.MainGrid->Width(), form.ClientWidth());

    EXPECT_THAT(Titles(*form.MainGrid),
                ElementsAre("商品编号:60", "商品名称:120", "规格:60", "剂型:60", "生产厂家:120",
                            "基本单位:60", "供货单位编号:60", "供货单位名称:60", "生产日期:60", "批号:120",
                            "有效期至:120", "发票日期:120", "发票号码:60", "备注:60", "发票图片数:60",
                            "id(hidden):60", "voiceid(hidden):60"));
    EXPECT_EQ(form.MainGrid->SelectColumn(), nullptr);
}

TEST_F(WindowLayoutTest, NewAssociationWindow) {
    TFpImageFrm form;
    EXPECT_EQ(form.Caption(), "厂家商品发票关联");
    EXPECT_EQ(form.BorderStyle(), TBorderStyle::bsDialog);
    EXPECT_EQ(form.Position(), TPosition::poScreenCenter);
    EXPECT_EQ(form.ClientWidth(), 991);
    EXPECT_EQ(form.ClientHeight(), 669);
    EXPECT_FALSE(form.KeyPreview());
    EXPECT_EQ(form.actActhelp->GetShortCut(), VK_F1);
    EXPECT_EQ(form.QueryPanel->Height(), 50);
    EXPECT_EQ(form.MainGrid->Top(), 50);
    EXPECT_EQ(form.MainGrid->Height(), 129);
    EXPECT_EQ(form.InvoicePanel->Top(), 179);
    EXPECT_EQ(form.XwPanel1->Top(), 669 - 41);

    EXPECT_THAT(Names(form.Children(form.QueryPanel)),
                ElementsAre("edit_Btype", "Begindate", "enddate", "rg_Mode", "btn_Query"));
    EXPECT_EQ(form.edit_Btype->Width(), 120);
    EXPECT_EQ(form.Begindate->Caption(), "查询日期 ");
    EXPECT_EQ(form.enddate->Caption(), "至  ");
    EXPECT_EQ(form.rg_Mode->Caption(), "选择方式");
    EXPECT_THAT(form.rg_Mode->Items(), ElementsAre("选单", "选明细"));
    EXPECT_EQ(form.rg_Mode->Columns(), 2);
    EXPECT_EQ(form.rg_Mode->ItemIndex(), 0);

    EXPECT_EQ(form.edit_FPCode->Caption(), "发票号码*");
    EXPECT_EQ(form.edit_FPCode->Width(), 120);
    EXPECT_EQ(form.edit_FPBtype->Caption(), "供货单位 ");
    EXPECT_EQ(form.edit_FPBtype->Width(), 411);
    auto* selected = form.Find<TGroupBox>("gb_SelImage");
    auto* available = form.Find<TGroupBox>("gb_OtherImage");
    ASSERT_TRUE(selected && available);
    EXPECT_EQ(TopWithin(*selected, *form.InvoicePanel), 48);
    EXPECT_EQ(TopWithin(*available, *form.InvoicePanel), 240);
    EXPECT_EQ(selected->Width(), 841);
    EXPECT_EQ(selected->Height(), 169);

    EXPECT_THAT(Names(form.Children(form.XwPanel1)), ElementsAre("btn_OK", "btn_Cancel", "btn_ViewBill"));
    EXPECT_EQ(form.btn_ViewBill->Left(), 10);
    EXPECT_GT(form.btn_OK->Left(), 800);

    ASSERT_NE(form.MainGrid->SelectColumn(), nullptr);
    EXPECT_EQ(form.MainGrid->SelectColumn()->Title(), "选中");
    EXPECT_EQ(form.MainGrid->Columns().size(), 12u);
    EXPECT_EQ(form.MainGrid->FindColumnByField("buyid"), nullptr);
}

TEST_F(WindowLayoutTest, EditAssociationWindow) {
    TFpImageEditFrm form;
    EXPECT_EQ(form.Caption(), "厂家商品发票关联");
    EXPECT_EQ(form.BorderStyle(), TBorderStyle::bsDialog);
    EXPECT_EQ(form.ClientWidth(), 991);
    EXPECT_EQ(form.ClientHeight(), 649);
    EXPECT_TRUE(form.KeyPreview());
    EXPECT_EQ(form.HeadPanel->Height(), 41);
    EXPECT_EQ(form.lbl_Head->Caption(), "厂家商品发票关联修改");
    EXPECT_EQ(form.lbl_Head->Font(), (TFont{"新宋体", 16, fsBold, TColor::clWindowText}));
    EXPECT_EQ(form.LinkPanel->Top(), 41);
    auto* selected = form.Find<TGroupBox>("gb_SelImage");
    auto* available = form.Find<TGroupBox>("gb_OtherImage");
    ASSERT_TRUE(selected && available);
    EXPECT_EQ(TopWithin(*selected, *form.LinkPanel), 159);
    EXPECT_EQ(TopWithin(*available, *form.LinkPanel), 364);
    EXPECT_FALSE(form.edit_Ptype->Enabled());
    EXPECT_TRUE(form.edit_Ptype->ReadOnly());
    EXPECT_FALSE(form.edit_OutDate->Enabled());
    EXPECT_FALSE(form.edit_Validity->Enabled());
    EXPECT_FALSE(form.edit_Job->Enabled());
    EXPECT_EQ(form.edit_FPBtype->Width(), 411);
    EXPECT_EQ(form.edit_Path->Caption(), "图片导出目录");

    // The read-only fields take no focus: the link area starts at the invoice number.
    std::vector<std::string> order = Names(form.TabSequence());
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order[0], "edit_FPCode");
    EXPECT_EQ(order[1], "edit_FPDate");
    EXPECT_EQ(order[2], "edit_FPBtype");
    EXPECT_THAT(Names(form.Children(form.XwPanel1)),
                ElementsAre("btn_OK", "btn_Cancel", "btn_Export", "btn_Print", "edit_Path"));
}

} // namespace
