// The workbench's connection end to end, natively: the forwarding main interface on one side of a
// loopback connection, the reference host serving on the other (a real database in a temporary
// folder). Data calls answer as the host object does, host errors arrive with their message, the
// host's questions and record choice are asked of the workbench's side, reports are named to it,
// and a selector edit prepared through the connection selects and looks up records of the host.
#include "host/HostServer.h"

#include "db/TempFolder.h"
#include "framework/DataSet.h"
#include "remote/HostMethods.h"
#include "remote/RemoteMainintf.h"
#include "toolkit/Form.h"
#include "toolkit/SelectorEdit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace {

using namespace tkv;
using namespace tkv::host;
using namespace tkv::remote;

class HostServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        TListener listener;
        std::thread accept([&] {
            server = std::make_unique<THostServer>(listener.Accept(),
                                                   THostOptions{tmp.Path() / "data", tmp.Path() / "out"});
        });
        client = std::make_unique<TRemoteEnd>(TConnection::Connect(listener.Port()));
        accept.join();
        server->Session().SeedDemo();
        serving = std::thread([this] { server->Serve(); });
        client->Handle(method::UiAsk, [this](const TValues& a) {
            asked.push_back(Arg(a, 0).AsString() + "|" + Arg(a, 1).AsString());
            return TValues{OleVariant(answer)};
        });
        client->Handle(method::UiShowMessage, [this](const TValues& a) {
            shown.push_back(Arg(a, 0).AsString() + "|" + Arg(a, 1).AsString());
            return TValues{};
        });
        client->Handle(method::UiChooseRecord, [this](const TValues& a) {
            choices.push_back(Arg(a, 0).AsString());
            return TValues{OleVariant(pick)};
        });
        client->Handle(method::UiReport, [this](const TValues& a) {
            reports.push_back(Arg(a, 0).AsString());
            return TValues{};
        });
        host = NewRemoteMainintf(*client, 0x1234);
    }
    void TearDown() override {
        host = nullptr;
        client->Close();
        serving.join();
    }

    tkv::host::testing::TempFolder tmp;
    std::unique_ptr<THostServer> server;
    std::unique_ptr<TRemoteEnd> client;
    std::thread serving;
    ComPtr<IVNMainintf> host;
    bool answer = true;
    std::int32_t pick = 0;
    std::vector<std::string> asked, shown, choices, reports;
};

TEST_F(HostServerTest, DataCallsAnswerAsTheHostObjectDoes) {
    OleVariant rs;
    const std::int32_t rc = host->OpenProcByName(
        "Zk_TkGetJobLink", {"@brec", "@prec", "@jobname", "@VoiceCode", "@begindate", "@enddate"},
        {OleVariant(0), OleVariant(0), OleVariant(""), OleVariant(""), OleVariant::Date(0),
         OleVariant::Date(99999)},
        rs);
    TClientDataSet remote;
    remote.SetData(rs);
    OleVariant direct;
    server->Session().Main()->OpenProcByName(
        "Zk_TkGetJobLink", {"@brec", "@prec", "@jobname", "@VoiceCode", "@begindate", "@enddate"},
        {OleVariant(0), OleVariant(0), OleVariant(""), OleVariant(""), OleVariant::Date(0),
         OleVariant::Date(99999)},
        direct);
    EXPECT_GE(rc, 0);
    EXPECT_GT(remote.RecordCount(), 0);
    EXPECT_TRUE(rs == direct) << "the packet arrives byte for byte";
    EXPECT_EQ(host->AppHandle(), 0x1234u) << "the main window is the workbench's own";
    EXPECT_EQ(host->LoginUserName(), "管理员");
}

TEST_F(HostServerTest, HostErrorsArriveWithTheHostsMessage) {
    OleVariant rs;
    try {
        host->OpenSql("SELECT * FROM no_such_table", rs);
        FAIL() << "no error";
    } catch (const ERemoteError& e) {
        EXPECT_NE(std::string(e.what()).find("no_such_table"), std::string::npos) << e.what();
    }
    EXPECT_NE(host->LastError().find("no_such_table"), std::string::npos);
}

TEST_F(HostServerTest, PicturesTravelToTheStoreAndBack) {
    const OleVariant::Bytes jpeg{0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3, 0xFF, 0xD9};
    std::int32_t ord = 0;
    std::string name;
    ASSERT_TRUE(host->SaveImage(OleVariant::ByteArray(jpeg), ord, name));
    EXPECT_GT(ord, 0);
    EXPECT_FALSE(name.empty());
    OleVariant back = OleVariant::Null();
    host->GetImage(back, ord, name);
    ASSERT_TRUE(back.IsByteArray());
    EXPECT_TRUE(back.AsBytes() == jpeg);
    OleVariant missing = OleVariant::Null();
    host->GetImage(missing, ord + 1000, "nope.jpg");
    EXPECT_TRUE(missing.IsNull());
}

TEST_F(HostServerTest, QuestionsAndMessagesAreAskedOfTheWorkbench) {
    answer = false;
    EXPECT_FALSE(host->Question("是否确认删除关联关系", "提示"));
    answer = true;
    EXPECT_TRUE(host->YesOrNo("是否确认保存退出?", "提示"));
    host->ShowMsg("保存成功", "提示");
    EXPECT_EQ(asked, (std::vector<std::string>{"是否确认删除关联关系|提示", "是否确认保存退出?|提示"}));
    EXPECT_EQ(shown, std::vector<std::string>{"保存成功|提示"});
}

TEST_F(HostServerTest, ReportsAreWrittenByTheHostAndNamedToTheWorkbench) {
    TClientDataSet ds;
    ds.AddFieldDef("billcode", TFieldType::ftString, 20);
    ds.CreateDataSet();
    ds.AppendRecord({OleVariant("JH-001")});
    host->RunPrintManage("厂家品种发票图片关联管理.rwx", nullptr, ds.GetData(), false);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(reports[0])) << reports[0];
    EXPECT_EQ(std::filesystem::path(reports[0]).extension(), ".pdf");
}

TEST_F(HostServerTest, SelectorEditPreparedThroughTheConnectionSelectsAndLooksUp) {
    TForm form;
    auto& supplier = form.Make<TSelectorEdit>("edit_Btype");
    supplier.SetBasicType(btBtype);
    supplier.SetFieldsList(flBFullName);
    host->InitGLabelBtnEdit(supplier.HostControl());
    ASSERT_TRUE(supplier.SelectHandler());
    ASSERT_TRUE(supplier.BasicLookup());
    pick = 1; // the second supplier of the list the host offers
    supplier.SetText("GY00");
    ASSERT_TRUE(supplier.SelectRecord(TSelectMode::smKey));
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_NE(choices[0].find("选择"), std::string::npos);
    EXPECT_EQ(supplier.Text(), "太极集团重庆桐君阁药厂");
    EXPECT_EQ(supplier.GetRec(), 2);
    supplier.SetRec(3);
    EXPECT_EQ(supplier.Text(), "国药控股重庆有限公司") << "SetRec looks the record up through the host";
    pick = -1;
    ASSERT_TRUE(supplier.SelectRecord(TSelectMode::smButton));
    EXPECT_EQ(supplier.GetRec(), 3) << "a cancelled choice changes nothing";
}
} // namespace
