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

// The longest start of a code page 936 text that fits in limit bytes and ends between two
// characters (a lead byte 0x81 to 0xFE begins a two-byte character), so that a cut answer never
// ends in half a character.
std::size_t WholeCharacters(const std::string& text, std::size_t limit) {
    std::size_t n = 0;
    while (n < text.size()) {
        const auto lead = static_cast<unsigned char>(text[n]);
        const std::size_t width = lead >= 0x81 && lead <= 0xFE ? 2 : 1;
        if (n + width > limit)
            break;
        n += width;
    }
    return std::min(n, text.size());
}

void WriteOut(char* outdata, const std::string& text) {
    const std::size_t n = WholeCharacters(text, kOutBufferSize - 1);
    std::memcpy(outdata, text.data(), n);
    outdata[n] = '\0';
}

} // namespace

// Connects to the service; what the service holds stays, as it does for every client of a real one.
TKV_SIM_EXPORT std::int32_t TKV_SIM_CALL INIT() {
    Service();
    return 0;
}

// Not an entry point of the real library: the test harness's way to start each test against a
// service with empty records, as a fresh installation of the regional service would be.
TKV_SIM_EXPORT void TKV_SIM_CALL SimReset() {
    Service().Reset();
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
