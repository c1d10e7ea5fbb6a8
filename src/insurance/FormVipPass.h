// TFormVipPass: the card-number window "请输入医保卡号" (borderless, large type). The cashier types
// the card number or reads it from the card reader, chooses pharmacy purchase or special-disease
// outpatient, and "确定" checks the card at the insurance service (GetCardInfo): the window closes
// with OK only when the check succeeded, holding the card number and the card data text.
#pragma once

#include "../toolkit/ActionButton.h"
#include "../toolkit/Edit.h"
#include "../toolkit/Form.h"
#include "../toolkit/Label.h"
#include "../toolkit/RadioButton.h"

#include <string>

namespace tkv {

class TYBCard;

class TFormVipPass : public TForm {
public:
    explicit TFormVipPass(TYBCard& card);
    std::string ClassName() const override { return "TFormVipPass"; }

    TLabel* lblCardNo;
    TEdit* edtCardNo;
    TActionButton* btnOK;     // "确定[&O]"
    TActionButton* btnCancel; // "取消[&C]"
    TRadioButton* rbYDGY;     // "药店购药": visit type 10
    TRadioButton* rbTBMZ;     // "特病门诊": visit type 13
    TActionButton* btnReadCard;

    // The results of a successful "确定".
    std::string CardNo;
    std::string CardInfo;

    void btnOKClick();
    void btnReadCardClick();

protected:
    void DoShow() override;
    // Ctrl+F4 reads the card.
    void KeyDown(std::uint16_t& key, TShiftState shift) override;

private:
    void edtCardNoKeyDown(std::uint16_t& key);

    TYBCard& card_;
};

} // namespace tkv
