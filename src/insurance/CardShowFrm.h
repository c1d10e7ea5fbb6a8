// TCardShowFrm: the card window "医保卡信息": the insured person's name, sex, age, person category,
// employer and account balance, and "确认" to close it.
#pragma once

#include "../toolkit/ActionButton.h"
#include "../toolkit/Label.h"
#include "../toolkit/ParentForm.h"

#include <string>

namespace tkv {

class TYBCard;

// The shown name of a person category code: "43" 大学生, "42" 未成年人, "41" 成年人, "21" 退休, any
// other code 在职.
std::string RYLBName(const std::string& code);

class TCardShowFrm : public TParentForm {
public:
    TCardShowFrm();
    std::string ClassName() const override { return "TCardShowFrm"; }

    // Caption labels and value labels, row by row.
    TLabel *Label1, *lblName, *Label2, *lblSex;
    TLabel *Label3, *lblAge, *Label4, *lblRYLB;
    TLabel *Label5, *lblUnit;
    TLabel *Label6, *lblBala;
    TActionButton* btnOK; // "确认"

    // Shows the card's values; nothing without a card.
    void Fill(const TYBCard* card);
};

} // namespace tkv
