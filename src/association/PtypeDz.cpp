// The association management window.
#include "PtypeDz.h"

#include "FpImageCalls.h"
#include "FpImageEditFrm.h"
#include "FpImageFrm.h"
#include "InvoiceQr.h"
#include "comm/ModuleState.h"
#include "framework/DateTime.h"
#include "platform/Platform.h"
#include "system/PrintItemList.h"
#include "toolkit/FormBuilder.h"

namespace tkv {

namespace {

struct TListColumn {
    const char* Field;
    const char* Caption;
    int Width;
};

constexpr TListColumn kColumns[] = {
    {"PUserCode", "商品编号", 60},
    {"PFullName", "商品名称", 120},
    {"standard", "规格", 60},
    {"type", "剂型", 60},
    {"Area", "生产厂家", 120},
    {"Unit1", "基本单位", 60},
    {"BUserCode", "供货单位编号", 60},
    {"BFullName", "供货单位名称", 60},
    {"OutFactoryDate", "生产日期", 60},
    {"jobnumber", "批号", 120},
    {"ValidityPeriod", "有效期至", 120},
    {"VoiceDate", "发票日期", 120},
    {"VoiceCode", "发票号码", 60},
    {"Comment", "备注", 60},
    {"ImageCount", "发票图片数", 60},
};

} // namespace

TPtypeDz::TPtypeDz() {
    SetCaption("厂家品种发票图片关联管理");
    SetBorderStyle(TBorderStyle::bsSizeable);
    SetSize(1073, 569);

    FilterPanel = &Make<TFramePanel>("FilterPanel");
    FilterPanel->SetAlign(TAlign::alTop);
    FilterPanel->SetBounds(0, 0, 0, 113);
    FilterPanel->SetTabOrder(0);
    edit_Btype =
        &MakeRecordSelector(*this, "edit_Btype", FilterPanel, "供货单位 ", btBtype, flBFullName, 90, 20, 200);
    edit_Ptype = &MakeRecordSelector(*this, "edit_Ptype", FilterPanel, "商品名称 ", btPtype, flPFullName, 380,
                                     20, 200);
    edit_Jobnumber = &MakeTextField(*this, "edit_Jobnumber", FilterPanel, "批号 ", 650, 20, 150);
    edit_VoiceCode = &MakeTextField(*this, "edit_VoiceCode", FilterPanel, "发票号码 ", 90, 62, 200);
    Begindate = &MakeDateEdit(*this, "Begindate", FilterPanel, "发票日期 ", 380, 62, 110);
    enddate = &MakeDateEdit(*this, "enddate", FilterPanel, "至      ", 560, 62, 110);
    btn_Query = &MakeButton(*this, "btn_Query", FilterPanel, "查询", 700, 60);
    btn_Reset = &MakeButton(*this, "btn_Reset", FilterPanel, "重置", 790, 60);

    MainGrid = &Make<TBandGrid>("MainGrid");
    MainGrid->SetAlign(TAlign::alClient);
    MainGrid->SetTabOrder(1);

    // Left-hand buttons, then the two at the right edge ("打印" left of "退出").
    btn_Add = &MakeButton(*this, "btn_Add", XwPanel1, "新增关联", 10, 8);
    btn_Edit = &MakeButton(*this, "btn_Edit", XwPanel1, "修改关联", 95, 8);
    btn_Delete = &MakeButton(*this, "btn_Delete", XwPanel1, "删除", 180, 8);
    const int right = ClientWidth();
    btn_Exit = &MakeButton(*this, "btn_Exit", XwPanel1, "退出", right - 85, 8);
    btn_Print = &MakeButton(*this, "btn_Print", XwPanel1, "打印", right - 170, 8);
    btn_Exit->SetAnchors(akTop | akRight);
    btn_Print->SetAnchors(akTop | akRight);
    XwPanel1->SetTabOrder(2);

    // A 2D reader's invoice QR record filters by the invoice's number.
    edit_VoiceCode->OnExit = [this](TComponent&) {
        edit_VoiceCode->SetText(InvoiceNumberOf(edit_VoiceCode->GetText()));
    };
    btn_Query->OnClick = [this](TComponent&) {
        btn_QueryClick();
    };
    btn_Reset->OnClick = [this](TComponent&) {
        btn_ResetClick();
    };
    btn_Add->OnClick = [this](TComponent&) {
        btn_AddClick();
    };
    btn_Edit->OnClick = [this](TComponent&) {
        btn_EditClick();
    };
    btn_Delete->OnClick = [this](TComponent&) {
        btn_DeleteClick();
    };
    btn_Print->OnClick = [this](TComponent&) {
        btn_PrintClick();
    };
    btn_Exit->OnClick = [this](TComponent&) {
        Close();
    };
    Create();
}

TPtypeDz::~TPtypeDz() {
    MainGrid->SetDataSet(nullptr);
}

void TPtypeDz::DoCreate() {
    TParentForm::DoCreate();
    MainGrid->ClearAllField();
    for (const TListColumn& c : kColumns)
        MainGrid->AddField(flNMemo, c.Field, c.Field, c.Width, true, c.Caption, false);
    MainGrid->AddField(flNInt, "id", "id", 60, false, "id", false);
    MainGrid->AddField(flNInt, "voiceid", "voiceid", 60, false, "voiceid", false);
    MainGrid->InitGridData();
    const TDateTime today = DateOf(Platform().Now());
    Begindate->SetDate(StartOfMonth(today));
    enddate->SetDate(today);
}

void TPtypeDz::Refresh() {
    TJobLinkFilter filter;
    filter.brec = edit_Btype->GetRec();
    filter.prec = edit_Ptype->GetRec();
    filter.jobname = edit_Jobnumber->GetText();
    filter.VoiceCode = edit_VoiceCode->GetText();
    filter.begindate = Begindate->GetDate();
    filter.enddate = enddate->GetDate();
    Zk_TkGetJobLink(filter, FDataSet);
    MainGrid->SetDataSet(&FDataSet);
}

void TPtypeDz::btn_QueryClick() {
    Refresh();
}

void TPtypeDz::btn_ResetClick() {
    edit_Btype->SetRec(0);
    edit_Ptype->SetRec(0);
    edit_Jobnumber->SetText("");
    edit_VoiceCode->SetText("");
}

void TPtypeDz::btn_AddClick() {
    if (ShowFpImage())
        Refresh();
}

void TPtypeDz::btn_EditClick() {
    MainGrid->CheckIsDataRow(-1, true);
    const std::int32_t id = MainGrid->GetColIntValue("id", -1);
    const std::int32_t voiceid = MainGrid->GetColIntValue("voiceid", -1);
    if (ShowFpImageEdit(id, voiceid))
        Refresh();
}

void TPtypeDz::btn_DeleteClick() {
    MainGrid->CheckIsDataRow(-1, true);
    if (!MainIntf().Question("是否确认删除关联关系", "提示"))
        return;
    zk_deleteJobLink(MainGrid->GetColIntValue("id", -1));
    Refresh();
}

void TPtypeDz::btn_PrintClick() {
    if (MainGrid->GetDataRowCount() == 0)
        return;
    TPrintItemList items;
    const std::unique_ptr<TClientDataSet> data = TBandGrid::GetPrintData(*MainGrid, true, false);
    MainIntf().RunPrintManage("厂家品种发票图片关联管理.rwx", &items, data->GetData(), false);
}

void ShowPtypeDZ() {
    TPtypeDz form;
    form.ShowModal();
}

} // namespace tkv
