// The new association window.
#include "FpImageFrm.h"

#include "FpImageCalls.h"
#include "comm/Messages.h"
#include "comm/ModuleState.h"
#include "framework/DateTime.h"
#include "platform/Platform.h"
#include "toolkit/FormBuilder.h"

namespace tkv {

namespace {

struct TGridColumn {
    const char* Field;
    const char* Caption;
    int Width;
    bool Shown;
};

constexpr TGridColumn kBillColumns[] = {
    {"billname", "单据类型", 60, true},     {"billdate", "单据日期", 120, true},
    {"billcode", "单据编号", 60, true},     {"efullname", "经手人", 60, true},
    {"billefullname", "制单人", 120, true}, {"totalqty", "合计数量", 60, true},
    {"totalmoney", "含税金额", 60, true},   {"explain", "附加说明", 60, true},
    {"comment", "摘要", 60, true},          {"billid", "billid", 60, false},
    {"billtype", "billtype", 60, false},
};

constexpr TGridColumn kDetailColumns[] = {
    {"billname", "单据类型", 60, true},
    {"billdate", "单据日期", 120, true},
    {"billcode", "单据编号", 60, true},
    {"pusercode", "商品编号", 60, true},
    {"pfullname", "商品名称", 60, true},
    {"standard", "规格", 60, true},
    {"type", "剂型", 60, true},
    {"Area", "生产厂家", 120, true},
    {"Unit1", "基本单位", 60, true},
    {"OutFactoryDate", "生产日期", 60, true},
    {"jobnumber", "批号", 120, true},
    {"ValidityPeriod", "有效期至", 120, true},
    {"qty", "数量", 60, true},
    {"taxprice", "含税单价", 60, true},
    {"taxtotal", "价税合计", 60, true},
    {"comment", "备注", 60, true},
    {"efullname", "经手人", 60, true},
    {"billefullname", "制单人", 120, true},
    {"billid", "billid", 60, false},
    {"buyid", "buyid", 60, false},
    {"voicedate", "发票日期", 80, true},
    {"voicecode", "发票号码", 80, true},
    {"imageCount", "发票图片数", 80, true},
};

} // namespace

TFpImageFrm::TFpImageFrm() {
    SetKeyPreview(false); // Enter and F1 are the controls' and the action list's
    SetCaption("厂家商品发票关联");
    SetBorderStyle(TBorderStyle::bsDialog);
    SetClientSize(991, 669);

    QueryPanel = &Make<TFramePanel>("QueryPanel");
    QueryPanel->SetAlign(TAlign::alTop);
    QueryPanel->SetBounds(0, 0, 0, 50);
    QueryPanel->SetTabOrder(0);
    edit_Btype =
        &MakeRecordSelector(*this, "edit_Btype", QueryPanel, "供货单位 ", btBtype, flBFullName, 70, 15, 120);
    Begindate = &MakeDateEdit(*this, "Begindate", QueryPanel, "查询日期 ", 270, 15, 110);
    enddate = &MakeDateEdit(*this, "enddate", QueryPanel, "至  ", 415, 15, 110);
    rg_Mode = &Make<TRadioGroup>("rg_Mode", QueryPanel);
    rg_Mode->SetCaption("选择方式");
    rg_Mode->SetItems({"选单", "选明细"});
    rg_Mode->SetColumns(2);
    rg_Mode->SetItemIndex(0);
    rg_Mode->SetBounds(545, 2, 170, 42);
    btn_Query = &MakeButton(*this, "btn_Query", QueryPanel, "查询", 735, 13);

    MainGrid = &Make<TBandGrid>("MainGrid");
    MainGrid->SetAlign(TAlign::alTop);
    MainGrid->SetBounds(0, 0, 0, 129);
    MainGrid->SetTabOrder(1);

    InvoicePanel = &Make<TGroupBox>("InvoicePanel");
    InvoicePanel->SetCaption("设置发票所对应的关联图片");
    InvoicePanel->SetAlign(TAlign::alClient);
    InvoicePanel->SetTabOrder(2);
    MakeInvoiceArea(InvoicePanel, 14, 48, 240, true);

    btn_ViewBill = &MakeButton(*this, "btn_ViewBill", XwPanel1, "查看凭证", 10, 8);
    btn_OK = &MakeButton(*this, "btn_OK", XwPanel1, "确定", 991 - 170, 8);
    btn_Cancel = &MakeButton(*this, "btn_Cancel", XwPanel1, "取消", 991 - 85, 8);
    btn_OK->SetTabOrder(0);
    btn_Cancel->SetTabOrder(1);
    btn_ViewBill->SetTabOrder(2);
    XwPanel1->SetTabOrder(3);

    actActhelp = &Make<TAction>("actActhelp");
    actActhelp->SetCaption("帮助");
    actActhelp->SetShortCut(VK_F1);
    actActhelp->OnExecute = [this](TComponent&) {
        OpenHelp();
    };

    btn_Query->OnClick = [this](TComponent&) {
        btn_QueryClick();
    };
    rg_Mode->OnClick = [this](TComponent&) {
        rg_ModeClick();
    };
    btn_OK->OnClick = [this](TComponent&) {
        btn_OKClick();
    };
    btn_Cancel->OnClick = [this](TComponent&) {
        btn_CancelClick();
    };
    btn_ViewBill->OnClick = [this](TComponent&) {
        btn_ViewBillClick();
    };
    Create();
}

TFpImageFrm::~TFpImageFrm() {
    MainGrid->SetDataSet(nullptr);
}

void TFpImageFrm::DoCreate() {
    TParentForm::DoCreate();
    FOldVoiceCode.clear();
    BuildGrid();
}

void TFpImageFrm::BuildGrid() {
    MainGrid->ClearAllField();
    MainGrid->AddSelectCol("选中");
    const bool detail = DetailMode();
    btn_ViewBill->SetVisible(!detail);
    if (detail) {
        for (const TGridColumn& c : kDetailColumns)
            MainGrid->AddField(flNMemo, c.Field, c.Field, c.Width, c.Shown, c.Caption, false);
    } else {
        for (const TGridColumn& c : kBillColumns)
            MainGrid->AddField(flNMemo, c.Field, c.Field, c.Width, c.Shown, c.Caption, false);
    }
    MainGrid->InitGridData();
    const TDateTime today = DateOf(Platform().Now());
    Begindate->SetDate(StartOfMonth(today));
    enddate->SetDate(today);
    edit_FPDate->SetDate(today);
}

void TFpImageFrm::btn_QueryClick() {
    const std::int32_t brec = edit_Btype->GetRec();
    if (DetailMode())
        ZK_FpSelBillMX(brec, Begindate->GetDate(), enddate->GetDate(), FDataSet);
    else
        ZK_FpSelBillIndex(brec, Begindate->GetDate(), enddate->GetDate(), FDataSet);
    MainGrid->SetDataSet(&FDataSet);
    if (edit_FPBtype->GetRec() == 0)
        edit_FPBtype->SetRec(brec);
}

void TFpImageFrm::rg_ModeClick() {
    // The rows of the other mode lack the columns of this one (a bill has no detail row to link),
    // so they leave the grid; "查询" loads rows for the new mode.
    MainGrid->SetDataSet(nullptr);
    FDataSet.Close();
    BuildGrid();
}

void TFpImageFrm::btn_OKClick() {
    std::vector<int> ticked;
    for (int row = 0; row < MainGrid->GetDataRowCount(); ++row)
        if (MainGrid->GetRowSelected(row))
            ticked.push_back(row);
    if (ticked.empty()) {
        ShowMsg("没有选中的表格数据,请检查。", "提示");
        return;
    }
    if (!MainIntf().Question("是否确认保存退出?", "提示"))
        return;
    if (!CheckFPCode())
        return;
    const bool detail = DetailMode();
    const bool saved = Save([&](const std::string& key, std::int32_t voiceid) {
        for (int row : ticked)
            zk_SaveJobLink(MainGrid->GetColIntValue("billid", row),
                           detail ? MainGrid->GetColIntValue("buyid", row) : 0, key, voiceid);
    });
    if (saved)
        SetModalResult(mrOk);
}

void TFpImageFrm::btn_ViewBillClick() {
    MainGrid->CheckIsDataRow(-1, true);
    const std::int32_t billid = MainGrid->GetColIntValue("billid", -1);
    const std::int32_t billtype = MainGrid->GetColIntValue("billtype", -1);
    IVNMainintf& host = MainIntf();
    host.ViewBill(billtype, billid, host.LoginUserREC(), true);
}

bool ShowFpImage() {
    TFpImageFrm form;
    return form.ShowModal() == mrOk;
}

} // namespace tkv
