// The new association window: purchase bills or their detail rows of a supplier are queried and
// ticked, an invoice with its pictures is entered, and "确定" links the ticked rows to the invoice
// and its chosen pictures.
#pragma once

#include "FpImageBaseFrm.h"
#include "framework/DataSet.h"
#include "toolkit/Action.h"
#include "toolkit/BandGrid.h"
#include "toolkit/GroupBox.h"
#include "toolkit/RadioGroup.h"

namespace tkv {

class TFpImageFrm : public TFpImageBaseFrm {
public:
    TFpImageFrm();
    ~TFpImageFrm() override;
    std::string ClassName() const override { return "TFpImageFrm"; }

    TFramePanel* QueryPanel;
    TSelectorEdit* edit_Btype; // "供货单位 " of the query
    TLabelDateEdit* Begindate; // "查询日期 "
    TLabelDateEdit* enddate;   // "至  "
    TRadioGroup* rg_Mode;      // "选择方式": "选单", "选明细"
    TActionButton* btn_Query;  // "查询"
    TBandGrid* MainGrid;
    TGroupBox* InvoicePanel;
    TActionButton* btn_ViewBill; // "查看凭证"
    TAction* actActhelp;

    bool DetailMode() const { return rg_Mode->ItemIndex() == 1; }
    const TClientDataSet& DataSet() const { return FDataSet; }

    void btn_QueryClick();
    void rg_ModeClick();
    void btn_OKClick();
    void btn_ViewBillClick();

protected:
    void DoCreate() override;

private:
    void BuildGrid();

    TClientDataSet FDataSet;
};

// Creates the window, shows it modally and destroys it; true when it closed after a successful save.
bool ShowFpImage();

} // namespace tkv
