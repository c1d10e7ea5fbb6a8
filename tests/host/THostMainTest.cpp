// The host object against a real database file in a temporary folder: data calls, the errors the
// plug-in sees, pictures, printing, control preparation and the basic-data answers.
#include "host/HostSession.h"

#include "db/TempFolder.h"
#include "framework/DataSet.h"
#include "framework/Params.h"

#include <gtest/gtest.h>

namespace {

using namespace tkv;
using namespace tkv::host;

class THostMainTest : public ::testing::Test {
protected:
    tkv::host::testing::TempFolder tmp;
    std::unique_ptr<THostSession> session;
    IVNMainintf* host = nullptr;
    void SetUp() override {
        session = std::make_unique<THostSession>(THostOptions{tmp.Path() / "data", tmp.Path() / "out"});
        host = session->Main();
    }
};

TEST_F(THostMainTest, OpenSqlAnswersAResultSetPacket) {
    ASSERT_TRUE(
        host->ExecuteSQL("INSERT INTO btype (rec, typeid, usercode, fullname) VALUES (901, 'T901', 'C901', "
                         "'测试供应商')"));
    OleVariant packet;
    ASSERT_TRUE(host->OpenSql("SELECT rec, fullname FROM btype WHERE rec = 901", packet));
    TClientDataSet ds;
    ds.SetData(packet);
    ASSERT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(ds.FieldByName("fullname").AsString(), "测试供应商");
    EXPECT_EQ(ds.FieldByName("rec").AsInteger(), 901);
    ASSERT_TRUE(host->OpenSQL("SELECT fullname FROM btype WHERE rec = ?", {OleVariant(901)}, packet));
    ds.SetData(packet);
    EXPECT_EQ(ds.RecordCount(), 1);
}

TEST_F(THostMainTest, SqlErrorReachesThePlugInAsARuntimeErrorWithTheHostMessage) {
    OleVariant packet;
    try {
        host->OpenSql("SELECT * FROM no_such_table", packet);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(dynamic_cast<const HostError*>(&e), nullptr);
        EXPECT_NE(std::string(e.what()).find("no_such_table"), std::string::npos) << e.what();
        EXPECT_EQ(host->LastError(), e.what());
    }
    EXPECT_THROW(host->ExecuteSQL("UPDATE nothing SET x = 1"), HostError);
    // A call that works clears the last error.
    EXPECT_TRUE(host->OpenSql("SELECT 1 AS one", packet));
    EXPECT_EQ(host->LastError(), "");
}

TEST_F(THostMainTest, ProcedureCallErrorsAreHostErrors) {
    OleVariant out, rs;
    EXPECT_THROW(host->ExecuteProcByName("no_such_procedure", {"@a"}, {OleVariant(1)}, out), HostError);
    EXPECT_THROW(host->OpenProcByName("Zk_TkGetJobLink", {"@a", "@b"}, {OleVariant(1)}, rs), HostError);
    EXPECT_NE(host->LastError().find("Zk_TkGetJobLink"), std::string::npos) << host->LastError();
    // A parameter packet that is not one.
    EXPECT_THROW(host->OpenProcByName("Zk_TkGetJobLink", OleVariant("text"), rs), HostError);
}

TEST_F(THostMainTest, PacketFormPassesTheParametersByName) {
    TParams params;
    params.Add({"@a", OleVariant(1)});
    OleVariant out;
    // The same unknown procedure fails the same way through both forms.
    std::string viaNames, viaPacket;
    try {
        host->ExecuteProcByName("no_such_procedure", {"@a"}, {OleVariant(1)}, out);
    } catch (const HostError& e) {
        viaNames = e.what();
    }
    try {
        host->ExecuteProcByName("no_such_procedure", PackageParams(params), out);
    } catch (const HostError& e) {
        viaPacket = e.what();
    }
    EXPECT_FALSE(viaNames.empty());
    EXPECT_EQ(viaNames, viaPacket);
}

TEST_F(THostMainTest, PicturesThroughTheHost) {
    const OleVariant jpeg = OleVariant::ByteArray({0xFF, 0xD8, 0xFF, 0xE0, 9, 9, 0xFF, 0xD9});
    std::int32_t ord = 0;
    std::string name;
    ASSERT_TRUE(host->SaveImage(jpeg, ord, name));
    EXPECT_GT(ord, 0);
    EXPECT_FALSE(name.empty());
    OleVariant back = OleVariant::Null();
    host->GetImage(back, ord, name);
    EXPECT_EQ(back, jpeg);
    OleVariant absent = OleVariant::Null();
    host->GetImage(absent, ord + 1, TPictureStore::FileNameFor(ord + 1));
    EXPECT_TRUE(absent.IsNull());
    std::int32_t refusedOrd = 0;
    std::string refusedName;
    EXPECT_FALSE(host->SaveImage(OleVariant("not bytes"), refusedOrd, refusedName));
    EXPECT_THROW(host->GetImage(absent, 1, "../host.db"), HostError);
    EXPECT_TRUE(absent.IsNull());
    host->DeleteImage(ord, name);
    host->GetImage(absent, ord, name);
    EXPECT_TRUE(absent.IsNull());
}

TEST_F(THostMainTest, PictureTheStoreRefusesAnswersNoOrdinalAndNoName) {
    std::int32_t ord = 0;
    std::string name;
    ASSERT_TRUE(host->SaveImage(OleVariant::ByteArray({0xFF, 0xD8, 0xFF, 0xD9}), ord, name));
    OleVariant out;
    ASSERT_GT(host->ExecuteProcByName("zk_TkNewSaveImage", {"@ord", "@filname"},
                                      {OleVariant(ord), OleVariant(name)}, out),
              0);
    // The variables still hold the stored picture's pair when the next picture is refused.
    EXPECT_FALSE(host->SaveImage(OleVariant::ByteArray({'B', 'M', 0, 0}), ord, name));
    EXPECT_EQ(ord, 0);
    EXPECT_EQ(name, "");
    EXPECT_EQ(host->ExecuteProcByName("zk_TkNewSaveImage", {"@ord", "@filname"},
                                      {OleVariant(ord), OleVariant(name)}, out),
              0);
    ord = 5;
    name = "IMG00000005.jpg";
    EXPECT_FALSE(host->SaveImage(OleVariant("not bytes"), ord, name));
    EXPECT_EQ(ord, 0);
    EXPECT_EQ(name, "");
}

TEST_F(THostMainTest, RunPrintManagePrintsThePacketRows) {
    TClientDataSet ds;
    ds.AddFieldDef("billcode", TFieldType::ftString, 20);
    ds.AddFieldDef("total", TFieldType::ftFloat);
    ds.CreateDataSet();
    for (int i = 0; i < 3; ++i)
        ds.AppendRecord({OleVariant("JH-" + std::to_string(i)), OleVariant(i * 1.5)});
    host->RunPrintManage("发票打印.rpt", nullptr, ds.GetData(), false);
    ASSERT_EQ(session->Printer().Printed().size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(session->Printer().Printed()[0]));
    EXPECT_EQ(session->Printer().Printed()[0].parent_path(), tmp.Path() / "out" / "prints");
    // A value that is not a packet is an error the plug-in sees.
    EXPECT_THROW(host->RunPrintManage("x.rpt", nullptr, OleVariant("no packet"), false), std::runtime_error);
    EXPECT_EQ(session->Printer().Printed().size(), 1u);
}

class FakeControl : public TInterfacedObject<IHostControl> {
public:
    FakeControl(THostControlKind kind, TBasicType type) : kind_(kind), type_(type) {}
    std::int32_t QueryInterface(const TGUID&, void** obj) override {
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    THostControlKind Kind() override { return kind_; }
    std::string ClassName() override { return "TSelectorEdit"; }
    std::string Name() override { return "edtSupplier"; }
    TBasicType BasicType() override { return type_; }
    void SetSelectHandler(IRecordSelectHandler* h) override { handler = h; }
    void SetBasicLookup(IBasicDataLookup* l) override { lookup = l; }
    ComPtr<IRecordSelectHandler> handler;
    ComPtr<IBasicDataLookup> lookup;

private:
    THostControlKind kind_;
    TBasicType type_;
};

TEST_F(THostMainTest, SelectorEditsReceiveSelectionAndLookupBackedByTheDatabase) {
    ASSERT_TRUE(
        host->ExecuteSQL("INSERT INTO btype (rec, typeid, usercode, fullname) VALUES (902, 'T902', 'ZZ902', "
                         "'江北测试医药')"));
    ComPtr<FakeControl> edit(new FakeControl(THostControlKind::ckSelectorEdit, btBtype));
    ComPtr<FakeControl> grid(new FakeControl(THostControlKind::ckBandGrid, btNo));
    host->InitGLabelBtnEdit(edit.Get());
    host->InitBandGrid(grid.Get());
    host->InitGBitbtn(nullptr);
    ASSERT_TRUE(edit->handler);
    ASSERT_TRUE(edit->lookup);
    EXPECT_FALSE(grid->handler);
    TSelectRequest req;
    req.BasicType = btBtype;
    req.Mode = TSelectMode::smKey;
    req.SearchText = "ZZ902";
    const TSelectResult res = edit->handler->SelectRecords(req);
    ASSERT_EQ(res.Count, 1);
    EXPECT_EQ(res.Records[0].Rec, 902);
    EXPECT_EQ(res.Records[0].TypeId, "T902");
    EXPECT_EQ(res.Records[0].FullName, "江北测试医药");
    std::string name;
    ASSERT_TRUE(edit->lookup->FieldValue(flBFullName, 902, name));
    EXPECT_EQ(name, "江北测试医药");
    EXPECT_EQ(session->Main()->PreparedControls(),
              (std::vector<std::string>{"InitGLabelBtnEdit:edtSupplier", "InitBandGrid:edtSupplier"}));
}

TEST_F(THostMainTest, BasicLocalValueFromTheProductTable) {
    ASSERT_TRUE(
        host->ExecuteSQL("INSERT INTO ptype (rec, typeid, usercode, fullname, Unit1, ss_dm) VALUES (903, "
                         "'P903', 'U903', '布洛芬缓释胶囊', '盒', 'X903')"));
    EXPECT_EQ(host->GetBasicLocalValue(flPFullName, "P903"), "布洛芬缓释胶囊");
    EXPECT_EQ(host->GetBasicLocalValue(26, "P903"), "盒");
    EXPECT_EQ(host->GetBasicLocalValue(flPFullName, "nope"), "");
}

TEST_F(THostMainTest, HostServicesOfASmallHost) {
    session->Main()->SetLogin("007", "王药师", 7);
    EXPECT_EQ(host->LoginUserName(), "王药师");
    EXPECT_EQ(host->LoginUserREC(), 7);
    EXPECT_NE(host->AppHandle(), 0u);
    host->ViewBill(34, 12, 7, true);
    ASSERT_EQ(session->Main()->ViewedBills().size(), 1u);
    EXPECT_EQ(session->Main()->ViewedBills()[0].BillId, 12);
    session->Ui().QueueAnswer(false);
    EXPECT_FALSE(host->YesOrNo("继续?", "选择"));
    host->ShowMsg("保存成功", "提示");
    ASSERT_EQ(session->Ui().Events().size(), 2u);
    EXPECT_EQ(session->Ui().Events()[1].Text, "保存成功");
    EXPECT_TRUE(host->SysCfgValue("nothing").IsNull());
    host->SetSubValue("k", OleVariant(3));
    EXPECT_EQ(host->SysCfgValue("k").AsInteger(), 3);
    host->SetSettingControlNames("Form1", "a,b");
    EXPECT_EQ(host->GetSettingControlNames("Form1"), "a,b");
    EXPECT_FALSE(host->UpdataSQLFromFile((tmp.Path() / "missing.sql").string()));
}

TEST_F(THostMainTest, ReopenedDatabaseKeepsWhatWasWritten) {
    ASSERT_TRUE(
        host->ExecuteSQL("INSERT INTO etype (rec, typeid, usercode, fullname) VALUES (904, 'E904', 'E904', "
                         "'李药师')"));
    session.reset();
    THostSession again(THostOptions{tmp.Path() / "data", tmp.Path() / "out"});
    EXPECT_EQ(again.Main()->GetBasicLocalValue(flEFullName, "E904"), "李药师");
}

// The association windows' calls through the host object, read back the way the windows read
// them: result sets loaded into a dataset and read by field name, output parameters unpacked into
// a parameter list.
class AssociationThroughTheHostTest : public THostMainTest {
protected:
    void SetUp() override {
        THostMainTest::SetUp();
        ASSERT_TRUE(host->ExecuteSQL(R"sql(
            INSERT INTO btype (rec, typeid, usercode, fullname) VALUES (1, 'B1', 'GY001', '重庆康源药业');
            INSERT INTO ptype (rec, typeid, usercode, fullname) VALUES (1, 'P1', 'SP001', '阿莫西林胶囊');
            INSERT INTO BillIndex (billid, billtype, billcode, billdate, brec, uniquebillid)
                VALUES (100, 34, 'JH-100', 46091, 1, 'U100');
            INSERT INTO BuyBill (buyid, billid, prec, jobnumber) VALUES (1001, 100, 1, 'A123');
        )sql"));
    }
    std::int32_t Execute(const std::string& proc, const StringArray& names, const VariantArray& values) {
        OleVariant out;
        return host->ExecuteProcByName(proc, names, values, out);
    }
    void Open(const std::string& proc, const StringArray& names, const VariantArray& values,
              TClientDataSet& ds) {
        OleVariant rows;
        host->OpenProcByName(proc, names, values, rows);
        ds.SetData(rows);
    }
    void LookUp(const std::string& code, std::int32_t voiceid, TClientDataSet& pool, TParams& out) {
        OleVariant rows, params;
        host->OpenProcByName(
            "zk_TkGetVoiceCodeImage", {"@voicecode", "@brec", "@voiceid", "@voicedate", "@bfullname"},
            {OleVariant(code), OleVariant(0), OleVariant(voiceid), OleVariant::Date(46106), OleVariant("")},
            rows, params);
        pool.SetData(rows);
        UnpackParams(params, out);
    }
};

TEST_F(AssociationThroughTheHostTest, SavedLinkReadsBackAsTheWindowsReadIt) {
    const std::int32_t voiceid =
        Execute("zk_SaveTkVoice", {"@VoiceCode", "@VoiceDate", "@brec", "@bfullname"},
                {OleVariant("FP-1"), OleVariant(46093.0), OleVariant(1), OleVariant("重庆康源药业")});
    ASSERT_GT(voiceid, 0);
    const OleVariant jpeg = OleVariant::ByteArray({0xFF, 0xD8, 0x01, 0xFF, 0xD9});
    std::int32_t ord = 0;
    std::string name;
    ASSERT_TRUE(host->SaveImage(jpeg, ord, name));
    const std::int32_t imageid =
        Execute("zk_TkNewSaveImage", {"@ord", "@filname"}, {OleVariant(ord), OleVariant(name)});
    ASSERT_GT(imageid, 0);
    Execute("zk_saveTkVoiceImage", {"@Voiceid", "@ImageId", "@ImageName", "@delete"},
            {OleVariant(voiceid), OleVariant(imageid), OleVariant(name), OleVariant(0)});
    const std::string key = "{3F2504E0-4F89-11D3-9A0C-0305E82C3301}";
    ASSERT_TRUE(host->ExecuteSQL("delete from t_tempVoiceLink where uid='" + key + "'"));
    Execute("zk_savetempVoiceLink", {"@Uid", "@imageId"}, {OleVariant(key), OleVariant(imageid)});
    Execute("zk_SaveJobLink", {"@billid", "@buyid", "@uid", "@voiceid"},
            {OleVariant(100), OleVariant(1001), OleVariant(key), OleVariant(voiceid)});
    ASSERT_TRUE(host->ExecuteSQL("delete from t_tempVoiceLink where uid='" + key + "'"));

    TClientDataSet list;
    Open("Zk_TkGetJobLink", {"@brec", "@prec", "@jobname", "@VoiceCode", "@begindate", "@enddate"},
         {OleVariant(0), OleVariant(0), OleVariant(""), OleVariant(""), OleVariant(46082.4),
          OleVariant(46112.6)},
         list);
    ASSERT_EQ(list.RecordCount(), 1);
    EXPECT_EQ(list.FieldByName("PFullName").AsString(), "阿莫西林胶囊");
    EXPECT_EQ(list.FieldByName("BFullName").AsString(), "重庆康源药业");
    EXPECT_EQ(list.FieldByName("Comment").AsString(), "");
    EXPECT_TRUE(list.FieldByName("OutFactoryDate").IsNull());
    EXPECT_EQ(list.FieldByName("ImageCount").AsInteger(), 1);
    EXPECT_EQ(list.FieldByName("voiceid").AsInteger(), voiceid);
    const std::int32_t linkid = list.FieldByName("id").AsInteger();

    TClientDataSet info, linked;
    Open("zk_TkGetJobInfo", {"@id"}, {OleVariant(linkid)}, info);
    ASSERT_EQ(info.RecordCount(), 1);
    EXPECT_EQ(info.FieldByName("prec").AsInteger(), 1);
    EXPECT_EQ(info.FieldByName("jobnumber").AsString(), "A123");
    EXPECT_TRUE(info.FieldByName("ValidityPeriod").IsNull());
    Open("zk_TkGetJobLinkImage", {"@id"}, {OleVariant(linkid)}, linked);
    ASSERT_EQ(linked.RecordCount(), 1);
    EXPECT_EQ(linked.FieldByName("imageid").AsInteger(), imageid);

    TClientDataSet pool;
    TParams out;
    LookUp("", voiceid, pool, out);
    EXPECT_EQ(out.ParamByName("@voiceid").Value.AsInteger(), voiceid);
    EXPECT_EQ(out.ParamByName("@voicecode").Value.AsString(), "FP-1");
    EXPECT_EQ(out.ParamByName("@brec").Value.AsInteger(), 1);
    EXPECT_EQ(out.ParamByName("@voicedate").Value.AsDouble(), 46093.0);
    ASSERT_EQ(pool.RecordCount(), 1);
    EXPECT_EQ(pool.FieldByName("ImageId").AsInteger(), imageid);
    OleVariant picture = OleVariant::Null();
    host->GetImage(picture, pool.FieldByName("ord").AsInteger(), pool.FieldByName("imgname").AsString());
    EXPECT_EQ(picture, jpeg);
}

} // namespace

namespace {

TEST(HostSession, DemoDataOnceAndMissingPictureFilesRegenerated) {
    tkv::host::testing::TempFolder tmp;
    THostSession session(THostOptions{tmp.Path() / "data", tmp.Path() / "out"});
    ASSERT_TRUE(session.SeedDemo());
    EXPECT_FALSE(session.SeedDemo());
    EXPECT_EQ(session.FillMissingPictures(), 0);
    const auto first = session.Pictures().Folder() / TPictureStore::FileNameFor(1);
    ASSERT_TRUE(std::filesystem::exists(first));
    std::filesystem::remove(first);
    EXPECT_EQ(session.FillMissingPictures(), 1);
    OleVariant picture = OleVariant::Null();
    session.Main()->GetImage(picture, 1, TPictureStore::FileNameFor(1));
    ASSERT_TRUE(picture.IsByteArray());
    EXPECT_EQ(picture.AsBytes()[0], 0xFF);
}

} // namespace
