// The invoice picture strip: lists, refresh and redraw, slot actions, file loading and scanning.
#include "FpImageStrip.h"

#include "../comm/Exception.h"
#include "../comm/Messages.h"
#include "../comm/ModuleState.h"
#include "../comm/Paths.h"
#include "../toolkit/PictureLoader.h"
#include "../toolkit/QrCodeReader.h"
#include "InvoiceQr.h"
#include "ShowPictureFull.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace tkv {

namespace {

constexpr int kStripLeft = 8;
constexpr int kSlotLefts[TFpImageStrip::kSlotsPerStrip] = {10, 221, 432, 643};
constexpr int kSlotTop = 24;
constexpr int kScrollBarHeight = 16;

const char* const kUnsupportedPicture = "不支持当前图片格式，请重新指定！";
const char* const kLoadFilter =
    "ALL(*.bmp;*.jpg;*.jpeg)|*.bmp;*.jpg;*.jpeg|BMP(*.bmp)|*.bmp|JPG(*.jpg)|*.jpg|JEPG(*.jpeg)|*.jpeg";

std::string InvoiceCodeMismatchText(const std::string& pictured, const std::string& typed) {
    return "图片二维码中的发票号码为" + pictured + ",与录入的发票号码" + typed + "不一致,是否仍然添加该图片?";
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

TFpImageStrip::TFpImageStrip(TForm& form, TControl* parent, int selectedTop, int availableTop,
                             std::function<bool()> checkFPCode, bool checkInstallFolder)
    : form_(form), checkFPCode_(std::move(checkFPCode)), checkInstallFolder_(checkInstallFolder) {
    pm_Image = &form.Make<TPopupMenu>("pm_Image");
    pm_Image->Add("查看", [this](TComponent&) { N_ViewClick(); });
    pm_Image->Add("删除", [this](TComponent&) { N_DeleteClick(); });

    // Tab order within the area: the available strip, then the buttons; the chosen strip's bar
    // takes no focus from the tab key.
    gb_SelImage = MakeStrip(parent, "gb_SelImage", "设置发票所对应的关联图片", selectedTop, 1, sb_SelImage,
                            "sb_SelImage");
    sb_SelImage->SetTabStop(false);
    gb_OtherImage =
        MakeStrip(parent, "gb_OtherImage", "可选择的图片", availableTop, 5, sb_OtherImage, "sb_OtherImage");

    // The counts stand at the right end under each strip.
    auto makeCount = [&](const std::string& name, const std::string& caption, int top, TLabel*& count,
                         const std::string& countName) {
        TLabel& label = form.Make<TLabel>(name, parent);
        label.SetCaption(caption);
        label.SetBounds(kStripLeft + kStripWidth - 130, top + kStripHeight + 4, 84, 12);
        count = &form.Make<TLabel>(countName, parent);
        count->SetCaption("0");
        count->SetBounds(kStripLeft + kStripWidth - 44, top + kStripHeight + 4, 44, 12);
        return &label;
    };
    lbl_SelImage = makeCount("lbl_SelImage", "已选择图片数:", selectedTop, lbl_SelCount, "lbl_SelCount");
    lbl_OtherImage =
        makeCount("lbl_OtherImage", "可选择图片数:", availableTop, lbl_OtherCount, "lbl_OtherCount");

    // Right of the strips: the hint beside the chosen strip, the buttons beside the available one.
    const int sideLeft = kStripLeft + kStripWidth + 12;
    lbl_Hint = &form.Make<TLabel>("lbl_Hint", parent);
    lbl_Hint->SetCaption("双击图片进行选中取消操作,右键图片可以查看删除操作");
    lbl_Hint->SetBounds(sideLeft, selectedTop + 24, 120, 72);
    lbl_Hint->SetWordWrap(true);
    TFont red;
    red.Color = TColor::clRed;
    lbl_Hint->SetFont(red);

    btn_load = &form.Make<TActionButton>("btn_load", parent);
    btn_load->SetCaption("载入");
    btn_load->SetBounds(sideLeft, availableTop + 40, 75, 25);
    btn_load->OnClick = [this](TComponent&) {
        btn_loadClick();
    };
    btn_scan = &form.Make<TActionButton>("btn_scan", parent);
    btn_scan->SetCaption("扫描");
    btn_scan->SetBounds(sideLeft, availableTop + 80, 75, 25);
    btn_scan->OnClick = [this](TComponent&) {
        btn_scanClick();
    };

    selStrip_ = {sb_SelImage, lbl_SelCount, 1, &FImageSelList};
    otherStrip_ = {sb_OtherImage, lbl_OtherCount, 5, &otherImageList};
    sb_SelImage->OnChange = [this](TComponent&) {
        Redraw(selStrip_);
    };
    sb_OtherImage->OnChange = [this](TComponent&) {
        Redraw(otherStrip_);
    };
}

TFpImageStrip::~TFpImageStrip() {
    FreePictureScan();
}

TGroupBox* TFpImageStrip::MakeStrip(TControl* parent, const std::string& name, const std::string& caption,
                                    int top, int firstSlot, TScrollBar*& bar, const std::string& barName) {
    TGroupBox& box = form_.Make<TGroupBox>(name, parent);
    box.SetCaption(caption);
    box.SetBounds(kStripLeft, top, kStripWidth, kStripHeight);
    for (int i = 0; i < kSlotsPerStrip; ++i) {
        auto& slot = form_.Make<TPictureSlot>("Image" + std::to_string(firstSlot + i), &box);
        slot.SetBounds(kSlotLefts[i], kSlotTop, kSlotWidth, kSlotHeight);
        slot.OnDblClick = [this, &slot](TComponent&) {
            ImageDblClick(slot);
        };
        slot.OnMouseDown = [this, &slot](TComponent&, TMouseButton, TShiftState, int, int) {
            ImageMouseDown(slot);
        };
    }
    bar = &form_.Make<TScrollBar>(barName, &box);
    bar->SetAlign(TAlign::alBottom);
    const TRect inside = box.AlignRect();
    bar->SetBounds(inside.Left, inside.Bottom - kScrollBarHeight, inside.Width(), kScrollBarHeight);
    bar->SetParams(0, 0, 0);
    return &box;
}

TFPImageType& TFpImageStrip::GetindexImage(int n) {
    if (n < 1 || n > static_cast<int>(FImageList.size()))
        throw std::out_of_range("no picture number " + std::to_string(n));
    return *FImageList[static_cast<std::size_t>(n - 1)];
}

TPictureSlot* TFpImageStrip::GetindexImageControl(int k) {
    return form_.Find<TPictureSlot>("Image" + std::to_string(k));
}

void TFpImageStrip::LoadImg(std::shared_ptr<TJPEGImage> picture) {
    auto record = std::make_unique<TFPImageType>();
    record->Image = std::move(picture);
    FImageList.push_back(std::move(record));
    FImageSelList.push_back(std::to_string(FImageList.size()));
    RefreshSelImageMax();
}

bool TFpImageStrip::AddInvoiceImage(const TClientDataSet& row, bool choose) {
    const std::int32_t ord = row.FieldByName("ord").AsInteger();
    const std::string fileName = row.FieldByName("imgname").AsString();
    OleVariant value = OleVariant::Null();
    MainIntf().GetImage(value, ord, fileName);
    if (value.IsEmptyOrNull())
        return false;
    if (!value.IsByteArray())
        throw EInvalidGraphic("the picture store answered no picture bytes");
    auto record = std::make_unique<TFPImageType>();
    record->Image = LoadPictureBytes(std::move(value.AsBytes()));
    record->ImageId = row.FieldByName("ImageId").AsInteger();
    record->ord = ord;
    record->Filname = fileName;
    FImageList.push_back(std::move(record));
    if (choose)
        FImageSelList.push_back(std::to_string(FImageList.size()));
    return true;
}

void TFpImageStrip::RefreshSelImageMax() {
    Refresh(selStrip_);
}

void TFpImageStrip::RefreshOtherImageMax() {
    otherImageList.clear();
    for (std::size_t n = 1; n <= FImageList.size(); ++n) {
        const std::string number = std::to_string(n);
        if (!Contains(FImageSelList, number) && FImageList[n - 1]->Delete == 0)
            otherImageList.push_back(number);
    }
    Refresh(otherStrip_);
}

void TFpImageStrip::Refresh(const Strip& strip) {
    const int n = static_cast<int>(strip.List->size());
    // Lowering the maximum may pull the position down, which redraws; a position that already
    // stands at the maximum would not redraw when it is set, so redraw here.
    strip.Bar->SetMax(n > kSlotsPerStrip ? n - kSlotsPerStrip : 0);
    if (strip.Bar->Position() == strip.Bar->Max())
        Redraw(strip);
    strip.Bar->SetPosition(strip.Bar->Max());
}

void TFpImageStrip::Redraw(const Strip& strip) {
    for (int i = 0; i < kSlotsPerStrip; ++i)
        GetindexImageControl(strip.FirstSlot + i)->Clear();
    const std::vector<std::string>& list = *strip.List;
    const int n = static_cast<int>(list.size());
    const int first = n > kSlotsPerStrip ? strip.Bar->Position() : 0;
    for (int i = 0; i < kSlotsPerStrip && first + i < n; ++i) {
        const int number = std::stoi(list[static_cast<std::size_t>(first + i)]);
        TPictureSlot* slot = GetindexImageControl(strip.FirstSlot + i);
        // The slot shares the picture; the renderer draws its thumbnail, made once.
        slot->SetPicture(GetindexImage(number).Image);
        slot->SetPictureNo(number);
        slot->SetPopupMenu(pm_Image);
    }
    strip.Count->SetCaption(std::to_string(n));
}

void TFpImageStrip::ClearPicture() {
    FImageList.clear();
    FImageSelList.clear();
}

void TFpImageStrip::ImageDblClick(TPictureSlot& slot) {
    if (slot.PictureNo() == 0)
        return;
    const std::string number = std::to_string(slot.PictureNo());
    const auto it = std::find(FImageSelList.begin(), FImageSelList.end(), number);
    if (it != FImageSelList.end())
        FImageSelList.erase(it);
    else
        FImageSelList.push_back(number);
    RefreshSelImageMax();
    RefreshOtherImageMax();
}

void TFpImageStrip::ImageMouseDown(TPictureSlot& slot) {
    popupPictureNo_ = slot.PictureNo();
}

void TFpImageStrip::N_ViewClick() {
    if (popupPictureNo_ > 0)
        ShowPictureFull(*GetindexImage(popupPictureNo_).Image);
}

void TFpImageStrip::N_DeleteClick() {
    if (popupPictureNo_ <= 0 || !MainIntf().Question("确认删除选择图片?", "提示"))
        return;
    GetindexImage(popupPictureNo_).Delete = 1;
    const auto it = std::find(FImageSelList.begin(), FImageSelList.end(), std::to_string(popupPictureNo_));
    if (it != FImageSelList.end()) {
        FImageSelList.erase(it);
        RefreshSelImageMax();
    } else {
        RefreshOtherImageMax();
    }
}

bool TFpImageStrip::HoldsPicture(const std::vector<std::uint8_t>& bytes) const {
    return std::any_of(FImageList.begin(), FImageList.end(), [&](const std::unique_ptr<TFPImageType>& r) {
        return r->Delete == 0 && r->Image && r->Image->Bytes() == bytes;
    });
}

void TFpImageStrip::btn_loadClick() {
    if (!checkFPCode_())
        return;
    TOpenDialogOptions options;
    options.Title = "载入图片";
    options.Filter = kLoadFilter;
    options.DefaultExt = "BMP";
    options.FileMustExist = true;
    options.MultiSelect = true;
    std::vector<std::string> files;
    try {
        if (!FormRunner().OpenFiles(form_.OwnerHandle(), options, files))
            return;
    } catch (const std::exception&) {
        ShowMsg(kUnsupportedPicture, "提示");
        return;
    }
    // Each file on its own: one that cannot be read is refused with the message, the others load.
    for (const std::string& file : files) {
        std::shared_ptr<TJPEGImage> picture;
        try {
            picture = LoadPictureFile(file);
        } catch (const std::exception&) {
            ShowMsg(kUnsupportedPicture, "提示");
            continue;
        }
        if (HoldsPicture(picture->Bytes()) && !MainIntf().Question("该图片已经载入,是否仍然载入?", "提示"))
            continue;
        if (!AcceptsInvoiceCode(*picture))
            continue;
        LoadImg(std::move(picture));
    }
}

bool TFpImageStrip::IniPictureScan() {
    std::string folder;
    if (checkInstallFolder_) {
        try {
            folder = AppUpPath();
        } catch (const Exception&) {
            folder.clear();
        }
        std::error_code ec;
        if (folder.empty() || !std::filesystem::is_directory(Utf8Path(folder), ec)) {
            ShowMsg("无法使用扫描功能,请检查插件dll是否在Vorn安装目录\\plug文件夹下", "提示");
            return false;
        }
    }
    if (!PictureScanHandle) {
        if (folder.empty())
            folder = AppUpPath();
        PictureScanHandle = Platform().LoadLibrary(AddBackSlash(folder) + "pictureScan.dll");
        if (!PictureScanHandle) {
            ShowError("扫描加载失败", "错误");
            return false;
        }
    }
    if (!PictureScanEvent)
        PictureScanEvent =
            reinterpret_cast<TPictureScanEvent>(Platform().GetProcAddress(PictureScanHandle, "SCanPicture"));
    if (PictureScanEvent && !PictureScanSavePathEvent)
        PictureScanSavePathEvent = reinterpret_cast<TPictureScanSavePathEvent>(
            Platform().GetProcAddress(PictureScanHandle, "ScanSavePath"));
    return PictureScanEvent && PictureScanSavePathEvent;
}

void TFpImageStrip::FreePictureScan() {
    if (PictureScanHandle)
        Platform().FreeLibrary(PictureScanHandle);
    PictureScanHandle = nullptr;
    PictureScanEvent = nullptr;
    PictureScanSavePathEvent = nullptr;
}

void TFpImageStrip::btn_scanClick() {
    if (!checkFPCode_() || !IniPictureScan())
        return;
    std::uint8_t scanned = 0;
    CheckScanStatus(PictureScanEvent(&scanned));
    if (!scanned)
        return;
    char* text = nullptr;
    const std::int32_t status = PictureScanSavePathEvent(&text);
    const std::string path = text ? Platform().AnsiToUtf8(text) : std::string();
    ReleaseScanText(text);
    CheckScanStatus(status);
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(Utf8Path(path), ec))
        return;
    AddScannedFile(path);
}

void TFpImageStrip::AddScannedFile(const std::string& path) {
    // A scanned bitmap becomes a JPEG like a loaded one: the store's pictures are read back as JPEG.
    std::shared_ptr<TJPEGImage> picture;
    try {
        picture = LoadPictureFile(path);
    } catch (const EInvalidGraphic&) {
        ShowMsg(kUnsupportedPicture, "提示");
        return;
    }
    if (AcceptsInvoiceCode(*picture))
        LoadImg(std::move(picture));
}

bool TFpImageStrip::AcceptsInvoiceCode(const TJPEGImage& picture) {
    if (!InvoiceNumber)
        return true;
    const std::optional<std::string> text = ReadQrText(picture, kSlotWidth, kSlotHeight);
    const std::optional<TInvoiceQr> qr = text ? ParseInvoiceQr(*text) : std::nullopt;
    const std::string typed = InvoiceNumber();
    if (!qr || qr->Number == typed)
        return true;
    return MainIntf().Question(InvoiceCodeMismatchText(qr->Number, typed), "提示");
}

} // namespace tkv
