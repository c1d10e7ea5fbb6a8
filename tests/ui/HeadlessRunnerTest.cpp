// End to end through the headless runner: a small bill-list window scripted as a user would use it.
#include "../platform/TempDir.h"
#include "../toolkit/ToolkitFixture.h"
#include "framework/DateTime.h"
#include "toolkit/Abort.h"
#include "toolkit/ActionButton.h"
#include "toolkit/BandGrid.h"
#include "toolkit/LabelComboBox.h"
#include "toolkit/LabelDateEdit.h"
#include "toolkit/ParentForm.h"
#include "toolkit/PathSelectEdit.h"
#include "toolkit/SelectorEdit.h"
#include "ui/headless/FormDriver.h"

#include <gtest/gtest.h>

using namespace tkv;
using namespace tkv::test;

namespace {

class TSampleBillForm : public TParentForm {
public:
    explicit TSampleBillForm(IVNMainintf& host) : host_(host) {
        SetCaption("厂家品种发票图片打印");
        edit_Btype = &Make<TSelectorEdit>("edit_Btype");
        edit_Btype->SetCaption("供货单位 ");
        edit_Btype->SetBasicType(btBtype);
        edit_Btype->SetFieldsList(flBFullName);
        edit_printcount = &Make<TSelectorEdit>("edit_printcount");
        edit_printcount->SetBasicinfoEditBandType(TBasicinfoEditBandType::bebtModifyField);
        edit_printcount->SetBtnVisible(false);
        TDataTypes& t = edit_printcount->GetDataTypes();
        t.ValueType = vtInteger;
        t.Length = 3;
        t.MaxValue = 1000;
        t.Positive = true;
        Begindate = &Make<TLabelDateEdit>("Begindate");
        cbox_billstatus = &Make<TLabelComboBox>("cbox_billstatus");
        cbox_billstatus->SetItems({"全部", "已过账", "已审核", "未审核"});
        MainGrid = &Make<TBandGrid>("MainGrid");
        PathEdit = &Make<TPathSelectEdit>("PathEdit");
        btn_Query = &Make<TActionButton>("btn_Query", XwPanel1);
        btn_Query->SetCaption("查询");
        btn_Query->OnClick = [this](TComponent&) {
            btn_QueryClick();
        };
        btn_Print = &Make<TActionButton>("btn_Print", XwPanel1);
        btn_Print->SetCaption("打印发票图片");
        btn_Print->OnClick = [this](TComponent&) {
            btn_PrintClick();
        };
        btn_Exit = &Make<TActionButton>("btn_Exit", XwPanel1);
        btn_Exit->SetCaption("退出");
        btn_Exit->SetModalResult(mrCancel);
        Create();
    }

    TSelectorEdit* edit_Btype;
    TSelectorEdit* edit_printcount;
    TLabelDateEdit* Begindate;
    TLabelComboBox* cbox_billstatus;
    TBandGrid* MainGrid;
    TPathSelectEdit* PathEdit;
    TActionButton *btn_Query, *btn_Print, *btn_Exit;
    TClientDataSet FDataSet;
    std::vector<std::string> printed;
    std::string queriedWith;

protected:
    void DoCreate() override {
        TParentForm::DoCreate();
        MainGrid->ClearAllField();
        MainGrid->AddSelectCol("选中");
        MainGrid->AddField(flNMemo, "billcode", "billcode", 0, true, "单据编号", false);
        MainGrid->AddField(flNInt, "billid", "billid", 0, false, "", false);
        MainGrid->InitGridData();
        edit_printcount->SetText("0");
        Begindate->SetDate(EncodeDate(2017, 8, 1));
        OnShow = [this](TForm&) {
            cbox_billstatus->SetItemIndex(0);
        };
    }

private:
    void btn_QueryClick() {
        queriedWith = std::to_string(edit_Btype->GetRec()) + "/" + edit_printcount->GetText() + "/" +
                      cbox_billstatus->Text() + "/" + Begindate->Text();
        FDataSet.Close();
        FDataSet.AddFieldDef("billcode", TFieldType::ftString, 20);
        FDataSet.AddFieldDef("billid", TFieldType::ftInteger);
        FDataSet.CreateDataSet();
        for (int i = 1; i <= 3; ++i)
            FDataSet.AppendRecord({OleVariant("JH-00" + std::to_string(i)), OleVariant(500 + i)});
        MainGrid->SetDataSet(&FDataSet);
    }
    void btn_PrintClick() {
        if (!host_.Question("确定打印选中单据的发票图片?", "提示"))
            return;
        int count = 0;
        for (int row = 0; row < MainGrid->GetDataRowCount(); ++row)
            if (MainGrid->GetRowSelected(row)) {
                printed.push_back(std::to_string(MainGrid->GetColIntValue("billid", row)));
                ++count;
            }
        if (count == 0) {
            host_.ShowMsg("请选择要打印的单据", "提示");
            Abort();
        }
        host_.ShowMsg("打印完成", "提示");
    }

    IVNMainintf& host_;
};

class HeadlessRunnerTest : public ToolkitTest {};

} // namespace

TEST_F(HeadlessRunnerTest, ScriptsABillListWindowEndToEnd) {
    host->data->Add(btBtype, {"00001", 7, "华东医药", "HD", 0});
    TSampleBillForm form(*host.Get());
    runner.AnswerQuestion(false);
    runner.AnswerQuestion(true);
    runner.AnswerQuestion(true);
    runner.AnswerFolder("C:\\");
    runner.Expect("TParentForm", [&](TFormDriver& d) {
        EXPECT_EQ(form.ActiveControl()->Name(), "btn_Query") << "first tab stop on the button panel";
        EXPECT_EQ(form.cbox_billstatus->Text(), "全部");
        host->data->nextAnswer = TBasicRecord{"00001", 7, "", "", 0};
        d.ClickEditButton("edit_Btype");
        EXPECT_EQ(form.edit_Btype->Text(), "华东医药");
        d.SetText("edit_printcount", "12345");
        EXPECT_EQ(form.edit_printcount->GetText(), "123");
        d.ChooseItem("cbox_billstatus", "已审核");
        d.ChooseDate("Begindate", EncodeDate(2017, 8, 3));
        d.Click("btn_Query");
        EXPECT_EQ(form.queriedWith, "7/123/已审核/2017-08-03");
        d.TickRow("MainGrid", 0);
        d.TickRow("MainGrid", 2);
        d.SelectRow("MainGrid", 1);
        d.PressKey(VK_SPACE);
        d.PressKey(VK_SPACE);
        d.Click("btn_Print"); // answered no: nothing printed
        d.Click("btn_Print");
        d.ClickEditButton("PathEdit");
        EXPECT_EQ(form.PathEdit->GetPath(), "C:");
        form.MainGrid->CancelSelectAll();
        d.Click("btn_Print"); // nothing ticked: message, then a silent end
        d.Click("btn_Exit");
        EXPECT_TRUE(d.Closed());
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(form.printed, (std::vector<std::string>{"501", "503"}));
    std::vector<std::string> shown;
    for (const auto& dlg : runner.Dialogs())
        shown.push_back(dlg.Text + "|" + dlg.Title + "|" + dlg.Answer);
    EXPECT_EQ(shown,
              (std::vector<std::string>{"确定打印选中单据的发票图片?|提示|no",
                                        "确定打印选中单据的发票图片?|提示|yes", "打印完成|提示|",
                                        "|"
                                        "|C:\\",
                                        "确定打印选中单据的发票图片?|提示|yes", "请选择要打印的单据|提示|"}));
    EXPECT_TRUE(runner.Failures().empty());
    EXPECT_FALSE(form.Visible());
}

TEST_F(HeadlessRunnerTest, UnscriptedFormAndMissingAnswersAreFailures) {
    TSampleBillForm form(*host.Get());
    EXPECT_EQ(form.ShowModal(), mrCancel);
    runner.Expect([&](TFormDriver& d) {
        d.Click("btn_Print");
        d.Click("btn_Nope");
    });
    form.ShowModal();
    runner.AnswerQuestion(true);
    EXPECT_EQ(runner.Failures(),
              (std::vector<std::string>{"no script for form TParentForm",
                                        "question without an answer: 确定打印选中单据的发票图片?",
                                        "no control btn_Nope", "1 question answer(s) not used"}));
}

TEST_F(HeadlessRunnerTest, CloseQueryCanKeepTheFormOpen) {
    TSampleBillForm form(*host.Get());
    int asked = 0;
    form.OnCloseQuery = [&](TForm&, bool& canClose) {
        canClose = ++asked > 1;
    };
    runner.Expect([&](TFormDriver& d) {
        d.Click("btn_Exit");
        EXPECT_FALSE(d.Closed());
        d.Click("btn_Exit");
        EXPECT_TRUE(d.Closed());
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
}

TEST_F(HeadlessRunnerTest, FileDialogsAreAnsweredAndRecorded) {
    TTempDir dir;
    const std::string a = dir.File("a.jpg"), b = dir.File("b.bmp");
    WriteBytes(a, "x");
    WriteBytes(b, "y");
    TOpenDialogOptions several{"载入图片", "JPG(*.jpg)|*.jpg", "BMP", true, true};
    TOpenDialogOptions one = several;
    one.MultiSelect = false;
    runner.AnswerFiles({b, a});
    runner.AnswerFiles({a, b});
    runner.CancelFiles();
    runner.AnswerFiles({dir.File("missing.jpg")});
    std::vector<std::string> files;
    EXPECT_TRUE(FormRunner().OpenFiles(0, several, files));
    EXPECT_EQ(files, (std::vector<std::string>{b, a})) << "in the order chosen";
    EXPECT_TRUE(FormRunner().OpenFiles(0, one, files));
    EXPECT_EQ(files, std::vector<std::string>{a}) << "one file without multiple selection";
    files.clear();
    EXPECT_FALSE(FormRunner().OpenFiles(0, one, files));
    EXPECT_TRUE(files.empty());
    EXPECT_TRUE(FormRunner().OpenFiles(0, one, files));
    ASSERT_EQ(runner.FileDialogs().size(), 4u);
    EXPECT_EQ(runner.FileDialogs()[0].Title, "载入图片");
    EXPECT_EQ(runner.FileDialogs()[0].DefaultExt, "BMP");
    EXPECT_EQ(runner.Dialogs()[0].Text, "JPG(*.jpg)|*.jpg");
    EXPECT_EQ(runner.Dialogs()[0].Title, "载入图片");
    EXPECT_EQ(runner.Dialogs()[0].Answer, b + ";" + a);
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{"file dialog answered with a missing file: " +
                                                          dir.File("missing.jpg")});
}

TEST_F(HeadlessRunnerTest, RunnerRestoresThePreviousOne) {
    IFormRunner* outer = &FormRunner();
    {
        THeadlessRunner inner;
        EXPECT_EQ(&FormRunner(), &inner);
    }
    EXPECT_EQ(&FormRunner(), outer);
}
