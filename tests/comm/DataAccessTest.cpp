// Data functions: what goes to the host and how the result-set packet reaches the dataset.
#include "comm/DataAccess.h"
#include "comm/Exception.h"
#include "comm/MockMainIntf.h"
#include "comm/ModuleState.h"
#include "framework/DataPacket.h"

#include <gtest/gtest.h>

namespace tkv {
namespace {

using ::testing::_;
using ::testing::DoAll;
using ::testing::Return;
using ::testing::SetArgReferee;
using ::testing::StrictMock;

OleVariant PacketOf(int rows) {
    TClientDataSet ds;
    ds.AddFieldDef("id", TFieldType::ftInteger);
    ds.AddFieldDef("name", TFieldType::ftString, 20);
    ds.CreateDataSet();
    for (int i = 1; i <= rows; ++i)
        ds.AppendRecord({OleVariant(i), OleVariant("行" + std::to_string(i))});
    return PacketToVariant(WriteDataPacket(ds));
}

class DataAccessTest : public ::testing::Test {
protected:
    void SetUp() override { ModuleState().VNMainintf = host; }

    TModuleScope scope;
    StrictMock<test::TMockMainIntf>* host = new StrictMock<test::TMockMainIntf>;
};

TEST_F(DataAccessTest, OpenSQLLoadsThePacketAndAnswersTheHost) {
    EXPECT_CALL(*host, OpenSql("select 1", _)).WillOnce(DoAll(SetArgReferee<1>(PacketOf(2)), Return(true)));
    TClientDataSet ds;
    EXPECT_TRUE(OpenSQL("select 1", ds));
    ASSERT_TRUE(ds.Active());
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(ds.FieldByName("NAME").AsString(), "行1");
}

TEST_F(DataAccessTest, OpenSQLLoadsEvenWhenTheHostAnswersFalse) {
    EXPECT_CALL(*host, OpenSql(_, _)).WillOnce(DoAll(SetArgReferee<1>(PacketOf(1)), Return(false)));
    TClientDataSet ds;
    EXPECT_FALSE(OpenSQL("select 1", ds));
    EXPECT_TRUE(ds.Active());
    EXPECT_EQ(ds.RecordCount(), 1);
}

TEST_F(DataAccessTest, PacketWithoutRowsOpensEmptyAndNullPacketLeavesItClosed) {
    EXPECT_CALL(*host, OpenSql(_, _))
        .WillOnce(DoAll(SetArgReferee<1>(PacketOf(0)), Return(true)))
        .WillOnce(DoAll(SetArgReferee<1>(OleVariant::Null()), Return(true)));
    TClientDataSet ds;
    OpenSQL("a", ds);
    EXPECT_TRUE(ds.Active());
    EXPECT_EQ(ds.RecordCount(), 0);
    OpenSQL("b", ds); // the previous rows and fields are discarded
    EXPECT_FALSE(ds.Active());
    EXPECT_EQ(ds.RecordCount(), 0);
    EXPECT_EQ(ds.FieldCount(), 0);
}

TEST_F(DataAccessTest, UnusablePacketRaisesTheDatasetError) {
    EXPECT_CALL(*host, OpenSql(_, _)).WillOnce(DoAll(SetArgReferee<1>(OleVariant(5)), Return(true)));
    TClientDataSet ds;
    EXPECT_THROW(OpenSQL("a", ds), EDatabaseError);
}

TEST_F(DataAccessTest, HostErrorsAreNotCaught) {
    EXPECT_CALL(*host, ExecuteSQL("bad")).WillOnce([](const std::string&) -> bool {
        throw std::runtime_error("host says no");
    });
    EXPECT_THROW(ExecuteSQL("bad"), std::runtime_error);
}

TEST_F(DataAccessTest, ExecuteSQLAnswersTheHost) {
    EXPECT_CALL(*host, ExecuteSQL("update x")).WillOnce(Return(true)).WillOnce(Return(false));
    EXPECT_TRUE(ExecuteSQL("update x"));
    EXPECT_FALSE(ExecuteSQL("update x"));
}

TEST_F(DataAccessTest, OpenProcByNamePassesNamesAndValuesUnchanged) {
    const StringArray names{"@brec", "@VoiceCode"};
    const VariantArray values{OleVariant(7), OleVariant("FP001")};
    EXPECT_CALL(*host, OpenProcByName("Zk_TkGetJobLink", names, values, _))
        .WillOnce(DoAll(SetArgReferee<3>(PacketOf(3)), Return(-2)));
    TClientDataSet ds;
    EXPECT_EQ(OpenProcByName("Zk_TkGetJobLink", names, values, ds), -2);
    EXPECT_EQ(ds.RecordCount(), 3);
}

OleVariant OutputPacket() {
    TParams params;
    params.Add(TParam{"@voiceid", OleVariant(42), TFieldType::ftInteger, TParamType::ptInputOutput});
    params.Add(TParam{"@msg", OleVariant("好"), TFieldType::ftString, TParamType::ptOutput, 50});
    return PackageParams(params);
}

TParams PreviousList() {
    TParams list;
    list.Add(TParam{"@old", OleVariant(1)});
    return list;
}

TEST_F(DataAccessTest, ExecuteProcByNameUnpacksTheOutputParameters) {
    EXPECT_CALL(*host,
                ExecuteProcByName("zk_SaveTkVoice", StringArray{"@voiceid"}, VariantArray{OleVariant(0)}, _))
        .WillOnce(DoAll(SetArgReferee<3>(OutputPacket()), Return(1)));
    TParams out = PreviousList();
    EXPECT_EQ(ExecuteProcByName("zk_SaveTkVoice", {"@voiceid"}, {OleVariant(0)}, &out), 1);
    ASSERT_EQ(out.Count(), 2); // the previous content is replaced
    EXPECT_EQ(out.ParamByName("@VOICEID").Value.AsInteger(), 42);
    EXPECT_EQ(out.ParamByName("@voiceid").ParamType, TParamType::ptInputOutput);
    EXPECT_EQ(out.ParamByName("@msg").Value.AsString(), "好");
    EXPECT_EQ(out.ParamByName("@msg").Size, 50);
}

TEST_F(DataAccessTest, ExecuteProcByNameWithoutAListIgnoresThePacket) {
    EXPECT_CALL(*host, ExecuteProcByName(_, _, _, _))
        .WillOnce(DoAll(SetArgReferee<3>(OutputPacket()), Return(0)));
    EXPECT_EQ(ExecuteProcByName("p", {"@a"}, {OleVariant(1)}), 0);
}

TEST_F(DataAccessTest, NullOrUnusablePacketLeavesTheListAsItWas) {
    EXPECT_CALL(*host, ExecuteProcByName(_, _, _, _))
        .WillOnce(DoAll(SetArgReferee<3>(OleVariant::Null()), Return(3)))
        .WillOnce(DoAll(SetArgReferee<3>(OleVariant::VarArray({OleVariant(1)})), Return(3)))
        .WillOnce(Return(3)); // the packet stays empty
    for (int i = 0; i < 3; ++i) {
        TParams out = PreviousList();
        EXPECT_EQ(ExecuteProcByName("p", {"@a"}, {OleVariant(1)}, &out), 3);
        ASSERT_EQ(out.Count(), 1);
        EXPECT_EQ(out.Items(0).Name, "@old");
    }
}

TEST_F(DataAccessTest, OpenProcByNameWithOutputsLoadsBothPackets) {
    EXPECT_CALL(*host, OpenProcByName("zk_TkGetVoiceCodeImage", _, _, _, _))
        .WillOnce(DoAll(SetArgReferee<3>(PacketOf(2)), SetArgReferee<4>(OutputPacket()), Return(5)));
    TClientDataSet ds;
    TParams out;
    EXPECT_EQ(OpenProcByName("zk_TkGetVoiceCodeImage", {"@VoiceCode"}, {OleVariant("A")}, ds, &out), 5);
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(out.Count(), 2);
}

TEST_F(DataAccessTest, OpenProcByNameWithoutAListStillUsesTheOutputForm) {
    EXPECT_CALL(*host, OpenProcByName("p", _, _, _, _))
        .WillOnce(DoAll(SetArgReferee<3>(PacketOf(1)), SetArgReferee<4>(OutputPacket()), Return(1)));
    TClientDataSet ds;
    EXPECT_EQ(OpenProcByName("p", {"@a"}, {OleVariant(1)}, ds, nullptr), 1);
    EXPECT_EQ(ds.RecordCount(), 1);
}

TEST_F(DataAccessTest, ParallelArraysOfDifferentLengthAreRefusedBeforeTheHost) {
    TClientDataSet ds;
    EXPECT_THROW(OpenProcByName("p", {"@a", "@b"}, {OleVariant(1)}, ds), Exception);
    EXPECT_THROW(ExecuteProcByName("p", {"@a"}, {}), Exception);
}

TEST_F(DataAccessTest, NoMainInterfaceIsAnError) {
    ModuleState().VNMainintf.Reset();
    TClientDataSet ds;
    EXPECT_THROW(OpenSQL("a", ds), Exception);
}

} // namespace
} // namespace tkv
