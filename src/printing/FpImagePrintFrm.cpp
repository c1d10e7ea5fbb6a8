// The invoice print window.
#include "FpImagePrintFrm.h"

#include "FpImagePrintCalls.h"
#include "PictureExport.h"
#include "PicturePages.h"
#include "Printer.h"
#include "comm/Messages.h"
#include "comm/ModuleState.h"
#include "framework/DateTime.h"
#include "framework/Streams.h"
#include "platform/Platform.h"
#include "system/PrintItemList.h"
#include "toolkit/FormBuilder.h"
#include "toolkit/PictureLoader.h"

#include <charconv>
#include <set>

namespace tkv {

namespace {

struct TBillColumn {
    TFieldsList Field;
    const char* DataBaseName;
    const char* Caption;
    const char* Title;
    int Width;
    bool Shown;
};

constexpr TBillColumn kColumns[] = {
    {flNMemo, "billdate", "日期", "日期", 60, true},
    {flNMemo, "billcode", "单据编号", "单据编号", 60, true},
    {flNMemo, "billname", "单据名称", "单据名称", 60, true},
    {flNMemo, "busercode", "往来单位编号", "往来单位编号", 120, true},
    {flNMemo, "bfullname", "bfullname", "往来单位名称", 120, true},
    {flNMemo, "efullname", "efullname", "经手人", 60, true},
    {flNMemo, "billefullname", "billefullname", "制单人", 60, true},
    {flNMemo, "sfullname", "sfullname", "出库仓库", 60, true},
    {flNTotal, "totalmoney", "totalmoney", "单据金额", 60, true},
    {flNInt, "Pcount", "Pcount", "有发票品种数", 60, true},
    {flNInt, "ImageCount", "ImageCount", "发票图片张数", 120, true},
    {flNInt, "printtimes", "printtimes", "发票图片打印次数", 120, true},
    {flNMemo, "sendway", "sendway", "送货方式", 60, true},
    {flNMemo, "explain", "explain", "附加说明", 60, true},
    {flNInt, "billid", "billid", "billid", 60, false},
    {flNInt, "billtype", "billtype", "billtype", 60, false},
    {flNMemo, "uniquebillid", "uniquebillid", "uniquebillid", 60, false},
    {flNMemo, "brec", "brec", "brec", 60, false},
};

// The shown print count conditions and the operators the bill list takes for them.
constexpr std::pair<const char*, const char*> kPrintCountOperators[] = {
    {"≥", ">="}, {"＞", ">"}, {"＝", "="}, {"＜", "<"}, {"≤", "<="}, {"≠", "<>"},
};

// Named without a folder: the file lies in the system's default folder of profile files.
constexpr const char* kBillStatusFile = "BillstatusDefault.int";
constexpr const char* kSection = "set";
constexpr const char* kBillStatusKey = "Billstatus";
constexpr const char* kListTemplate = "厂家品种发票图片打印.rwx";

// The whole text as a decimal integer; the default when it is none.
std::int32_t IntegerOr(const std::string& text, std::int32_t defaultValue) {
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return text.empty() || ec != std::errc() || end != text.data() + text.size() ? defaultValue : value;
}

TDateTime Today() {
    return DateOf(Platform().Now());
}

} // namespace

TFpImagePrintFrm::TFpImagePrintFrm() {
    // Enter moves on in the controls themselves; F1 is the help action's.
    SetKeyPreview(false);
    SetCaption("厂家品种发票图片打印");
    SetBorderStyle(TBorderStyle::bsSizeable);
    SetClientSize(1050, 560);
    SetFont(TFont{});

    FilterPanel = &Make<TFramePanel>("FilterPanel");
    FilterPanel->SetAlign(TAlign::alTop);
    FilterPanel->SetBounds(0, 0, 0, 84);
    FilterPanel->SetTabOrder(0);
    // First row: the four record filters and the two buttons.
    edit_Btype =
        &MakeRecordSelector(*this, "edit_Btype", FilterPanel, "供货单位 ", btBtype, flBFullName, 75, 14, 180);
    edit_etype =
        &MakeRecordSelector(*this, "edit_etype", FilterPanel, "经手人 ", btEtype, flEFullName, 315, 14, 110);
    edit_bille =
        &MakeRecordSelector(*this, "edit_bille", FilterPanel, "制单人 ", btEtype, flEFullName, 485, 14, 110);
    edit_ktype =
        &MakeRecordSelector(*this, "edit_ktype", FilterPanel, "仓库 ", btKtype, flKFullName, 640, 14, 110);
    btn_Query = &MakeButton(*this, "btn_Query", FilterPanel, "查询", 775, 12);
    btn_Reset = &MakeButton(*this, "btn_Reset", FilterPanel, "重置", 860, 12);
    // Second row: the print count number comes first in tab order but stands last on screen, so that the row
    // reads as caption, operator, number.
    edit_printcount = &MakeTextField(*this, "edit_printcount", FilterPanel, " ", 620, 50, 60);
    edit_printcount->SetBasicinfoEditBandType(TBasicinfoEditBandType::bebtModifyField);
    Begindate = &MakeDateEdit(*this, "Begindate", FilterPanel, "查询日期 ", 75, 50, 110);
    enddate = &MakeDateEdit(*this, "enddate", FilterPanel, "至", 210, 50, 110);
    cbox_billstatus = &Make<TLabelComboBox>("cbox_billstatus", FilterPanel);
    cbox_billstatus->SetCaption("单据状态 ");
    cbox_billstatus->SetItems({"全部", "已过账", "已审核", "未审核"});
    cbox_billstatus->SetBounds(400, 50, 90, kEditHeight);
    cbox_printTJ = &Make<TLabelComboBox>("cbox_printTJ", FilterPanel);
    cbox_printTJ->SetCaption("打印次数");
    std::vector<std::string> conditions;
    for (const auto& [shown, sent] : kPrintCountOperators)
        conditions.emplace_back(shown);
    cbox_printTJ->SetItems(std::move(conditions));
    cbox_printTJ->SetBounds(560, 50, 50, kEditHeight);

    MainGrid = &Make<TBandGrid>("MainGrid");
    MainGrid->SetAlign(TAlign::alClient);
    MainGrid->SetTabOrder(1);

    btn_ViewBill = &MakeButton(*this, "btn_ViewBill", XwPanel1, "查看凭证", 10, 8);
    btn_Export = &MakeButton(*this, "btn_Export", XwPanel1, "导出发票图片", 95, 8, 100);
    btn_Print = &MakeButton(*this, "btn_Print", XwPanel1, "打印发票图片", 205, 8, 100);
    btn_PrintList = &MakeButton(*this, "btn_PrintList", XwPanel1, "打印", 315, 8);
    btn_Exit = &MakeButton(*this, "btn_Exit", XwPanel1, "退出", 400, 8);
    edit_Path = &Make<TPathSelectEdit>("edit_Path", XwPanel1);
    edit_Path->SetCaption("图片导出目录");
    edit_Path->SetBounds(570, 10, 300, kEditHeight);
    XwPanel1->SetTabOrder(2);

    actActhelp = &Make<TAction>("actActhelp");
    actActhelp->SetCaption("帮助");
    actActhelp->SetShortCut(VK_F1);
    actActhelp->OnExecute = [this](TComponent&) {
        OpenHelp();
    };

    btn_Query->OnClick = [this](TComponent&) {
        btn_QueryClick();
    };
    btn_Reset->OnClick = [this](TComponent&) {
        btn_ResetClick();
    };
    btn_ViewBill->OnClick = [this](TComponent&) {
        btn_ViewBillClick();
    };
    btn_Export->OnClick = [this](TComponent&) {
        btn_ExportClick();
    };
    btn_Print->OnClick = [this](TComponent&) {
        btn_PrintClick();
    };
    btn_PrintList->OnClick = [this](TComponent&) {
        btn_PrintListClick();
    };
    btn_Exit->OnClick = [this](TComponent&) {
        Close();
    };
    edit_Path->OnChange = [this](TComponent&) {
        edit_PathChange();
    };
    Create();
}

TFpImagePrintFrm::~TFpImagePrintFrm() {
    MainGrid->SetDataSet(nullptr);
    ClearAllPictFileList();
}

void TFpImagePrintFrm::DoCreate() {
    TParentForm::DoCreate();
    IniGrid();
}

void TFpImagePrintFrm::IniGrid() {
    MainGrid->ClearAllField();
    MainGrid->AddSelectCol("选中");
    for (const TBillColumn& c : kColumns)
        MainGrid->AddField(c.Field, c.Caption, c.DataBaseName, c.Width, c.Shown, c.Title, false);
    MainGrid->InitGridData();

    const TDateTime today = Today();
    Begindate->SetDate(StartOfMonth(today));
    enddate->SetDate(today);

    TDataTypes& count = edit_printcount->GetDataTypes();
    count.ValueType = vtInteger;
    count.Length = 3;
    count.Digital = 0;
    count.MinValue = 0;
    count.MaxValue = 1000;
    count.Positive = true;
    edit_printcount->SetText("0");

    cbox_billstatus->SetItemIndex(0);
    cbox_printTJ->SetItemIndex(0);

    edit_Btype->SetCaption("供货单位 ");
    edit_etype->SetCaption("经手人 ");
    edit_bille->SetCaption("制单人 ");
    edit_ktype->SetCaption("仓库 ");
}

void TFpImagePrintFrm::DoShow() {
    FormShow();
    TParentForm::DoShow();
}

void TFpImagePrintFrm::FormShow() {
    const std::int32_t status =
        IntegerOr(Platform().ReadProfileString(kBillStatusFile, kSection, kBillStatusKey, "0"), 0);
    // A remembered index that names no status (a damaged file) falls back to "全部".
    cbox_billstatus->SetItemIndex(
        status >= 0 && status < static_cast<int>(cbox_billstatus->Items().size()) ? status : 0);
    FShowingPath = true;
    edit_Path->SetPath(ReadExportPath(kPrintExportPathKey));
    FShowingPath = false;
}

void TFpImagePrintFrm::CloseQuery(bool& canClose) {
    TParentForm::CloseQuery(canClose);
    canClose = true;
    // Closing is never refused for a choice that cannot be remembered.
    RememberSetting(
        [this] {
            Platform().WriteProfileString(kBillStatusFile, kSection, kBillStatusKey,
                                          std::to_string(cbox_billstatus->ItemIndex()));
        },
        "单据状态的选择");
}

std::string TFpImagePrintFrm::PrintCountOperator(const std::string& shown) {
    for (const auto& [text, sent] : kPrintCountOperators)
        if (shown == text)
            return sent;
    return ">=";
}

void TFpImagePrintFrm::LoadData() {
    TBillImageFilter filter;
    filter.PrintTJ = PrintCountOperator(cbox_printTJ->Text());
    filter.brec = edit_Btype->GetRec();
    filter.erec = edit_etype->GetRec();
    filter.billerec = edit_bille->GetRec();
    filter.krec = edit_ktype->GetRec();
    filter.billstatus = cbox_billstatus->ItemIndex();
    filter.printcount = IntegerOr(edit_printcount->GetText(), 0);
    filter.begindate = Begindate->GetDate();
    filter.enddate = enddate->GetDate();
    filter.loginuser = MainIntf().LoginUserREC();
    Zk_TkGetBillImageData(filter, FDataSet);
    MainGrid->SetDataSet(&FDataSet);
}

void TFpImagePrintFrm::ClearOnePictFileList(TPictFileList& list) {
    list.Clear();
}

void TFpImagePrintFrm::ClearAllPictFileList() {
    FAllPictFileList.Clear();
}

void TFpImagePrintFrm::GetAllPictureFile() {
    ClearAllPictFileList();
    TClientDataSet pictures;
    std::string damaged; // stored pictures that are no readable JPEG, one line each
    for (int row = 0; row < MainGrid->GetDataRowCount(); ++row) {
        if (!MainGrid->GetRowSelected(row))
            continue;
        const std::int32_t billid = MainGrid->GetColIntValue("billid", row);
        const std::int32_t billtype = MainGrid->GetColIntValue("billtype", row);
        const std::int32_t brec = MainGrid->GetColIntValue("brec", row);
        pictures.Close();
        zk_TkGetOneBillImage(billid, billtype, pictures);
        if (pictures.RecordCount() == 0)
            continue;
        const std::string key = std::to_string(brec);
        std::unique_ptr<TPictFileList> fresh;
        const int found = FAllPictFileList.IndexOf(key);
        TPictFileList* list = nullptr;
        if (found >= 0) {
            list = &FAllPictFileList.List(found);
        } else {
            fresh = std::make_unique<TPictFileList>();
            list = fresh.get();
        }
        for (pictures.First(); !pictures.Eof(); pictures.Next()) {
            const std::string imageid = pictures.FieldByName("imageid").AsString();
            if (list->IndexOf(imageid) >= 0)
                continue;
            OleVariant data;
            MainIntf().GetImage(data, pictures.FieldByName("ord").AsInteger(),
                                pictures.FieldByName("imgname").AsString());
            if (data.IsEmptyOrNull())
                continue;
            std::unique_ptr<TMemoryStream> stream = OleVariantToStream(data);
            if (!stream)
                continue; // not picture bytes: left out like a missing picture
            stream->SetPosition(0);
            try {
                list->Add(imageid, LoadPictureBytes(std::move(stream->Bytes())));
            } catch (const EInvalidGraphic&) {
                // One damaged picture does not stop the others of the run.
                damaged += "\r\n" + MainGrid->GetColStrText("billcode", row) + ": " +
                           pictures.FieldByName("imgname").AsString();
            }
        }
        if (fresh)
            FAllPictFileList.Add(key, std::move(fresh));
    }
    if (!damaged.empty())
        ShowMsg("下列发票图片在图片库中已损坏,不能打印或导出,已经跳过,其余图片照常处理:" + damaged +
                    "\r\n请重新扫描这些发票的图片。",
                "提示");
}

void TFpImagePrintFrm::btn_QueryClick() {
    LoadData();
}

void TFpImagePrintFrm::btn_ResetClick() {
    edit_Btype->SetRec(0);
    edit_etype->SetRec(0);
    edit_bille->SetRec(0);
    edit_ktype->SetRec(0);
}

void TFpImagePrintFrm::btn_ViewBillClick() {
    MainGrid->CheckIsDataRow(-1, true);
    const std::int32_t billtype = MainGrid->GetColIntValue("billtype", -1);
    const std::int32_t billid = MainGrid->GetColIntValue("billid", -1);
    MainIntf().ViewBill(billtype, billid, MainIntf().LoginUserREC(), true);
}

bool TFpImagePrintFrm::HasTickedRow() const {
    for (int row = 0; row < MainGrid->GetDataRowCount(); ++row)
        if (MainGrid->GetRowSelected(row))
            return true;
    return false;
}

void TFpImagePrintFrm::btn_PrintClick() {
    if (!HasTickedRow()) {
        ShowMsg("没有选中的表格数据,请检查。", "提示");
        return;
    }
    GetAllPictureFile();
    if (FAllPictFileList.Count() == 0)
        return;
    const std::shared_ptr<IPrinter> printer = FormRunner().ExecutePrintDialog(OwnerHandle());
    if (!printer)
        return;
    bool all = true;
    for (int i = 0; i < FAllPictFileList.Count(); ++i) {
        const std::int32_t brec = IntegerOr(FAllPictFileList.Key(i), 0);
        if (!PrintOneBrecImage(brec, FAllPictFileList.List(i), *printer)) {
            all = false;
            continue; // its bills are not counted as printed either
        }
        for (int row = 0; row < MainGrid->GetDataRowCount(); ++row)
            if (MainGrid->GetRowSelected(row) && MainGrid->GetColIntValue("ImageCount", row) != 0 &&
                MainGrid->GetColIntValue("brec", row) == brec)
                zk_TkSaveBillprinttimes(MainGrid->GetColStrText("uniquebillid", row));
    }
    MainGrid->CancelSelectAll();
    // Completion is told only when every supplier printed; the failures were told already.
    if (all)
        ShowMsg("打印完成", "提示");
    LoadData();
}

bool TFpImagePrintFrm::PrintOneBrecImage(std::int32_t brec, TPictFileList& pictures, IPrinter& printer) {
    try {
        const TDateTime today = Today();
        TClientDataSet printed;
        zk_TkGetBPirntImage(brec, today, printed);
        std::set<std::string> printedIds;
        for (printed.First(); !printed.Eof(); printed.Next())
            printedIds.insert(printed.FieldByName("imageid").AsString());
        for (int i = pictures.Count() - 1; i >= 0; --i)
            if (printedIds.count(pictures.Key(i)) > 0)
                pictures.Delete(i);
        if (pictures.Count() == 0) {
            ShowMsg("单位" + GetBfullname(brec) + "今天没有需要再打印的图片,确认后继续", "提示");
            return true;
        }
        ShowMsg("开始打印单位" + GetBfullname(brec) + "的图片", "提示");
        try {
            PrintPicturePages(printer, pictures.Count(),
                              [&pictures](int i) -> const TGraphic& { return pictures.Picture(i); });
        } catch (const std::exception& e) {
            // Nothing of a failed job counts as printed, so that the next run prints it again.
            ShowError("单位" + GetBfullname(brec) + "的图片没有打印完成:" + e.what() +
                          "\r\n这些图片没有记为今天已打印,排除故障后可以重新打印。",
                      "错误");
            return false;
        }
        for (int i = 0; i < pictures.Count(); ++i) {
            try {
                zk_TkSaveBPirntImage(brec, today, pictures.Key(i));
            } catch (const std::exception&) {
                // the job is printed: a record that fails leaves only that picture to print again
            }
        }
        return true;
    } catch (const std::exception& e) {
        // the supplier's printed pictures or name could not be read: it is told, the run goes on
        ShowError("单位编号" + std::to_string(brec) + "的图片没有打印:" + e.what(), "错误");
        return false;
    }
}

void TFpImagePrintFrm::btn_ExportClick() {
    const std::string folder = GetExportFolder(*edit_Path);
    if (folder.empty())
        return;
    RememberExportPath(kPrintExportPathKey, folder);
    GetAllPictureFile();
    if (FAllPictFileList.Count() == 0) {
        ShowMsg("没有需要导出的图片,请检查", "提示");
        return;
    }
    bool all = true;
    for (int i = 0; i < FAllPictFileList.Count(); ++i)
        all = ExportOneBrecImage(IntegerOr(FAllPictFileList.Key(i), 0), FAllPictFileList.List(i), folder) &&
              all;
    // Success is told only when every supplier got its archive; the failures were told already.
    if (all)
        ShowMsg("导出图片到[" + folder + "]成功", "提示");
}

void TFpImagePrintFrm::btn_PrintListClick() {
    if (MainGrid->GetDataRowCount() == 0)
        return;
    TPrintItemList items;
    const std::unique_ptr<TClientDataSet> data = TBandGrid::GetPrintData(*MainGrid, true, false);
    MainIntf().RunPrintManage(kListTemplate, &items, data->GetData(), false);
}

void TFpImagePrintFrm::edit_PathChange() {
    const std::string& path = edit_Path->GetPath();
    if (!FShowingPath && !path.empty())
        RememberExportPath(kPrintExportPathKey, path);
}

void ShowFpImagePrint() {
    TFpImagePrintFrm form;
    form.ShowModal();
}

} // namespace tkv
