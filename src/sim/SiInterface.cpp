// The stand-in insurance interface library ("SiInterface.dll"): the two entry points of the real
// library over the simulated service. Request and answer lines are code page 936.
#include "CodePage.h"
#include "InsuranceService.h"
#include "SimExport.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

tkv::sim::TInsuranceService& Service() {
    static tkv::sim::TInsuranceService service;
    return service;
}

// The caller's buffer holds 5000 bytes; the answer is cut to 4999 and always terminated.
constexpr std::size_t kOutBufferSize = 5000;

void WriteOut(char* outdata, const std::string& text) {
    const std::size_t n = std::min(text.size(), kOutBufferSize - 1);
    std::memcpy(outdata, text.data(), n);
    outdata[n] = '\0';
}

} // namespace

TKV_SIM_EXPORT std::int32_t TKV_SIM_CALL INIT() {
    Service().Reset();
    return 0;
}

TKV_SIM_EXPORT std::int32_t TKV_SIM_CALL BUSINESS_HANDLE(const char* indata, char* outdata) {
    if (!outdata)
        return -1;
    try {
        const tkv::sim::TSimAnswer answer = Service().Handle(tkv::sim::GbkToUtf8(indata ? indata : ""));
        WriteOut(outdata, tkv::sim::Utf8ToGbk(answer.Text));
        return answer.ReturnCode;
    } catch (const std::exception& e) {
        WriteOut(outdata, e.what());
        return -1;
    }
}
