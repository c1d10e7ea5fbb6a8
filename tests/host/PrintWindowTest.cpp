// The print window against the reference host: its first show, remembered settings, the bill list query, the
// picture collection of the ticked bills, the bill view, reset, list printing and help.
#include "PrintWindowFixture.h"
#include "toolkit/Keys.h"

namespace {

using namespace tkv;
using namespace tkv::test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using PrintWindowTest = PrintWindowFixture;

std::vector<std::string> Keys(const TPictFileList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list.Key(i));
    return out;
}

std::string Text(std::int32_t id) {
    return std::to_string(id);
}

TEST_F(PrintWindowTest, FirstShowHasTheDefaultsAndAnEmptyList) {
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        auto& form = Form(d);
        EXPECT_EQ(form.Caption(), "厂家品种发票图片打印");
        EXPECT_EQ(form.Begindate->GetDate(), EncodeDate(2026, 3, 1));
        EXPECT_EQ(form.enddate->GetDate(), today);
        EXPECT_EQ(form.cbox_billstatus->Text(), "全部");
        EXPECT_EQ(form.cbox_printTJ->Text(), "≥");
        EXPECT_EQ(form.edit_printcount->GetText(), "0");
        EXPECT_EQ(form.edit_Path->GetPath(), "");
        EXPECT_EQ(form.MainGrid->GetDataRowCount(), 0);
        EXPECT_EQ(form.MainGrid->SelectColumn()->Caption, "选中");
        ASSERT_EQ(form.MainGrid->Columns().size(), 19u);
        EXPECT_EQ(form.MainGrid->Columns()[5].Title(), "往来单位名称");
        EXPECT_FALSE(form.MainGrid->Columns()[18].UserVisible);
        // The typed-input settings of the print count number.
        const TDataTypes& count = form.edit_printcount->GetDataTypes();
        EXPECT_EQ(count.ValueType, vtInteger);
        EXPECT_EQ(count.Length, 3);
        EXPECT_EQ(count.MaxValue, 1000);
        EXPECT_TRUE(count.Positive);
        EXPECT_FALSE(form.edit_printcount->BtnVisible());
    });
    TkvPrint("");
    EXPECT_THAT(HostMessages(), IsEmpty());
}

TEST_F(PrintWindowTest, TheWindowDescribesItsWholeLayout) {
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        auto& form = Form(d);
        EXPECT_EQ(form.ClientWidth(), 1050);
        EXPECT_EQ(form.ClientHeight(), 560);
        EXPECT_EQ(form.BorderStyle(), TBorderStyle::bsSizeable);
        EXPECT_EQ(form.FilterPanel->Align(), TAlign::alTop);
        EXPECT_EQ(form.MainGrid->Align(), TAlign::alClient);
        EXPECT_EQ(form.XwPanel1->Align(), TAlign::alBottom);
        // The grid fills what the filter band and the button band leave.
        EXPECT_EQ(form.MainGrid->Top(), form.FilterPanel->Height());
        EXPECT_EQ(form.MainGrid->Height(), 560 - 84 - 41);
        // Caption, operator, number on the second row.
        EXPECT_LT(form.cbox_printTJ->Left(), form.edit_printcount->Left());
        EXPECT_EQ(form.cbox_printTJ->Top(), form.edit_printcount->Top());
        EXPECT_GT(form.edit_Btype->Top() + 20, form.btn_Query->Top());
        // Tab order of the filter band: first row, then the second starting with the number.
        std::vector<std::string> order;
        for (TControl* c : form.TabSequence())
            order.push_back(c->Name());
        EXPECT_THAT(std::vector<std::string>(order.begin(), order.begin() + 11),
                    ElementsAre("edit_Btype", "edit_etype", "edit_bille", "edit_ktype", "btn_Query",
                                "btn_Reset", "edit_printcount", "Begindate", "enddate", "cbox_billstatus",
                                "cbox_printTJ"));
        EXPECT_EQ(order[11], "MainGrid");
        EXPECT_THAT(
            std::vector<std::string>(order.begin() + 12, order.end()),
            ElementsAre("btn_ViewBill", "btn_Export", "btn_Print", "btn_PrintList", "btn_Exit", "edit_Path"));
    });
    TkvPrint("");
}

TEST_F(PrintWindowTest, BillStatusAndExportFolderAreRememberedAcrossShows) {
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        d.ChooseItem("cbox_billstatus", "已审核");
        d.SetText("edit_Path", (tmp.Path() / "exp").string());
    });
    TkvPrint("");
    EXPECT_TRUE(std::filesystem::exists(ProfileFolder() / "BillstatusDefault.int"));
    EXPECT_TRUE(std::filesystem::exists(PlugFolder() / "TKExportPath.ini"));
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        EXPECT_EQ(Form(d).cbox_billstatus->Text(), "已审核");
        EXPECT_EQ(Form(d).edit_Path->GetPath(), (tmp.Path() / "exp").string());
    });
    TkvPrint("");
}

TEST_F(PrintWindowTest, EveryNonEmptyTextOfTheFolderEditIsRemembered) {
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        d.Type("edit_Path", "/a");
        EXPECT_EQ(fake.ReadProfileString((PlugFolder() / "TKExportPath.ini").string(), "set", "IEPpath", ""),
                  "/a");
        d.Type("edit_Path", "b");
        EXPECT_EQ(fake.ReadProfileString((PlugFolder() / "TKExportPath.ini").string(), "set", "IEPpath", ""),
                  "/ab");
        d.SetText("edit_Path", "");
        EXPECT_EQ(fake.ReadProfileString((PlugFolder() / "TKExportPath.ini").string(), "set", "IEPpath", ""),
                  "/ab");
    });
    TkvPrint("");
}

TEST_F(PrintWindowTest, ADamagedBillStatusFallsBackToAll) {
    fake.WriteProfileString("BillstatusDefault.int", "set", "Billstatus", "7");
    runner->Expect("TFpImagePrintFrm",
                   [&](TFormDriver& d) { EXPECT_EQ(Form(d).cbox_billstatus->ItemIndex(), 0); });
    TkvPrint("");
}

TEST_F(PrintWindowTest, QueryListsThePurchaseBillsWithTheirPictureCounts) {
    AddBill(9001, 4, today - 1);
    AddBill(9002, 4, today);
    LinkBill(9001, 4, AddPictures(3, 100));
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        auto& form = Form(d);
        d.Click("btn_Query");
        const int row = RowOf(d, 9001);
        EXPECT_EQ(form.MainGrid->GetColIntValue("ImageCount", row), 3);
        EXPECT_EQ(form.MainGrid->GetColIntValue("brec", row), 4);
        EXPECT_EQ(form.MainGrid->GetColStrText("uniquebillid", row), Uid(9001));
        EXPECT_EQ(form.MainGrid->GetColIntValue("ImageCount", RowOf(d, 9002)), 0);
        // A supplier filter, the whole days of the range: a bill at 10:00 on the end day is listed.
        d.ClickEditButton("edit_Btype"); // the host's selection answers its first supplier
        d.Click("btn_Query");
        for (int r = 0; r < form.MainGrid->GetDataRowCount(); ++r)
            EXPECT_EQ(form.MainGrid->GetColIntValue("brec", r), 1);
        d.Click("btn_Reset");
        EXPECT_EQ(form.edit_Btype->GetRec(), 0);
        d.ChooseDate("Begindate", today + 0.6);
        d.ChooseDate("enddate", today + 0.2);
        d.Click("btn_Query");
        ASSERT_GT(form.MainGrid->GetDataRowCount(), 0);
        bool listed = false;
        for (int r = 0; r < form.MainGrid->GetDataRowCount(); ++r) {
            EXPECT_NE(form.MainGrid->GetColStrText("billcode", r), Code(9001));
            listed = listed || form.MainGrid->GetColStrText("billcode", r) == Code(9002);
        }
        EXPECT_TRUE(listed);
    });
    TkvPrint("");
}

TEST_F(PrintWindowTest, PrintCountConditionSendsItsOperatorAndAnEmptyNumberSendsZero) {
    EXPECT_EQ(TFpImagePrintFrm::PrintCountOperator("≠"), "<>");
    EXPECT_EQ(TFpImagePrintFrm::PrintCountOperator("＞"), ">");
    EXPECT_EQ(TFpImagePrintFrm::PrintCountOperator("≤"), "<=");
    EXPECT_EQ(TFpImagePrintFrm::PrintCountOperator(">="), ">=");
    AddBill(9001, 4, today);
    session->Database().Call("zk_TkSaveBillprinttimes", {"@Uid"}, {OleVariant(Uid(9001))});
    session->Database().Call("zk_TkSaveBillprinttimes", {"@Uid"}, {OleVariant(Uid(9001))});
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        auto& form = Form(d);
        d.ChooseItem("cbox_printTJ", "≠");
        d.SetText("edit_printcount", "2");
        d.Click("btn_Query");
        const int all = form.MainGrid->GetDataRowCount();
        EXPECT_GT(all, 0);
        for (int r = 0; r < all; ++r)
            EXPECT_NE(form.MainGrid->GetColStrText("billcode", r), Code(9001));
        d.ChooseItem("cbox_printTJ", "＝");
        d.Click("btn_Query");
        ASSERT_EQ(form.MainGrid->GetDataRowCount(), 1);
        EXPECT_EQ(form.MainGrid->GetColIntValue("printtimes", 0), 2);
        d.SetText("edit_printcount", "");
        d.Click("btn_Query"); // "= 0": every bill but the one printed twice
        EXPECT_EQ(form.MainGrid->GetDataRowCount(), all);
        // The number keeps to its three characters and takes no sign.
        d.SetText("edit_printcount", "9999");
        EXPECT_EQ(form.edit_printcount->GetText(), "999");
        d.SetText("edit_printcount", "-5");
        EXPECT_EQ(form.edit_printcount->GetText(), "5");
    });
    TkvPrint("");
}

TEST_F(PrintWindowTest, CollectionFollowsTheTickedRowsSupplierBySupplier) {
    // Grid order by date: a bill of B, a bill of A, a second bill of B; B's bills share a picture.
    AddSupplier(11, "乙供应商");
    AddSupplier(12, "甲供应商");
    AddBill(9001, 11, today - 3);
    AddBill(9002, 12, today - 2);
    AddBill(9003, 11, today - 1);
    AddBill(9004, 12, today - 1); // no pictures
    const auto b1 = AddPictures(2, 10), a = AddPictures(1, 20), b2 = AddPictures(1, 30);
    LinkBill(9001, 11, b1);
    LinkBill(9002, 12, a);
    LinkBill(9003, 11, {b2[0], b1[1]});
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        auto& form = Form(d);
        d.Click("btn_Query");
        Tick(d, {9001, 9002, 9003, 9004});
        form.GetAllPictureFile();
        const TAllPictFileList& all = form.AllPictFileList();
        ASSERT_EQ(all.Count(), 2);
        EXPECT_EQ(all.Key(0), "11");
        EXPECT_EQ(all.Key(1), "12");
        EXPECT_THAT(Keys(all.List(0)), ElementsAre(Text(b1[0]), Text(b1[1]), Text(b2[0])));
        EXPECT_THAT(Keys(all.List(1)), ElementsAre(Text(a[0])));
        EXPECT_EQ(all.List(0).Picture(2).Bytes(), stored[b2[0]]);

        // Only the bill without pictures ticked: nothing at all, not even its supplier.
        form.MainGrid->CancelSelectAll();
        Tick(d, {9004});
        form.GetAllPictureFile();
        EXPECT_EQ(form.AllPictFileList().Count(), 0);
    });
    TkvPrint("");
}

TEST_F(PrintWindowTest, APictureMissingFromTheStoreIsLeftOut) {
    AddBill(9001, 4, today);
    const auto ids = AddPictures(2, 40);
    LinkBill(9001, 4, ids);
    const auto [ord, name] = StoredFile(ids[0]);
    session->Pictures().Remove(ord, name);
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        d.Click("btn_Query");
        Tick(d, {9001});
        Form(d).GetAllPictureFile();
        ASSERT_EQ(Form(d).AllPictFileList().Count(), 1);
        EXPECT_THAT(Keys(Form(d).AllPictFileList().List(0)), ElementsAre(Text(ids[1])));
    });
    TkvPrint("");
}

TEST_F(PrintWindowTest, ViewBillOpensTheCurrentBillAndNothingOnAnEmptyList) {
    AddBill(9001, 4, today);
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        d.Click("btn_ViewBill"); // empty list: silently nothing
        d.Click("btn_Query");
        d.SelectRow("MainGrid", RowOf(d, 9001));
        d.Click("btn_ViewBill");
    });
    TkvPrint("");
    ASSERT_EQ(session->Main()->ViewedBills().size(), 1u);
    const auto& viewed = session->Main()->ViewedBills()[0];
    EXPECT_EQ(viewed.BillType, kPurchase);
    EXPECT_EQ(viewed.BillId, 9001);
    EXPECT_EQ(viewed.UserRec, session->Main()->LoginUserREC());
    EXPECT_TRUE(viewed.ReadOnly);
}

TEST_F(PrintWindowTest, ListPrintingGoesToThePrintManagerOnlyWithRows) {
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        d.Click("btn_PrintList");
        EXPECT_TRUE(session->Printer().Printed().empty());
        d.Click("btn_Query");
        d.Click("btn_PrintList");
    });
    TkvPrint("");
    ASSERT_EQ(session->Printer().Printed().size(), 1u);
    EXPECT_NE(session->Printer().Printed()[0].filename().string().find("厂家品种发票图片打印"),
              std::string::npos);
}

TEST_F(PrintWindowTest, F1OpensThePlugInHelp) {
    std::vector<std::string> shown;
    static std::vector<std::string>* calls = nullptr;
    calls = &shown;
    auto entry = +[](WindowHandle, const char* file, std::uint32_t command, std::uintptr_t) -> WindowHandle {
        if (file)
            calls->push_back(std::string(file) + "#" + std::to_string(command));
        return 0;
    };
    fake.AddLibrary(fake.systemFolder + "/HHCTRL.OCX", {{"HtmlHelpA", reinterpret_cast<void*>(entry)}});
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) { d.PressKey("edit_Btype", VK_F1); });
    TkvPrint("");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(fake.Utf8ToAnsi("Tkv厂家发票管理插件帮助.chm") + "#0"), std::string::npos);
    calls = nullptr;
}

TEST_F(PrintWindowTest, ExitClosesTheWindow) {
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        d.Click("btn_Exit");
        EXPECT_TRUE(d.Closed());
    });
    TkvPrint("");
}

} // namespace
