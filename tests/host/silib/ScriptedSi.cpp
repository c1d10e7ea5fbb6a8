// An insurance interface library for the gateway tests, loaded by the plug-in like the real one:
// it records every request line byte for byte and gives the answers the test queued, in order,
// including answers that break the buffer contract (longer than the buffer, no terminator); with
// no answer queued it answers "1". Built twice: with both entry points, and without
// "BUSINESS_HANDLE" (TKV_SI_INIT_ONLY).
#include "sim/SimExport.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#define TKV_TEST_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct TAnswer {
    std::int32_t ReturnCode = 0;
    std::string Bytes = "1";
    int Mode = 0; // 0 the bytes and a terminator; 1 the bytes repeated over the whole buffer, no terminator
};

struct TScript {
    std::int32_t InitValue = 0;
    std::deque<TAnswer> Answers;
    std::vector<std::string> Requests;
};

TScript& Script() {
    static TScript script;
    return script;
}

} // namespace

// The test's side.
TKV_TEST_EXPORT void SiScriptAnswer(std::int32_t returnCode, const char* bytes, std::size_t length,
                                    int mode) {
    Script().Answers.push_back({returnCode, std::string(bytes, length), mode});
}

TKV_TEST_EXPORT void SiScriptInit(std::int32_t value) {
    Script().InitValue = value;
}

// Request n (0 first) into out; its length, or -1 when there is no such request.
TKV_TEST_EXPORT std::ptrdiff_t SiRequest(std::size_t n, char* out, std::size_t capacity) {
    if (n >= Script().Requests.size())
        return -1;
    const std::string& r = Script().Requests[n];
    std::memcpy(out, r.data(), r.size() < capacity ? r.size() : capacity);
    return static_cast<std::ptrdiff_t>(r.size());
}

TKV_TEST_EXPORT std::size_t SiRequestCount() {
    return Script().Requests.size();
}

TKV_TEST_EXPORT void SiReset() {
    Script() = TScript{};
}

TKV_SIM_EXPORT std::int32_t TKV_SIM_CALL INIT() {
    return Script().InitValue;
}

#ifndef TKV_SI_INIT_ONLY
TKV_SIM_EXPORT std::int32_t TKV_SIM_CALL BUSINESS_HANDLE(const char* indata, char* outdata) {
    TScript& s = Script();
    s.Requests.emplace_back(indata);
    TAnswer a;
    if (!s.Answers.empty()) {
        a = s.Answers.front();
        s.Answers.pop_front();
    }
    if (a.Mode == 1) {
        for (std::size_t i = 0; i < 5000; ++i)
            outdata[i] = a.Bytes.empty() ? 'x' : a.Bytes[i % a.Bytes.size()];
    } else {
        std::memcpy(outdata, a.Bytes.data(), a.Bytes.size());
        outdata[a.Bytes.size()] = '\0';
    }
    return a.ReturnCode;
}
#endif
