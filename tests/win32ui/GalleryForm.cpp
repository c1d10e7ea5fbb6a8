// The gallery window's controls and handlers.
#include "GalleryForm.h"

#include <stdexcept>

namespace uitest {

using namespace tkv;

std::shared_ptr<TJPEGImage> TestPicture(int width, int height, int tint) {
    TPixelBuffer pixels(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = pixels.Row(y);
        for (int x = 0; x < width; ++x) {
            const bool frame = x < 6 || y < 6 || x >= width - 6 || y >= height - 6;
            row[3 * x] = frame ? 20 : static_cast<std::uint8_t>(255 * x / width);
            row[3 * x + 1] = frame ? 20 : static_cast<std::uint8_t>((tint * 60) % 256);
            row[3 * x + 2] = frame ? 20 : static_cast<std::uint8_t>(255 * y / height);
        }
    }
    return TJPEGImage::FromPixels(pixels);
}

TGalleryForm::TGalleryForm() {
    SetCaption("控件陈列");
    SetBorderStyle(TBorderStyle::bsSizeable);
    SetClientSize(800, 560);

    pnlFilter = &Make<TFramePanel>("pnlFilter");
    pnlFilter->SetAlign(TAlign::alTop);
    pnlFilter->SetBounds(0, 0, 0, 80);
    pnlFilter->SetBevelOuter(TBevelCut::bvNone);
    pnlFilter->SetTabOrder(0);

    edit_Btype = &Make<TSelectorEdit>("edit_Btype", pnlFilter);
    edit_Btype->SetCaption("供货单位 ");
    edit_Btype->SetBasicType(btBtype);
    edit_Btype->SetBounds(80, 10, 160, 21);
    edit_Btype->OnButtonClick = [this](TComponent&) {
        events.push_back("edit_Btype button");
    };

    edit_Jobnumber = &Make<TSelectorEdit>("edit_Jobnumber", pnlFilter);
    edit_Jobnumber->SetCaption("批号 ");
    edit_Jobnumber->SetBasicinfoEditBandType(TBasicinfoEditBandType::bebtOther);
    edit_Jobnumber->SetBtnVisible(false);
    edit_Jobnumber->SetBounds(300, 10, 120, 21);

    Begindate = &Make<TLabelDateEdit>("Begindate", pnlFilter);
    Begindate->SetCaption("发票日期 ");
    Begindate->SetBounds(80, 45, 110, 21);
    Begindate->SetDate(45000); // 2023-03-15

    cbox_status = &Make<TLabelComboBox>("cbox_status", pnlFilter);
    cbox_status->SetCaption("状态 ");
    cbox_status->SetItems({"全部", "已过账", "已审核", "未审核"});
    cbox_status->SetItemIndex(0);
    cbox_status->SetBounds(300, 45, 100, 21);
    cbox_status->OnChange = [this](TComponent&) {
        events.push_back("status " + cbox_status->Text());
    };

    rg_mode = &Make<TRadioGroup>("rg_mode", pnlFilter);
    rg_mode->SetCaption("选择方式");
    rg_mode->SetItems({"选单", "选明细"});
    rg_mode->SetColumns(2);
    rg_mode->SetItemIndex(0);
    rg_mode->SetBounds(440, 4, 170, 44);
    rg_mode->OnClick = [this](TComponent&) {
        events.push_back("mode " + std::to_string(rg_mode->ItemIndex()));
    };

    btn_Query = &Make<TActionButton>("btn_Query", pnlFilter);
    btn_Query->SetCaption("查询");
    btn_Query->SetBounds(630, 10, 75, 25);
    btn_Query->OnClick = [this](TComponent&) {
        events.push_back("query");
    };

    edit_Count = &Make<TLabelBtnEdit>("edit_Count", pnlFilter);
    edit_Count->SetCaption("打印次数");
    edit_Count->GetDataTypes().ValueType = vtInteger;
    edit_Count->GetDataTypes().MaxValue = 1000;
    edit_Count->GetDataTypes().Length = 3;
    edit_Count->GetDataTypes().Positive = true;
    edit_Count->SetBounds(500, 53, 60, 21);

    btn_Ok = &Make<TActionButton>("btn_Ok", XwPanel1);
    btn_Ok->SetCaption("确定");
    btn_Ok->SetBounds(630, 8, 75, 25);
    btn_Ok->SetAnchors(akTop | akRight);
    btn_Ok->SetModalResult(mrOk);

    btn_Cancel = &Make<TActionButton>("btn_Cancel", XwPanel1);
    btn_Cancel->SetCaption("取消");
    btn_Cancel->SetBounds(715, 8, 75, 25);
    btn_Cancel->SetAnchors(akTop | akRight);
    btn_Cancel->SetModalResult(mrCancel);

    btn_Fail = &Make<TActionButton>("btn_Fail", XwPanel1);
    btn_Fail->SetCaption("出错");
    btn_Fail->SetBounds(8, 8, 75, 25);
    btn_Fail->OnClick = [](TComponent&) {
        throw std::runtime_error("保存失败重试");
    };

    btn_Open = &Make<TActionButton>("btn_Open", XwPanel1);
    btn_Open->SetCaption("打开");
    btn_Open->SetBounds(93, 8, 75, 25);
    btn_Open->OnClick = [this](TComponent&) {
        if (onOpen)
            onOpen();
    };

    gb_Pictures = &Make<TGroupBox>("gb_Pictures");
    gb_Pictures->SetCaption("设置发票所对应的关联图片");
    gb_Pictures->SetAlign(TAlign::alBottom);
    gb_Pictures->SetBounds(0, 0, 0, 169);

    pm_Picture = &Make<TPopupMenu>("pm_Picture");
    pm_Picture->Add("查看", [this](TComponent&) { events.push_back("menu 查看"); });
    pm_Picture->Add("删除", [this](TComponent&) { events.push_back("menu 删除"); });

    const int xs[] = {10, 221, 432, 643};
    for (int i = 0; i < 4; ++i) {
        auto& slot = Make<TPictureSlot>("Image" + std::to_string(i + 1), gb_Pictures);
        slot.SetBounds(xs[i], 24, 161, 113);
        slot.OnDblClick = [this, i](TComponent&) {
            events.push_back("dblclick Image" + std::to_string(i + 1));
        };
        slot.OnMouseDown = [this, i](TComponent&, TMouseButton button, TShiftState, int, int) {
            events.push_back(std::string(button == TMouseButton::mbRight ? "right" : "left") + " Image" +
                             std::to_string(i + 1));
        };
        slots.push_back(&slot);
    }
    for (int i = 0; i < 3; ++i) {
        pictures.push_back(TestPicture(800, 566, i + 1));
        slots[i]->SetPicture(pictures.back());
        slots[i]->SetPictureNo(i + 1);
        slots[i]->SetPopupMenu(pm_Picture);
    }

    sb_Pictures = &Make<TScrollBar>("sb_Pictures", gb_Pictures);
    sb_Pictures->SetBounds(2, 151, 796, 16);
    sb_Pictures->SetParams(0, 0, 2);
    sb_Pictures->OnChange = [this](TComponent&) {
        events.push_back("scroll " + std::to_string(sb_Pictures->Position()));
    };

    lbl_Hint = &Make<TLabel>("lbl_Hint", gb_Pictures);
    lbl_Hint->SetCaption("双击图片进行选中取消操作,右键图片可以查看删除操作");
    lbl_Hint->SetFont(TFont{"宋体", 12, 0, TColor::clRed});
    lbl_Hint->SetBounds(10, 139, 330, 12);

    chk_All = &Make<TCheckBox>("chk_All", gb_Pictures);
    chk_All->SetCaption("全选");
    chk_All->SetBounds(700, 0, 60, 17);
    chk_All->OnClick = [this](TComponent&) {
        events.push_back(chk_All->Checked() ? "all on" : "all off");
    };

    MainGrid = &Make<TBandGrid>("MainGrid");
    MainGrid->SetAlign(TAlign::alClient);
    MainGrid->ClearAllField();
    MainGrid->AddSelectCol("选中");
    MainGrid->AddField(flNMemo, "billcode", "billcode", 120, true, "单据编号", false);
    MainGrid->AddField(flNMemo, "pfullname", "pfullname", 200, true, "商品名称", false);
    MainGrid->AddField(flNInt, "billid", "billid", 60, false, "", false);
    MainGrid->InitGridData();
    Create();
}

} // namespace uitest
