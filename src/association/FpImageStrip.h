// The invoice picture strip that both editing windows carry: the pictures the window holds (every
// picture added, deleted ones only marked), the pictures chosen for the link, two thumbnail strips
// of four slots each (chosen above, the invoice's other pictures below), loading picture files,
// the scanner library, the full-screen viewer and deleting. One object per window; it creates its
// controls on the window, inside the window's invoice area, and the window keeps it until it is
// destroyed.
#pragma once

#include "../framework/DataSet.h"
#include "../platform/Platform.h"
#include "../toolkit/ActionButton.h"
#include "../toolkit/Form.h"
#include "../toolkit/GroupBox.h"
#include "../toolkit/Label.h"
#include "../toolkit/PictureSlot.h"
#include "../toolkit/PopupMenu.h"
#include "../toolkit/ScrollBar.h"
#include "FPImageType.h"
#include "PictureScan.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tkv {

class TFpImageStrip {
public:
    static constexpr int kSlotWidth = 161, kSlotHeight = 113;
    static constexpr int kStripWidth = 841, kStripHeight = 169;
    static constexpr int kSlotsPerStrip = 4;

    // Creates the controls in parent: the chosen strip selectedTop and the available strip
    // availableTop pixels below its top. checkFPCode is the window's invoice check: it shows its own
    // message and answers false when the invoice number or supplier is missing. checkInstallFolder:
    // before the scanner is loaded, the host's installation folder must exist (the new association
    // window); without it a missing folder stops the scan with the error's own message.
    TFpImageStrip(TForm& form, TControl* parent, int selectedTop, int availableTop,
                  std::function<bool()> checkFPCode, bool checkInstallFolder);
    ~TFpImageStrip();
    TFpImageStrip(const TFpImageStrip&) = delete;
    TFpImageStrip& operator=(const TFpImageStrip&) = delete;

    // The invoice number in the window's field: a loaded or scanned picture whose QR code names
    // another invoice is added only when the user says so. Unset: pictures are not checked.
    std::function<std::string()> InvoiceNumber;

    // Records are only appended; deleting sets Delete, so a picture number stays valid until
    // ClearPicture.
    std::vector<std::unique_ptr<TFPImageType>> FImageList;
    // Picture numbers as decimal text: chosen for the link, in the order chosen.
    std::vector<std::string> FImageSelList;
    // Picture numbers as decimal text, ascending, of the pictures neither chosen nor deleted; rebuilt
    // by every refresh of the available strip.
    std::vector<std::string> otherImageList;

    // The scanner library, loaded on the first scan and kept until FreePictureScan.
    LibraryHandle PictureScanHandle = nullptr;
    TPictureScanEvent PictureScanEvent = nullptr;
    TPictureScanSavePathEvent PictureScanSavePathEvent = nullptr;

    TGroupBox* gb_SelImage;   // "设置发票所对应的关联图片": Image1 to Image4
    TGroupBox* gb_OtherImage; // "可选择的图片": Image5 to Image8
    TScrollBar* sb_SelImage;
    TScrollBar* sb_OtherImage;
    TLabel* lbl_SelImage;   // "已选择图片数:"
    TLabel* lbl_SelCount;   // the length of FImageSelList
    TLabel* lbl_OtherImage; // "可选择图片数:"
    TLabel* lbl_OtherCount; // the length of otherImageList
    TLabel* lbl_Hint;
    TActionButton* btn_load; // "载入"
    TActionButton* btn_scan; // "扫描"
    TPopupMenu* pm_Image;    // "查看", "删除"

    // Appends a new picture and chooses it; refreshes the chosen strip.
    void LoadImg(std::shared_ptr<TJPEGImage> picture);
    // Adds the picture of the current row of an invoice's picture list (fields "ImageId", "ord",
    // "imgname"), fetched from the host's picture store; chosen when choose is set. A picture the
    // store has not is skipped (false). Raises EInvalidGraphic when the stored bytes are no JPEG.
    // The strips are refreshed by the caller.
    bool AddInvoiceImage(const TClientDataSet& row, bool choose);
    void RefreshSelImageMax();
    void RefreshOtherImageMax();
    // The record with picture number n (1-based); raises std::out_of_range for another number.
    TFPImageType& GetindexImage(int n);
    // Slot "Image" followed by k; nullptr when the form has none.
    TPictureSlot* GetindexImageControl(int k);
    // Frees every record and its picture, empties FImageList and FImageSelList. The strips are
    // refreshed by the caller.
    void ClearPicture();
    // Loads the scanner library and finds its exports when needed; false when it is not ready.
    bool IniPictureScan();
    // Releases the scanner library (the window calls it when it closes).
    void FreePictureScan();

    // User operations.
    void btn_loadClick();
    void btn_scanClick();
    void ImageDblClick(TPictureSlot& slot);
    void ImageMouseDown(TPictureSlot& slot);
    void N_ViewClick();
    void N_DeleteClick();

    // The picture number the context menu acts on (the slot last pressed).
    int PopupPictureNo() const { return popupPictureNo_; }

private:
    struct Strip {
        TScrollBar* Bar = nullptr;
        TLabel* Count = nullptr;
        int FirstSlot = 1; // k of its leftmost slot
        const std::vector<std::string>* List = nullptr;
    };

    TGroupBox* MakeStrip(TControl* parent, const std::string& name, const std::string& caption, int top,
                         int firstSlot, TScrollBar*& bar, const std::string& barName);
    void Refresh(const Strip& strip);
    void Redraw(const Strip& strip);
    // A picture already held and not deleted whose bytes equal these.
    bool HoldsPicture(const std::vector<std::uint8_t>& bytes) const;
    // False when the picture's QR code names another invoice than the field and the user keeps it
    // out; a picture without a readable invoice code is accepted silently.
    bool AcceptsInvoiceCode(const TJPEGImage& picture);
    void AddScannedFile(const std::string& path);

    TForm& form_;
    std::function<bool()> checkFPCode_;
    bool checkInstallFolder_;
    Strip selStrip_, otherStrip_;
    int popupPictureNo_ = 0;
};

} // namespace tkv
