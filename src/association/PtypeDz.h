// The association management window: the filterable list of links between manufacturers' invoices
// and purchased batches, and the starting point for creating, changing, deleting and printing them.
#pragma once

#include "framework/DataSet.h"
#include "toolkit/ActionButton.h"
#include "toolkit/BandGrid.h"
#include "toolkit/LabelDateEdit.h"
#include "toolkit/ParentForm.h"
#include "toolkit/SelectorEdit.h"

namespace tkv {

class TPtypeDz : public TParentForm {
public:
    TPtypeDz();
    ~TPtypeDz() override;
    std::string ClassName() const override { return "TPtypeDz"; }

    TFramePanel* FilterPanel;
    TSelectorEdit* edit_Btype;
    TSelectorEdit* edit_Ptype;
    TSelectorEdit* edit_Jobnumber;
    TSelectorEdit* edit_VoiceCode;
    TLabelDateEdit* Begindate;
    TLabelDateEdit* enddate;
    TActionButton* btn_Query;
    TActionButton* btn_Reset;
    TBandGrid* MainGrid;
    TActionButton* btn_Add;
    TActionButton* btn_Edit;
    TActionButton* btn_Delete;
    TActionButton* btn_Print;
    TActionButton* btn_Exit;

    const TClientDataSet& DataSet() const { return FDataSet; }

    void btn_QueryClick();
    void btn_ResetClick();
    void btn_AddClick();
    void btn_EditClick();
    void btn_DeleteClick();
    void btn_PrintClick();

protected:
    void DoCreate() override;

private:
    void Refresh();

    TClientDataSet FDataSet;
};

// Creates the window, shows it modally and destroys it when it closes.
void ShowPtypeDZ();

} // namespace tkv
