// The edit association window: one existing link re-linked to an invoice (the one it points to, or
// another) and to a chosen subset of that invoice's pictures.
#pragma once

#include "FpImageBaseFrm.h"
#include "toolkit/Label.h"
#include "toolkit/PathSelectEdit.h"

namespace tkv {

class TFpImageEditFrm : public TFpImageBaseFrm {
public:
    TFpImageEditFrm();
    std::string ClassName() const override { return "TFpImageEditFrm"; }

    TFramePanel* HeadPanel;
    TLabel* lbl_Head; // "厂家商品发票关联修改"
    TFramePanel* LinkPanel;
    TSelectorEdit* edit_Ptype;    // "商品名称", read-only
    TSelectorEdit* edit_OutDate;  // "生产日期"
    TSelectorEdit* edit_Validity; // "有效期"
    TSelectorEdit* edit_Job;      // "批号"
    TActionButton* btn_Export;    // "导出发票图片"
    TActionButton* btn_Print;     // "打印发票图片"
    TPathSelectEdit* edit_Path;   // "图片导出目录"

    std::int32_t LinkId() const { return FLinkId; }
    void SetLinkId(std::int32_t id) { FLinkId = id; }
    std::int32_t VoiceId() const { return FVoiceId; }
    void SetVoiceId(std::int32_t id) { FVoiceId = id; }

    void FormShow();
    void btn_OKClick();
    // The chosen pictures as JPEG files in a new subfolder of the export folder.
    void btn_exportClick();
    // The chosen pictures one per page in one print job; nothing is recorded.
    void btn_printClick();
    // Remembers every non-empty folder text.
    void edit_PathChange();

protected:
    void DoCreate() override;
    void DoShow() override;
    bool TakesLookedUpNumber() const override { return true; }

private:
    bool LoadLink();
    // The pictures of the chosen strip, in the order chosen.
    std::vector<const TJPEGImage*> ChosenPictures();

    std::int32_t FLinkId = 0;
    std::int32_t FVoiceId = 0;
    bool FShowingPath = false; // the remembered folder is being shown, not typed
};

// Creates the window for the link and its invoice, shows it modally and destroys it; true when it
// closed after a successful save.
bool ShowFpImageEdit(std::int32_t id, std::int32_t VoiceID);

} // namespace tkv
