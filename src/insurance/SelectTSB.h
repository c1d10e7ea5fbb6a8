// TSelectTSB: the special-disease window "选择特殊病": the card's special diseases in a list to
// choose from; "确认[&Y]" closes with OK once one is chosen, "退出[&X]" (also Esc) with cancel.
#pragma once

#include "../toolkit/ActionButton.h"
#include "../toolkit/Form.h"
#include "../toolkit/LabelComboBox.h"

#include <vector>

namespace tkv {

class TSBStringList;

class TSelectTSB : public TForm {
public:
    explicit TSelectTSB(const TSBStringList& list);
    std::string ClassName() const override { return "TSelectTSB"; }

    TLabelComboBox* cbTSB;  // captioned "特殊病种："
    TActionButton* btnOK;   // "确认[&Y]"
    TActionButton* btnExit; // "退出[&X]"

    // The list position of the chosen item, -1 when none is chosen.
    int ChosenPosition() const;

    void btnOKClick();

protected:
    void DoShow() override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;

private:
    const TSBStringList& list_;
    std::vector<int> positions_; // list position of each item
};

} // namespace tkv
