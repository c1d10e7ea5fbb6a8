// The scripted answerer, the framework-object and report interfaces, and the retail bill's payment
// confirmation.
#include "host/HostObjects.h"
#include "framework/PlugParams.h"
#include "host/HostUi.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace tkv;
using namespace tkv::host;

TEST(ScriptedUi, AnswersFromTheScriptAndRecordsEveryEventInOrder) {
    TScriptedUi ui;
    ui.QueueAnswer(false);
    ui.ShowMessage("保存成功", "提示");
    EXPECT_FALSE(ui.Ask("确认删除选择图片?", "提示"));
    EXPECT_TRUE(ui.Ask("again", "提示")); // the queue ran dry: yes
    ui.ShowError("刷卡操作被终止", "错误");
    ASSERT_EQ(ui.Events().size(), 4u);
    EXPECT_EQ(ui.Events()[0].Kind, TUiEventKind::Message);
    EXPECT_EQ(ui.Events()[0].Text, "保存成功");
    EXPECT_EQ(ui.Events()[1].Kind, TUiEventKind::Question);
    EXPECT_EQ(ui.Events()[3].Kind, TUiEventKind::Error);
    EXPECT_EQ(ui.Events()[3].Title, "错误");
}

TEST(ScriptedUi, MessageBoxButtonsFollowTheFlags) {
    TScriptedUi ui;
    EXPECT_EQ(ui.Box("请选择特殊病种", "提示", 0x30), 1); // OK only (exclamation icon)
    ui.QueueAnswer(false);
    EXPECT_EQ(ui.Box("q", "t", 4), 7); // yes/no answered no
    EXPECT_EQ(ui.Box("q", "t", 4), 6);
    ui.QueueAnswer(false);
    EXPECT_EQ(ui.Box("q", "t", 1), 2); // OK/cancel answered cancel
}

TEST(ScriptedUi, RecordChoiceOutOfRangeIsACancel) {
    TScriptedUi ui;
    const std::vector<TBasicRecord> two = {{"00001", 1, "甲", "", 0}, {"00002", 2, "乙", "", 0}};
    EXPECT_EQ(ui.ChooseRecord("选择单位", two), 0);
    ui.QueueChoice(1);
    EXPECT_EQ(ui.ChooseRecord("选择单位", two), 1);
    ui.QueueChoice(2);
    EXPECT_EQ(ui.ChooseRecord("选择单位", two), -1);
    ui.QueueChoice(-1);
    EXPECT_EQ(ui.ChooseRecord("选择单位", two), -1);
    EXPECT_EQ(ui.ChooseRecord("选择单位", {}), -1);
}

TEST(ExistForm, EveryGetterAnswersItsOwnStableObject) {
    ComPtr<TExistForm> form(new TExistForm);
    IExistForm* f = form.Get();
    std::set<HostObject> seen;
    for (ExistFormGetter g : kExistFormGetters) {
        HostObject o = (f->*g)();
        EXPECT_NE(o, nullptr);
        EXPECT_TRUE(seen.insert(o).second);
    }
    EXPECT_EQ((f->*kExistFormGetters[4])(), (f->*kExistFormGetters[4])());
    ASSERT_EQ(form->Calls().size(), 25u);
    EXPECT_EQ(form->Calls()[22], 22);
}

TEST(ExistForm, AnswersItsOwnInterfaceOnly) {
    ComPtr<TExistForm> form(new TExistForm);
    void* p = nullptr;
    EXPECT_EQ(form->QueryInterface(IID_IExistForm, &p), S_OK);
    EXPECT_EQ(form->RefCount(), 2u);
    static_cast<IExistForm*>(p)->Release();
    EXPECT_EQ(form->QueryInterface(IID_IssReportIntf, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
}

TEST(ssReport, CallsAreRecorded) {
    ComPtr<TssReport> r(new TssReport);
    r->OpenssReport("零售小票");
    r->AddIntParam("a", 3);
    r->AddFloatParam("b", 2.5);
    r->AddStringParam("c", "文本");
    EXPECT_EQ(r->Calls(), (std::vector<std::string>{"OpenssReport:零售小票", "AddIntParam:a=3",
                                                    "AddFloatParam:b=2.5", "AddStringParam:c=文本"}));
}

OleVariant Param(const char* name, OleVariant value) {
    return OleVariant::VarArray({OleVariant(name), std::move(value), OleVariant(0), OleVariant(0),
                                 OleVariant(0), OleVariant(0), OleVariant(0)});
}

TEST(RetailBill, PaymentConfirmationShowsThePaymentsAndAnswersTheUser) {
    TScriptedUi ui;
    ComPtr<TRetailBill> bill(new TRetailBill(ui, "LS-20261209-001", 42, 45.5, OleVariant::Null()));
    const OleVariant pays =
        OleVariant::VarArray({Param("3", OleVariant(35.5)), Param("7", OleVariant(10.0))});
    ui.QueueConfirmation(false);
    EXPECT_FALSE(bill->ShowAcctount(pays));
    EXPECT_TRUE(bill->ShowAcctount(pays));
    ASSERT_EQ(ui.Events().size(), 2u);
    EXPECT_EQ(ui.Events()[0].Kind, TUiEventKind::ConfirmPayments);
    EXPECT_EQ(ui.Events()[0].Text, "3=35.5; 7=10");
    EXPECT_EQ(bill->GetBillCode(), "LS-20261209-001");
    EXPECT_EQ(bill->GetBillID(), 42);
    EXPECT_EQ(bill->BillType(), 151);
    EXPECT_EQ(bill->GetTotal(), 45.5);
    bill->ClearData();
    EXPECT_EQ(bill->GetTotal(), 0.0);
    EXPECT_EQ(PlugParamsText(OleVariant::Null()), "");
}

TEST(RetailBill, AnswersTheTransactionInterfacesItImplements) {
    TScriptedUi ui;
    ComPtr<TRetailBill> bill(new TRetailBill(ui, "B", 1, 0.0, OleVariant::Null()));
    void* p = nullptr;
    ASSERT_EQ(bill->QueryInterface(IID_IVNMainBillTransRetail, &p), S_OK);
    EXPECT_EQ(static_cast<IVNMainBillTransRetail*>(p)->GetBillCode(), "B");
    static_cast<IVNMainBillTransRetail*>(p)->Release();
    ASSERT_EQ(bill->QueryInterface(IID_IVNMainTransinfo, &p), S_OK);
    static_cast<IVNMainTransinfo*>(p)->Release();
    EXPECT_EQ(bill->QueryInterface(IID_IExistForm, &p), E_NOINTERFACE);
    EXPECT_EQ(bill->RefCount(), 1u);
}

} // namespace
