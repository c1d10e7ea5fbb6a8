// The invoice part shared by the new and the edit association windows.
#include "FpImageBaseFrm.h"

#include "FpImageCalls.h"
#include "InvoiceQr.h"
#include "comm/Messages.h"
#include "comm/ModuleState.h"
#include "framework/DateTime.h"
#include "platform/Platform.h"
#include "toolkit/FormBuilder.h"

namespace tkv {

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

void TFpImageBaseFrm::MakeInvoiceArea(TControl* area, int fieldsTop, int selectedTop, int availableTop,
                                      bool checkScanFolder) {
    edit_FPCode = &MakeTextField(*this, "edit_FPCode", area, "发票号码*", 70, fieldsTop, 120);
    edit_FPDate = &MakeDateEdit(*this, "edit_FPDate", area, "发票日期 ", 270, fieldsTop, 110);
    edit_FPBtype = &MakeRecordSelector(*this, "edit_FPBtype", area, "供货单位 ", btBtype, flBFullName, 450,
                                       fieldsTop, 411);
    edit_FPCode->OnExit = [this](TComponent&) {
        edit_FPCodeExit();
    };
    Strip = std::make_unique<TFpImageStrip>(
        *this, area, selectedTop, availableTop, [this] { return CheckFPCode(); }, checkScanFolder);
    Strip->InvoiceNumber = [this] {
        return Trimmed(edit_FPCode->GetText());
    };
}

bool TFpImageBaseFrm::CheckFPCode() {
    if (Trimmed(edit_FPCode->GetText()).empty()) { // blanks are no number
        ShowMsg("请录入发票号码", "提示");
        return false;
    }
    if (edit_FPBtype->GetRec() == 0) {
        ShowMsg("请录入供货单位", "提示");
        return false;
    }
    return true;
}

void TFpImageBaseFrm::edit_FPCodeExit() {
    // A 2D reader types the invoice's QR record: the field keeps its number, the date takes its date.
    const TDateTime dateBefore = edit_FPDate->GetDate();
    if (const std::optional<TInvoiceQr> qr = ParseInvoiceQr(edit_FPCode->GetText())) {
        edit_FPCode->SetText(qr->Number);
        edit_FPDate->SetDate(qr->Date);
    }
    const std::string typed = edit_FPCode->GetText();
    const std::string t = Trimmed(typed);
    if (t == FOldVoiceCode)
        return;
    // Pictures held are asked for even when the number before was blank: clearing them silently
    // would lose pictures the user loaded.
    if (!Strip->FImageList.empty() && !MainIntf().Question("更改发票号码将清空图片信息,是否继续", "提示")) {
        edit_FPCode->SetText(FOldVoiceCode);
        edit_FPDate->SetDate(dateBefore);
        return;
    }
    FOldVoiceCode = t;
    Strip->ClearPicture();
    const TVoiceLookup found = LookupVoice(typed, 0, {});
    if (found.voiceid > 0 && TakesLookedUpNumber()) {
        FOldVoiceCode = found.voicecode;
        edit_FPCode->SetText(found.voicecode);
    }
    Strip->RefreshSelImageMax();
    Strip->RefreshOtherImageMax();
}

TVoiceLookup TFpImageBaseFrm::LookupVoice(const std::string& voicecode, std::int32_t voiceid,
                                          const std::set<std::int32_t>& chosen) {
    TVoiceLookup found;
    FUnshownChosen.clear();
    std::string unshown;
    try {
        TClientDataSet pictures;
        found = zk_TkGetVoiceCodeImage(voicecode, voiceid, DateOf(Platform().Now()), pictures);
        if (found.voiceid <= 0)
            return found;
        edit_FPDate->SetDate(found.voicedate);
        edit_FPBtype->SetRec(found.brec);
        for (pictures.First(); !pictures.Eof(); pictures.Next()) {
            const std::int32_t imageId = pictures.FieldByName("ImageId").AsInteger();
            const bool isChosen = chosen.count(imageId) > 0;
            try {
                Strip->AddInvoiceImage(pictures, isChosen);
            } catch (const std::exception&) {
                // One damaged picture does not cost the others; a chosen one stays chosen.
                unshown +=
                    "\r\n" + pictures.FieldByName("imgname").AsString() + (isChosen ? "（已关联）" : "");
                if (isChosen)
                    FUnshownChosen.push_back(imageId);
            }
        }
    } catch (const std::exception&) {
        // The lookup only offers what it can read; the pictures read so far stay.
    }
    if (!unshown.empty())
        ShowMsg("下列发票图片无法显示,已跳过,其余图片照常载入:" + unshown +
                    (FUnshownChosen.empty() ? "" : "\r\n已关联的图片保存时仍然保持关联。"),
                "提示");
    return found;
}

bool TFpImageBaseFrm::Save(const std::function<void(const std::string& key, std::int32_t voiceid)>& link) {
    TFpInvoice invoice;
    invoice.VoiceCode = edit_FPCode->GetText();
    invoice.VoiceDate = edit_FPDate->GetDate();
    invoice.brec = edit_FPBtype->GetRec();
    invoice.bfullname = edit_FPBtype->GetText();
    bool saved = false;
    try {
        saved = SaveData(invoice, Strip->FImageList, Strip->FImageSelList, link);
    } catch (const std::exception&) {
        saved = false;
    }
    if (!saved)
        ShowMsg("保存失败重试", "提示");
    return saved;
}

void TFpImageBaseFrm::btn_CancelClick() {
    if (MainIntf().Question("是否不保存退出?", "提示"))
        SetModalResult(mrCancel);
}

} // namespace tkv
