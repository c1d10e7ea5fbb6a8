// The edit association window.
#include "FpImageEditFrm.h"

#include "FpImageCalls.h"
#include "comm/Messages.h"
#include "comm/ModuleState.h"
#include "printing/PictureExport.h"
#include "printing/PicturePages.h"
#include "toolkit/FormBuilder.h"

#include <set>

namespace tkv {

namespace {

TSelectorEdit& MakeReadOnlyField(TSelectorEdit& edit) {
    edit.SetEnabled(false);
    edit.SetReadOnly(true);
    edit.SetTabStop(false);
    return edit;
}

} // namespace

TFpImageEditFrm::TFpImageEditFrm() {
    SetCaption("厂家商品发票关联");
    SetBorderStyle(TBorderStyle::bsDialog);
    SetClientSize(991, 649);

    HeadPanel = &Make<TFramePanel>("HeadPanel");
    HeadPanel->SetAlign(TAlign::alTop);
    HeadPanel->SetBounds(0, 0, 0, 41);
    HeadPanel->SetTabOrder(0);
    lbl_Head = &Make<TLabel>("lbl_Head", HeadPanel);
    lbl_Head->SetFont(TFont{"新宋体", 16, fsBold, TColor::clWindowText});
    lbl_Head->SetBounds(400, 12, 200, 16);

    LinkPanel = &Make<TFramePanel>("LinkPanel");
    LinkPanel->SetAlign(TAlign::alClient);
    LinkPanel->SetBevelOuter(TBevelCut::bvNone);
    LinkPanel->SetTabOrder(1);
    edit_Ptype = &MakeReadOnlyField(
        MakeRecordSelector(*this, "edit_Ptype", LinkPanel, "商品名称", btPtype, flPFullName, 70, 14, 411));
    edit_OutDate =
        &MakeReadOnlyField(MakeTextField(*this, "edit_OutDate", LinkPanel, "生产日期", 70, 56, 120));
    edit_Validity =
        &MakeReadOnlyField(MakeTextField(*this, "edit_Validity", LinkPanel, "有效期", 270, 56, 110));
    edit_Job = &MakeReadOnlyField(MakeTextField(*this, "edit_Job", LinkPanel, "批号", 450, 56, 150));
    MakeInvoiceArea(LinkPanel, 98, 159, 364, false);

    btn_Export = &MakeButton(*this, "btn_Export", XwPanel1, "导出发票图片", 10, 8, 100);
    btn_Print = &MakeButton(*this, "btn_Print", XwPanel1, "打印发票图片", 115, 8, 100);
    edit_Path = &Make<TPathSelectEdit>("edit_Path", XwPanel1);
    edit_Path->SetCaption("图片导出目录");
    edit_Path->SetBounds(300, 10, 300, kEditHeight);
    btn_OK = &MakeButton(*this, "btn_OK", XwPanel1, "确定", 991 - 170, 8);
    btn_Cancel = &MakeButton(*this, "btn_Cancel", XwPanel1, "取消", 991 - 85, 8);
    btn_OK->SetTabOrder(0);
    btn_Cancel->SetTabOrder(1);
    XwPanel1->SetTabOrder(2);
    btn_Export->OnClick = [this](TComponent&) {
        btn_exportClick();
    };
    btn_Print->OnClick = [this](TComponent&) {
        btn_printClick();
    };
    edit_Path->OnChange = [this](TComponent&) {
        edit_PathChange();
    };
    btn_OK->OnClick = [this](TComponent&) {
        btn_OKClick();
    };
    btn_Cancel->OnClick = [this](TComponent&) {
        btn_CancelClick();
    };
    Create();
}

void TFpImageEditFrm::DoCreate() {
    TParentForm::DoCreate();
    FOldVoiceCode.clear();
    lbl_Head->SetCaption("厂家商品发票关联修改");
}

void TFpImageEditFrm::DoShow() {
    FormShow();
    TFpImageBaseFrm::DoShow();
}

void TFpImageEditFrm::FormShow() {
    if (!LoadLink()) {
        SetModalResult(mrCancel);
        return;
    }
    Strip->RefreshSelImageMax();
    Strip->RefreshOtherImageMax();
    FShowingPath = true;
    edit_Path->SetPath(ReadExportPath(kEditExportPathKey));
    FShowingPath = false;
}

bool TFpImageEditFrm::LoadLink() {
    TClientDataSet item;
    zk_TkGetJobInfo(FLinkId, item);
    if (item.RecordCount() == 0)
        return false;
    item.First();
    edit_Ptype->SetRec(item.FieldByName("prec").AsInteger());
    const TField outDate = item.FieldByName("OutFactoryDate");
    edit_OutDate->SetText(outDate.IsNull() ? std::string() : outDate.AsString());
    edit_Validity->SetText(item.FieldByName("ValidityPeriod").AsString());
    edit_Job->SetText(item.FieldByName("jobnumber").AsString());

    TClientDataSet images;
    zk_TkGetJobLinkImage(FLinkId, images);
    std::set<std::int32_t> linked;
    for (images.First(); !images.Eof(); images.Next())
        linked.insert(images.FieldByName("imageid").AsInteger());

    Strip->FImageSelList.clear();
    const TVoiceLookup found = LookupVoice(std::string(), FVoiceId, linked);
    if (found.voiceid > 0) {
        FOldVoiceCode = found.voicecode;
        edit_FPCode->SetText(found.voicecode);
    }
    return true;
}

void TFpImageEditFrm::btn_OKClick() {
    if (!MainIntf().Question("是否确认保存退出?", "提示"))
        return;
    if (!CheckFPCode())
        return;
    if (Save([this](const std::string& key, std::int32_t voiceid) {
            for (std::int32_t imageId : FUnshownChosen)
                zk_savetempVoiceLink(key, imageId);
            zk_TkSaveJobLinkImag(FLinkId, key, voiceid);
        }))
        SetModalResult(mrOk);
}

std::vector<const TJPEGImage*> TFpImageEditFrm::ChosenPictures() {
    std::vector<const TJPEGImage*> pictures;
    for (const std::string& number : Strip->FImageSelList)
        pictures.push_back(Strip->GetindexImage(std::stoi(number)).Image.get());
    return pictures;
}

void TFpImageEditFrm::btn_exportClick() {
    if (Strip->FImageSelList.empty()) {
        ShowMsg("没有需要导出的图片,请检查", "提示");
        return;
    }
    const std::string folder = GetExportFolder(*edit_Path);
    if (folder.empty())
        return;
    const std::string sub = ExportPictureFolder(folder, edit_Ptype->GetText(), edit_Job->GetText(),
                                                static_cast<int>(Strip->FImageList.size()), ChosenPictures());
    ShowMsg("导出图片到[" + sub + "]成功", "提示");
}

void TFpImageEditFrm::btn_printClick() {
    if (Strip->FImageSelList.empty())
        return;
    const std::shared_ptr<IPrinter> printer = FormRunner().ExecutePrintDialog(OwnerHandle());
    if (!printer)
        return;
    const std::vector<const TJPEGImage*> pictures = ChosenPictures();
    PrintPicturePages(*printer, static_cast<int>(pictures.size()),
                      [&pictures](int i) -> const TGraphic& { return *pictures[i]; });
    ShowMsg("打印完成", "提示");
}

void TFpImageEditFrm::edit_PathChange() {
    const std::string& path = edit_Path->GetPath();
    if (!FShowingPath && !path.empty())
        RememberExportPath(kEditExportPathKey, path);
}

bool ShowFpImageEdit(std::int32_t id, std::int32_t VoiceID) {
    TFpImageEditFrm form;
    form.SetLinkId(id);
    form.SetVoiceId(VoiceID);
    return form.ShowModal() == mrOk;
}

} // namespace tkv
