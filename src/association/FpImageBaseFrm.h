// What the new and the edit association windows share: the invoice fields (number, date, supplier),
// the picture strip, the invoice lookup when the number is left, the invoice check, the save with
// its failure message, "取消" with its question, and the release of pictures and scanner on close.
#pragma once

#include "FpImageCalls.h"
#include "FpImageSave.h"
#include "FpImageStrip.h"
#include "toolkit/ActionButton.h"
#include "toolkit/LabelDateEdit.h"
#include "toolkit/ParentForm.h"
#include "toolkit/SelectorEdit.h"

#include <memory>
#include <set>
#include <vector>

namespace tkv {

class TFpImageBaseFrm : public TParentForm {
public:
    TSelectorEdit* edit_FPCode = nullptr;  // "发票号码*"
    TLabelDateEdit* edit_FPDate = nullptr; // "发票日期 "
    TSelectorEdit* edit_FPBtype = nullptr; // "供货单位 " of the invoice
    TActionButton* btn_OK = nullptr;       // "确定"
    TActionButton* btn_Cancel = nullptr;   // "取消"
    std::unique_ptr<TFpImageStrip> Strip;

    const std::string& OldVoiceCode() const { return FOldVoiceCode; }

    // Shows the window's message and ends with false when the invoice number or supplier is missing.
    bool CheckFPCode();
    void edit_FPCodeExit();
    void btn_CancelClick();

protected:
    TFpImageBaseFrm() = default;

    // Creates the invoice fields in the area at the given row, and the strip below them.
    void MakeInvoiceArea(TControl* area, int fieldsTop, int selectedTop, int availableTop,
                         bool checkScanFolder);
    // Looks an invoice up (by number, or by id with an empty number) and adds the pictures of its
    // pool that the store returns, choosing those whose picture id is in `chosen`. A picture that
    // cannot be read or shown is skipped, the rest of the pool loads, and the skipped ones are
    // named to the user; those in `chosen` are kept in FUnshownChosen. Any other error of the
    // lookup is swallowed: the pictures read so far stay. The lookup's answer, voiceid 0 when
    // nothing was found or it failed before answering.
    TVoiceLookup LookupVoice(const std::string& voicecode, std::int32_t voiceid,
                             const std::set<std::int32_t>& chosen);
    // The edit window takes the number that the lookup returns into its field.
    virtual bool TakesLookedUpNumber() const { return false; }
    // Runs the save sequence with the window's link step; "保存失败重试" when it failed or raised.
    // True after "保存成功".
    bool Save(const std::function<void(const std::string& key, std::int32_t voiceid)>& link);

    std::string FOldVoiceCode;
    // Chosen pictures of the last lookup that could not be shown: a save keeps them chosen.
    std::vector<std::int32_t> FUnshownChosen;
};

} // namespace tkv
