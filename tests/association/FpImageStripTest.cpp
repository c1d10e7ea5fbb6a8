// The picture strip as the user meets it: its controls, the two strips' refresh and redraw with any
// number of pictures, double-clicks, the context menu (view, delete), the invoice's pictures from
// the host's store, and loading picture files.
#include "StripFixture.h"
#include "association/ShowPictureFull.h"

#include <gtest/gtest.h>

using namespace tkv;
using namespace tkv::test;

namespace {

TEST_F(StripTest, ControlsStandWhereTheWindowPutsThem) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    EXPECT_EQ(s.gb_SelImage->Caption(), "设置发票所对应的关联图片");
    EXPECT_EQ(s.gb_OtherImage->Caption(), "可选择的图片");
    for (TGroupBox* box : {s.gb_SelImage, s.gb_OtherImage}) {
        EXPECT_EQ(box->Parent(), form.gb_Invoice);
        EXPECT_EQ(box->Width(), 841);
        EXPECT_EQ(box->Height(), 169);
    }
    EXPECT_EQ(s.gb_SelImage->Top(), 48);
    EXPECT_EQ(s.gb_OtherImage->Top(), 240);
    const int lefts[] = {10, 221, 432, 643};
    for (int k = 1; k <= 8; ++k) {
        TPictureSlot* slot = s.GetindexImageControl(k);
        ASSERT_NE(slot, nullptr) << k;
        EXPECT_EQ(slot->Name(), "Image" + std::to_string(k));
        EXPECT_EQ(slot->Parent(), k <= 4 ? s.gb_SelImage : s.gb_OtherImage);
        EXPECT_EQ(slot->Left(), lefts[(k - 1) % 4]);
        EXPECT_EQ(slot->Top(), 24);
        EXPECT_EQ(slot->Width(), 161);
        EXPECT_EQ(slot->Height(), 113);
        EXPECT_TRUE(slot->Stretch());
    }
    EXPECT_EQ(s.GetindexImageControl(9), nullptr);
    for (TScrollBar* bar : {s.sb_SelImage, s.sb_OtherImage}) {
        EXPECT_EQ(bar->Kind(), TScrollBarKind::sbHorizontal);
        EXPECT_EQ(bar->Height(), 16);
        EXPECT_EQ(bar->Top() + bar->Height(), 169 - 2) << "along the bottom edge of the box";
        EXPECT_EQ(bar->Align(), TAlign::alBottom);
        EXPECT_EQ(bar->Max(), 0);
    }
    EXPECT_EQ(s.lbl_SelImage->Caption(), "已选择图片数:");
    EXPECT_EQ(s.lbl_OtherImage->Caption(), "可选择图片数:");
    EXPECT_GT(s.lbl_SelCount->Left(), s.lbl_SelImage->Left());
    EXPECT_EQ(s.lbl_SelCount->Left() + s.lbl_SelCount->Width(), 8 + 841) << "at the right end of the strip";
    EXPECT_GT(s.lbl_SelImage->Top(), 48 + 169);
    EXPECT_LT(s.lbl_SelImage->Top() + s.lbl_SelImage->Height(), 240);
    EXPECT_GT(s.lbl_OtherImage->Top(), 240 + 169);
    EXPECT_EQ(s.lbl_Hint->Caption(), "双击图片进行选中取消操作,右键图片可以查看删除操作");
    EXPECT_EQ(s.lbl_Hint->Font().Color, TColor::clRed);
    EXPECT_EQ(s.btn_load->Caption(), "载入");
    EXPECT_EQ(s.btn_scan->Caption(), "扫描");
    for (TControl* c : {static_cast<TControl*>(s.lbl_Hint), static_cast<TControl*>(s.btn_load),
                        static_cast<TControl*>(s.btn_scan)})
        EXPECT_GE(c->Left(), 8 + 841) << c->Name() << " stands right of the strips";
    ASSERT_EQ(s.pm_Image->Items().size(), 2u);
    EXPECT_EQ(s.pm_Image->Items()[0].Caption, "查看");
    EXPECT_EQ(s.pm_Image->Items()[1].Caption, "删除");
    // Tab order in the invoice area: its own fields, the available strip, "载入", "扫描".
    std::vector<std::string> tabs;
    for (TControl* c : form.TabSequence())
        tabs.push_back(c->Name());
    EXPECT_EQ(tabs, (std::vector<std::string>{"edit_VoiceCode", "sb_OtherImage", "btn_load", "btn_scan"}));
}

TEST_F(StripTest, UpToFourEntriesFillTheSlotsFromTheLeft) {
    TStripForm form(159, 364, false);
    TFpImageStrip& s = *form.strip;
    s.RefreshSelImageMax();
    s.RefreshOtherImageMax();
    EXPECT_EQ(Selected(s), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(s.lbl_SelCount->Caption(), "0");
    for (int n = 1; n <= 4; ++n) {
        s.LoadImg(Picture(n));
        EXPECT_EQ(s.sb_SelImage->Max(), 0);
        EXPECT_EQ(s.lbl_SelCount->Caption(), std::to_string(n));
    }
    EXPECT_EQ(Selected(s), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(s.GetindexImageControl(2)->Picture(), s.GetindexImage(2).Image) << "the slot shows the picture";
    EXPECT_EQ(s.GetindexImageControl(2)->PopupMenu(), s.pm_Image);

    // Two of them moved to the available strip: it fills from the left, the rest stay empty.
    form.strip->ImageDblClick(*s.GetindexImageControl(1));
    form.strip->ImageDblClick(*s.GetindexImageControl(2)); // now picture 3
    EXPECT_EQ(Selected(s), (std::vector<int>{2, 4, 0, 0}));
    EXPECT_EQ(Available(s), (std::vector<int>{1, 3, 0, 0}));
    for (int k : {3, 4, 7, 8}) {
        TPictureSlot* slot = s.GetindexImageControl(k);
        EXPECT_EQ(slot->BackColor(), TColor::clWhite);
        EXPECT_EQ(slot->Picture(), nullptr);
        EXPECT_EQ(slot->PopupMenu(), nullptr);
    }
    EXPECT_EQ(s.sb_OtherImage->Max(), 0);
    EXPECT_EQ(s.lbl_OtherCount->Caption(), "2");
}

TEST_F(StripTest, SixEntriesEndOnTheLastFourAndScrollBack) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    for (int n = 1; n <= 6; ++n)
        s.LoadImg(Picture(n));
    EXPECT_EQ(s.sb_SelImage->Max(), 2);
    EXPECT_EQ(s.sb_SelImage->Position(), 2);
    EXPECT_EQ(Selected(s), (std::vector<int>{3, 4, 5, 6}));
    EXPECT_EQ(s.lbl_SelCount->Caption(), "6");
    runner.Expect([&](TFormDriver& d) {
        d.Scroll("sb_SelImage", 0);
        EXPECT_EQ(Selected(s), (std::vector<int>{1, 2, 3, 4}));
        d.Scroll("sb_SelImage", 1);
        EXPECT_EQ(Selected(s), (std::vector<int>{2, 3, 4, 5}));
        // Any change ends on the last four again.
        d.DblClick("Image1"); // picture 2 leaves the chosen ones
        EXPECT_EQ(Selected(s), (std::vector<int>{3, 4, 5, 6}));
        EXPECT_EQ(s.sb_SelImage->Max(), 1);
        EXPECT_EQ(s.lbl_SelCount->Caption(), "5");
        EXPECT_EQ(Available(s), (std::vector<int>{2, 0, 0, 0}));
    });
    form.ShowModal();
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
}

TEST_F(StripTest, AvailableStripIsAscendingAndEndsOnTheHighestNumbers) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    for (int n = 1; n <= 7; ++n)
        s.LoadImg(Picture(n));
    s.FImageSelList = Numbers({6});
    s.RefreshSelImageMax();
    s.RefreshOtherImageMax();
    EXPECT_EQ(s.otherImageList, Numbers({1, 2, 3, 4, 5, 7}));
    EXPECT_EQ(Available(s), (std::vector<int>{3, 4, 5, 7}));
    EXPECT_EQ(s.sb_OtherImage->Position(), 2);
    s.sb_OtherImage->SetPosition(0);
    EXPECT_EQ(Available(s), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(s.lbl_OtherCount->Caption(), "6");
}

TEST_F(StripTest, AFifthPictureShowsPicturesTwoToFive) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    for (int n = 1; n <= 4; ++n)
        s.LoadImg(Picture(n));
    s.LoadImg(Picture(5));
    EXPECT_EQ(Selected(s), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(s.lbl_SelCount->Caption(), "5");
    EXPECT_EQ(s.FImageSelList, Numbers({1, 2, 3, 4, 5}));
    const TFPImageType& r = s.GetindexImage(5);
    EXPECT_EQ(r.ImageId, 0);
    EXPECT_EQ(r.ImageName, "");
    EXPECT_EQ(r.Filname, "");
    EXPECT_EQ(r.ord, 0);
    EXPECT_EQ(r.Delete, 0);
    EXPECT_THROW(s.GetindexImage(6), std::out_of_range);
    EXPECT_THROW(s.GetindexImage(0), std::out_of_range);
}

TEST_F(StripTest, DoubleClicksMovePicturesBetweenTheStrips) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    for (int n = 1; n <= 3; ++n)
        s.LoadImg(Picture(n));
    s.RefreshOtherImageMax();
    runner.Expect([&](TFormDriver& d) {
        d.DblClick("Image1"); // picture 1 leaves
        EXPECT_EQ(s.FImageSelList, Numbers({2, 3}));
        EXPECT_EQ(Available(s), (std::vector<int>{1, 0, 0, 0}));
        d.DblClick("Image5"); // and comes back at the end
        EXPECT_EQ(s.FImageSelList, Numbers({2, 3, 1}));
        EXPECT_EQ(Selected(s), (std::vector<int>{2, 3, 1, 0}));
        EXPECT_EQ(Available(s), (std::vector<int>{0, 0, 0, 0}));
        d.DblClick("Image8"); // an empty slot: nothing happens
        d.DblClick("Image4");
        EXPECT_EQ(s.FImageSelList, Numbers({2, 3, 1}));
    });
    form.ShowModal();
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
}

TEST_F(StripTest, AnEmptySlotShowsNoContextMenu) {
    TStripForm form(48, 240, true);
    form.strip->LoadImg(Picture(1));
    runner.Expect([&](TFormDriver& d) { d.ContextMenu("Image2", "删除"); });
    form.ShowModal();
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{"control Image2 shows no context menu"});
    EXPECT_EQ(form.strip->PopupPictureNo(), 0);
    EXPECT_TRUE(runner.Texts(TMessageKind::mkQuestion).empty());
}

TEST_F(StripTest, DeletingAChosenPictureRemovesItFromBothStrips) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    for (int n = 1; n <= 3; ++n)
        s.LoadImg(Picture(n));
    s.RefreshOtherImageMax();
    runner.AnswerQuestion(false);
    runner.AnswerQuestion(true);
    runner.Expect([&](TFormDriver& d) {
        d.ContextMenu("Image2", "删除"); // answered no
        EXPECT_EQ(s.GetindexImage(2).Delete, 0);
        EXPECT_EQ(Selected(s), (std::vector<int>{1, 2, 3, 0}));
        d.ContextMenu("Image2", "删除");
        EXPECT_EQ(s.GetindexImage(2).Delete, 1);
        EXPECT_EQ(Selected(s), (std::vector<int>{1, 3, 0, 0}));
        EXPECT_EQ(s.lbl_SelCount->Caption(), "2");
        // A deleted picture does not come back among the available ones, and keeps its number.
        d.DblClick("Image1");
        EXPECT_EQ(Available(s), (std::vector<int>{1, 0, 0, 0}));
    });
    form.ShowModal();
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
    EXPECT_EQ(Messages(TMessageKind::mkQuestion),
              (std::vector<std::string>{"确认删除选择图片?|提示", "确认删除选择图片?|提示"}));
    EXPECT_EQ(s.FImageList.size(), 3u) << "the record stays for the save to unregister";
}

TEST_F(StripTest, DeletingAnAvailablePictureRemovesItFromTheAvailableStrip) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    for (int n = 1; n <= 3; ++n)
        s.LoadImg(Picture(n));
    s.FImageSelList = Numbers({3});
    s.RefreshSelImageMax();
    s.RefreshOtherImageMax();
    runner.AnswerQuestion(true);
    runner.Expect([&](TFormDriver& d) { d.ContextMenu("Image6", "删除"); });
    form.ShowModal();
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
    EXPECT_EQ(s.GetindexImage(2).Delete, 1);
    EXPECT_EQ(Available(s), (std::vector<int>{1, 0, 0, 0}));
    EXPECT_EQ(s.lbl_OtherCount->Caption(), "1");
    EXPECT_EQ(Selected(s), (std::vector<int>{3, 0, 0, 0}));
}

TEST_F(StripTest, ViewShowsThePictureFullScreen) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    s.LoadImg(Picture(1));
    s.LoadImg(
        std::make_shared<TJPEGImage>(sim::EncodeJpeg(TwoBandPixels(90, 70, 0xFF0000, 0x00FF00), 90, 70)));
    runner.Expect([&](TFormDriver& d) { d.ContextMenu("Image2", "查看"); });
    runner.Expect("TfrmShowPictureFull", [&](TFormDriver& d) {
        auto& view = d.Get<TPictureView>("Image1");
        ASSERT_NE(view.Pixels(), nullptr);
        EXPECT_EQ(view.Pixels()->Width(), 90);
        EXPECT_TRUE(Near(PixelAt(*view.Pixels(), 45, 60), 0x00FF00));
        d.PressKey(VK_ESCAPE);
    });
    form.ShowModal();
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
    EXPECT_FALSE(s.GetindexImage(2).Image->HasThumbnail()) << "viewing decodes apart from the thumbnail";
}

TEST_F(StripTest, InvoicePicturesComeFromTheStore) {
    TStripForm form(159, 364, false);
    TFpImageStrip& s = *form.strip;
    const Bytes first = PageJpeg(80, 60, 1), third = PageJpeg(80, 60, 3);
    host->images[{11, "a.jpg"}] = OleVariant::ByteArray(first);
    host->images[{13, "c.jpg"}] = OleVariant::ByteArray(third);
    TClientDataSet rows;
    rows.AddFieldDef("ImageId", TFieldType::ftInteger);
    rows.AddFieldDef("ord", TFieldType::ftInteger);
    rows.AddFieldDef("imgname", TFieldType::ftString, 60);
    rows.CreateDataSet();
    rows.AppendRecord({OleVariant(101), OleVariant(11), OleVariant("a.jpg")});
    rows.AppendRecord({OleVariant(102), OleVariant(12), OleVariant("b.jpg")}); // not in the store
    rows.AppendRecord({OleVariant(103), OleVariant(13), OleVariant("c.jpg")});
    host->calls.clear();
    std::vector<bool> added;
    for (rows.First(); !rows.Eof(); rows.Next())
        added.push_back(s.AddInvoiceImage(rows, rows.FieldByName("ImageId").AsInteger() == 103));
    EXPECT_EQ(added, (std::vector<bool>{true, false, true}));
    ASSERT_EQ(s.FImageList.size(), 2u);
    EXPECT_EQ(s.GetindexImage(1).ImageId, 101);
    EXPECT_EQ(s.GetindexImage(1).ord, 11);
    EXPECT_EQ(s.GetindexImage(1).Filname, "a.jpg");
    EXPECT_EQ(s.GetindexImage(1).ImageName, "");
    EXPECT_EQ(s.GetindexImage(1).Image->Bytes(), first);
    EXPECT_EQ(s.GetindexImage(2).ImageId, 103);
    EXPECT_EQ(s.FImageSelList, Numbers({2}));
    EXPECT_EQ(host->calls,
              (std::vector<std::string>{"GetImage:11:a.jpg", "GetImage:12:b.jpg", "GetImage:13:c.jpg"}));
}

TEST_F(StripTest, ACorruptStoredPictureEndsTheLookupAndKeepsThoseBefore) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    Bytes corrupt = PageJpeg(80, 60, 2);
    corrupt.resize(12);
    host->images[{1, "a.jpg"}] = OleVariant::ByteArray(PageJpeg(80, 60, 1));
    host->images[{2, "b.jpg"}] = OleVariant::ByteArray(corrupt);
    host->images[{3, "c.jpg"}] = OleVariant("not bytes");
    TClientDataSet rows;
    rows.AddFieldDef("ImageId", TFieldType::ftInteger);
    rows.AddFieldDef("ord", TFieldType::ftInteger);
    rows.AddFieldDef("imgname", TFieldType::ftString, 60);
    rows.CreateDataSet();
    rows.AppendRecord({OleVariant(1), OleVariant(1), OleVariant("a.jpg")});
    rows.AppendRecord({OleVariant(2), OleVariant(2), OleVariant("b.jpg")});
    rows.AppendRecord({OleVariant(3), OleVariant(3), OleVariant("c.jpg")});
    rows.First();
    EXPECT_TRUE(s.AddInvoiceImage(rows, false));
    rows.Next();
    EXPECT_THROW(s.AddInvoiceImage(rows, true), EInvalidGraphic);
    rows.Next();
    EXPECT_THROW(s.AddInvoiceImage(rows, true), EInvalidGraphic);
    EXPECT_EQ(s.FImageList.size(), 1u);
    EXPECT_TRUE(s.FImageSelList.empty());
}

TEST_F(StripTest, ClearPictureEmptiesTheLists) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    for (int n = 1; n <= 5; ++n)
        s.LoadImg(Picture(n));
    std::weak_ptr<TJPEGImage> picture = s.GetindexImage(1).Image;
    s.ClearPicture();
    EXPECT_TRUE(s.FImageList.empty());
    EXPECT_TRUE(s.FImageSelList.empty());
    s.RefreshSelImageMax();
    s.RefreshOtherImageMax();
    EXPECT_EQ(Selected(s), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(s.sb_SelImage->Max(), 0);
    EXPECT_TRUE(picture.expired()) << "no slot keeps a cleared picture";
    s.LoadImg(Picture(9));
    EXPECT_EQ(s.FImageSelList, Numbers({1})) << "numbers start again at 1";
}

// Loading picture files.

TEST_F(StripTest, LoadAsksTheInvoiceCheckFirst) {
    TStripForm form(48, 240, true);
    form.invoiceEntered = false;
    runner.Expect([&](TFormDriver& d) { d.Click("btn_load"); });
    form.ShowModal();
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
    EXPECT_EQ(Messages(TMessageKind::mkInformation), std::vector<std::string>{"请录入发票号码|提示"});
    EXPECT_TRUE(runner.FileDialogs().empty()) << "no dialog opens";
}

TEST_F(StripTest, LoadShowsTheFileDialog) {
    TStripForm form(48, 240, true);
    runner.CancelFiles();
    runner.Expect([&](TFormDriver& d) { d.Click("btn_load"); });
    form.ShowModal();
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
    ASSERT_EQ(runner.FileDialogs().size(), 1u);
    const TOpenDialogOptions& o = runner.FileDialogs()[0];
    EXPECT_EQ(o.Title, "载入图片");
    EXPECT_EQ(
        o.Filter,
        "ALL(*.bmp;*.jpg;*.jpeg)|*.bmp;*.jpg;*.jpeg|BMP(*.bmp)|*.bmp|JPG(*.jpg)|*.jpg|JEPG(*.jpeg)|*.jpeg");
    EXPECT_EQ(o.DefaultExt, "BMP");
    EXPECT_TRUE(o.FileMustExist);
    EXPECT_TRUE(o.MultiSelect);
    EXPECT_TRUE(form.strip->FImageList.empty()) << "cancel adds nothing";
    EXPECT_TRUE(Messages(TMessageKind::mkInformation).empty());
}

TEST_F(StripTest, LoadKeepsJpegBytesAndStoresABitmapAsJpeg) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    const Bytes jpeg = PageJpeg(120, 90, 4);
    const std::string jpgFile = WriteFile("invoice.jpg", jpeg);
    const std::string bmpFile =
        WriteFile("scan.bmp", BitmapBytes(TwoBandPixels(40, 30, 0xFF0000, 0x0000FF), 40, 30));
    runner.AnswerFiles({bmpFile, jpgFile});
    runner.Expect([&](TFormDriver& d) { d.Click("btn_load"); });
    form.ShowModal();
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
    ASSERT_EQ(s.FImageList.size(), 2u);
    const Bytes& stored = s.GetindexImage(1).Image->Bytes();
    const JpegHeader h = ReadJpegHeader(stored);
    EXPECT_EQ(h.Width, 40);
    EXPECT_EQ(h.ColorSpace, JCS_YCbCr);
    EXPECT_FALSE(h.Progressive);
    EXPECT_EQ(s.GetindexImage(2).Image->Bytes(), jpeg);
    EXPECT_EQ(s.FImageSelList, Numbers({1, 2})) << "loaded pictures are chosen, in the order of the files";
    EXPECT_EQ(Selected(s), (std::vector<int>{1, 2, 0, 0}));
}

TEST_F(StripTest, EachBadFileIsRefusedOnItsOwn) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    const std::string good1 = WriteFile("1.jpg", PageJpeg(64, 48, 1));
    const std::string text = WriteFile("note.jpg", Bytes{'h', 'e', 'l', 'l', 'o'});
    const std::string empty = WriteFile("empty.bmp", Bytes{});
    const std::string hugeJpeg = WriteFile("huge.jpg", WithClaimedSize(PageJpeg(64, 48, 5), 60000, 60000));
    Bytes bmp = BitmapBytes(TwoBandPixels(16, 16, 0, 0xFFFFFF), 16, 16);
    Bytes hugeBmpBytes = bmp;
    PutLe(hugeBmpBytes, 18, 60000, 4);
    PutLe(hugeBmpBytes, 22, 60000, 4);
    const std::string hugeBmp = WriteFile("huge.bmp", hugeBmpBytes);
    const std::string cut = WriteFile("cut.bmp", Bytes(bmp.begin(), bmp.begin() + bmp.size() / 2));
    const std::string other = WriteFile("page.png", PageJpeg(64, 48, 6));
    const std::string good2 = WriteFile("2.bmp", bmp);
    runner.AnswerFiles({good1, text, empty, hugeJpeg, hugeBmp, cut, other, good2});
    runner.Expect([&](TFormDriver& d) { d.Click("btn_load"); });
    form.ShowModal();
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
    EXPECT_EQ(Messages(TMessageKind::mkInformation),
              std::vector<std::string>(6, "不支持当前图片格式，请重新指定！|提示"));
    ASSERT_EQ(s.FImageList.size(), 2u);
    EXPECT_EQ(s.GetindexImage(1).Image->Width(), 64);
    EXPECT_EQ(s.GetindexImage(2).Image->Width(), 16);
    EXPECT_EQ(s.FImageSelList, Numbers({1, 2}));
}

TEST_F(StripTest, APictureAlreadyHeldAsksBeforeItIsAddedAgain) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    const Bytes jpeg = PageJpeg(64, 48, 1);
    const Bytes bmp = BitmapBytes(TwoBandPixels(16, 16, 0x112233, 0x445566), 16, 16);
    const std::string a = WriteFile("a.jpg", jpeg), b = WriteFile("b.jpeg", jpeg);
    const std::string c = WriteFile("c.bmp", bmp), d2 = WriteFile("d.bmp", bmp);
    runner.AnswerFiles({a, c});
    runner.AnswerFiles({b, d2});
    runner.AnswerQuestion(false); // b: not again
    runner.AnswerQuestion(true);  // d: again
    runner.Expect([&](TFormDriver& d) {
        d.Click("btn_load");
        EXPECT_EQ(s.FImageList.size(), 2u);
        d.Click("btn_load");
    });
    form.ShowModal();
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
    EXPECT_EQ(
        Messages(TMessageKind::mkQuestion),
        (std::vector<std::string>{"该图片已经载入,是否仍然载入?|提示", "该图片已经载入,是否仍然载入?|提示"}));
    ASSERT_EQ(s.FImageList.size(), 3u);
    EXPECT_EQ(s.GetindexImage(3).Image->Bytes(), s.GetindexImage(2).Image->Bytes());
}

TEST_F(StripTest, ADeletedPictureMayBeLoadedAgainWithoutAsking) {
    TStripForm form(48, 240, true);
    TFpImageStrip& s = *form.strip;
    const Bytes jpeg = PageJpeg(64, 48, 1);
    s.LoadImg(std::make_shared<TJPEGImage>(jpeg));
    runner.AnswerQuestion(true); // the deletion
    runner.AnswerFiles({WriteFile("a.jpg", jpeg)});
    runner.Expect([&](TFormDriver& d) {
        d.ContextMenu("Image1", "删除");
        d.Click("btn_load");
    });
    form.ShowModal();
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
    EXPECT_EQ(Messages(TMessageKind::mkQuestion), std::vector<std::string>{"确认删除选择图片?|提示"});
    EXPECT_EQ(s.FImageSelList, Numbers({2}));
}

} // namespace
