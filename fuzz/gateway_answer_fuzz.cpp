// Answers of the insurance interface library: a stand-in "BUSINESS_HANDLE" writes the fuzz bytes
// into the plug-in's answer buffer, and the gateway checks the buffer, converts the text from code
// page 936 and turns it into its data text (GetBussOutData) as for a real request.
#include "FuzzInput.h"
#include "comm/InsuranceGateway.h"
#include "comm/ModuleState.h"
#include "platform/FakePlatform.h"
#include "platform/TempDir.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

// The answer the stand-in library writes, and what it returns.
std::string gAnswer;
std::int32_t gCalled = 0;

// The plug-in's buffer is 5000 bytes followed by its guard zone; a library that writes further than
// that corrupts the process whatever the plug-in does, so the stand-in stops at the guard's end.
constexpr std::size_t kMaxWrite = tkv::YBOutBufferSize + 64 * 1024;

std::int32_t TKV_SI_CALL FakeBusiness(const char*, char* outdata) {
    std::memcpy(outdata, gAnswer.data(), std::min(gAnswer.size(), kMaxWrite));
    return gCalled;
}

std::int32_t TKV_SI_CALL FakeInit() {
    return 0;
}

struct Installation {
    tkv::test::TTempDir dir;
    tkv::test::TFakePlatform platform;
    std::unique_ptr<tkv::test::TScopedPlatform> scope;

    Installation() {
        const std::string plug = dir.File("Plug");
        std::filesystem::create_directories(plug + "/PlugData");
        platform.moduleFileName = plug + "/TkvfpPlug.so";
        const std::string library = plug + "/SiInterface.dll";
        std::ofstream(library) << "stand-in";
        std::ofstream(plug + "/PlugData/cqyb.DAT") << "FileName=" << library << "\r\nYBLog=0\r\n";
        platform.AddLibrary(library, {{"BUSINESS_HANDLE", reinterpret_cast<void*>(&FakeBusiness)},
                                      {"INIT", reinterpret_cast<void*>(&FakeInit)}});
        scope = std::make_unique<tkv::test::TScopedPlatform>(platform);
        tkv::InitializeModuleState();
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static Installation installation;
    return 0;
}

// Input: business code LF return value of the call LF answer bytes as the library writes them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> f = tkv::fuzz::SplitFields(data, size, 2);
    const std::string& transcode = f[0];
    gCalled = f[1].empty() ? 0 : static_cast<std::int32_t>(f[1][0] - '0');
    gAnswer = f[2];

    std::string output, error;
    const std::int32_t result = tkv::YBBUSINESS_HANDLE(transcode, "0001|2023", output, error);
    if (result != 0 && result != -1)
        std::abort();
    if (result == 0 && !error.empty())
        std::abort();
    if (transcode.empty() && result != -1)
        std::abort();
    return 0;
}
