// The card window's rows and their values.
#include "CardShowFrm.h"

#include "../comm/FloatText.h"
#include "YBCard.h"

namespace tkv {

std::string RYLBName(const std::string& code) {
    if (code == "43")
        return "大学生";
    if (code == "42")
        return "未成年人";
    if (code == "41")
        return "成年人";
    if (code == "21")
        return "退休";
    return "在职";
}

namespace {

TLabel& CaptionLabel(TForm& form, const std::string& name, const std::string& text, int left, int top) {
    TLabel& label = form.Make<TLabel>(name);
    label.SetCaption(text);
    label.SetBounds(left, top, 72, 12);
    return label;
}

// Values in navy, so that they stand apart from their captions.
TLabel& ValueLabel(TForm& form, const std::string& name, int left, int top, int width) {
    TLabel& label = form.Make<TLabel>(name);
    label.SetFont(TFont{"宋体", 12, 0, TColor::clNavy});
    label.SetBounds(left, top, width, 12);
    return label;
}

} // namespace

TCardShowFrm::TCardShowFrm() {
    SetCaption("医保卡信息");
    SetBorderStyle(TBorderStyle::bsDialog);
    SetClientSize(370, 166);
    Label1 = &CaptionLabel(*this, "Label1", "姓名：", 20, 20);
    lblName = &ValueLabel(*this, "lblName", 92, 20, 100);
    Label2 = &CaptionLabel(*this, "Label2", "性别：", 200, 20);
    lblSex = &ValueLabel(*this, "lblSex", 272, 20, 80);
    Label3 = &CaptionLabel(*this, "Label3", "年龄：", 20, 48);
    lblAge = &ValueLabel(*this, "lblAge", 92, 48, 100);
    Label4 = &CaptionLabel(*this, "Label4", "人员类别：", 200, 48);
    lblRYLB = &ValueLabel(*this, "lblRYLB", 272, 48, 80);
    Label5 = &CaptionLabel(*this, "Label5", "单位名称：", 20, 76);
    lblUnit = &ValueLabel(*this, "lblUnit", 92, 76, 260);
    Label6 = &CaptionLabel(*this, "Label6", "帐户余额：", 20, 104);
    lblBala = &ValueLabel(*this, "lblBala", 92, 104, 260);
    btnOK = &Make<TActionButton>("btnOK", XwPanel1);
    btnOK->SetCaption("确认");
    btnOK->SetModalResult(mrOk);
    btnOK->SetBounds(276, 8, 75, 25);
    Create();
}

void TCardShowFrm::Fill(const TYBCard* card) {
    if (card == nullptr)
        return;
    lblName->SetCaption(card->CardName());
    lblSex->SetCaption(card->Sex());
    lblAge->SetCaption(std::to_string(card->Age()));
    lblRYLB->SetCaption(RYLBName(card->RYLB()));
    lblUnit->SetCaption(card->UnitName());
    lblBala->SetCaption(FloatToStr(card->Bala()));
}

} // namespace tkv
