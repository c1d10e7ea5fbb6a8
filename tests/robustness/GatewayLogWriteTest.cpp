// The insurance log when its whole rewrite fails part way (no room): a log that someone else changed
// is reloaded and written again whole, and a failed write keeps every line it held before.
#include "../platform/TempDir.h"
#include "WriteFaults.h"
#include "comm/GatewayLog.h"

#include <gmock/gmock.h>

namespace {

using namespace tkv;
using namespace tkv::test;
using ::testing::ElementsAre;

TEST(GatewayLogWrite, AReloadedLogCutShortKeepsItsLines) {
    TTempDir dir;
    const std::string file = dir.File("cqybPross.log");
    std::string before;
    for (int i = 0; i < 200; ++i)
        before += "2026-12-09 10:00:00 request " + std::to_string(i) + " answered\r\n";
    WriteBytes(file, before);
    TGatewayLog log;
    {
        TFileSizeLimit limit(4096);
        log.Add(file, "one more line");
    }
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_THAT(FolderNames(dir.Path()), ElementsAre("cqybPross.log"));
    log.Add(file, "after the fault");
    EXPECT_EQ(ReadBytes(file), before + "after the fault\r\n");
}

} // namespace
