// The host's reading of the plug-in's menu declarations, with the declarations the plug-in gives
// and with lines a host must pass over.
#include "workbench/MenuInfo.h"

#include <gtest/gtest.h>

using namespace tkv::workbench;

TEST(MenuInfoTest, ReadsThePluginsDeclarations) {
    const auto parents = ParseParentMenus("$$tkvmenu#10007=28,1,Tkv厂家发票管理\r\n");
    ASSERT_EQ(parents.size(), 1u);
    EXPECT_EQ(parents[0].Key, "tkvmenu");
    EXPECT_EQ(parents[0].PlugId, 10007);
    EXPECT_EQ(parents[0].Value1, 28);
    EXPECT_EQ(parents[0].Value2, 1);
    EXPECT_EQ(parents[0].Caption, "Tkv厂家发票管理");
    const auto entries = ParseMenuEntries(
        "10007=厂家品种发票图片关联管理,TkvjobLink\r\n10007=厂家品种发票图片打印,TkvPrint\r\n");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Caption, "厂家品种发票图片关联管理");
    EXPECT_EQ(entries[0].Export, "TkvjobLink");
    EXPECT_EQ(entries[1].PlugId, 10007);
    EXPECT_EQ(entries[1].Export, "TkvPrint");
}

TEST(MenuInfoTest, PassesOverLinesOfNeitherForm) {
    EXPECT_TRUE(
        ParseParentMenus("tkvmenu#10007=28,1,x\r\n$$menu#x=1,2,y\r\n$$m#1=1,2\r\n$$#1=1,2,c\r\n").empty());
    const auto entries =
        ParseMenuEntries("\r\nabc=标题,Export\r\n10007=,TkvPrint\r\n10007=标题,\r\n10007=a,b,Exp\n");
    ASSERT_EQ(entries.size(), 1u) << "only the last line is an entry";
    EXPECT_EQ(entries[0].Caption, "a,b") << "the export is after the last comma";
    EXPECT_EQ(entries[0].Export, "Exp");
}
