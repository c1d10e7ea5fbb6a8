// The invoice print window "厂家品种发票图片打印": purchase bills with their picture and print counts, ticked
// by the user, whose pictures are printed one per page per supplier (recording what was printed and counting
// the bills' prints) or exported as one archive per supplier.
#pragma once

#include "PictureCollection.h"
#include "framework/DataSet.h"
#include "toolkit/Action.h"
#include "toolkit/ActionButton.h"
#include "toolkit/BandGrid.h"
#include "toolkit/LabelComboBox.h"
#include "toolkit/LabelDateEdit.h"
#include "toolkit/ParentForm.h"
#include "toolkit/PathSelectEdit.h"
#include "toolkit/SelectorEdit.h"

#include <memory>

namespace tkv {

class IPrinter;

class TFpImagePrintFrm : public TParentForm {
public:
    TFpImagePrintFrm();
    ~TFpImagePrintFrm() override;
    std::string ClassName() const override { return "TFpImagePrintFrm"; }

    TFramePanel* FilterPanel;
    TSelectorEdit* edit_Btype; // "供货单位 "
    TSelectorEdit* edit_etype; // "经手人 "
    TSelectorEdit* edit_bille; // "制单人 "
    TSelectorEdit* edit_ktype; // "仓库 "
    TActionButton* btn_Query;  // "查询"
    TActionButton* btn_Reset;  // "重置"
    TSelectorEdit* edit_printcount;
    TLabelDateEdit* Begindate;
    TLabelDateEdit* enddate;
    TLabelComboBox* cbox_billstatus;
    TLabelComboBox* cbox_printTJ;
    TBandGrid* MainGrid;
    TActionButton* btn_ViewBill;  // "查看凭证"
    TActionButton* btn_Export;    // "导出发票图片"
    TActionButton* btn_Print;     // "打印发票图片"
    TActionButton* btn_PrintList; // "打印"
    TActionButton* btn_Exit;      // "退出"
    TPathSelectEdit* edit_Path;   // "图片导出目录"
    TAction* actActhelp;          // F1

    const TClientDataSet& DataSet() const { return FDataSet; }
    const TAllPictFileList& AllPictFileList() const { return FAllPictFileList; }

    void LoadData();
    void GetAllPictureFile();
    void ClearAllPictFileList();
    static void ClearOnePictFileList(TPictFileList& list);

    void btn_QueryClick();
    void btn_ResetClick();
    void btn_ViewBillClick();
    void btn_PrintClick();
    void btn_ExportClick();
    void btn_PrintListClick();
    void edit_PathChange();

    // The operator text that the bill list sends for a shown print count condition (">=" for any text it does
    // not know).
    static std::string PrintCountOperator(const std::string& shown);

protected:
    void DoCreate() override;
    void DoShow() override;
    void CloseQuery(bool& canClose) override;

private:
    void IniGrid();
    void FormShow();
    // Prints one supplier's pictures that were not printed for it today as one job, and records them as
    // printed once the job ended well. False when it failed; the user has been told which supplier.
    bool PrintOneBrecImage(std::int32_t brec, TPictFileList& pictures, IPrinter& printer);
    bool HasTickedRow() const;

    TClientDataSet FDataSet;
    TAllPictFileList FAllPictFileList;
    bool FShowingPath = false;
};

// Creates the window, shows it modally and destroys it when it closes.
void ShowFpImagePrint();

} // namespace tkv
