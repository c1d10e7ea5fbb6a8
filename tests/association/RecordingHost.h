// A host main interface that writes down every data call, picture call and message of the plug-in
// as one line of text each ("zk_SaveTkVoice @VoiceCode=s:FP1 @VoiceDate=d:46100 ..."), answers
// procedures from a table of return values, and raises where a test asks it to.
#pragma once

#include "comm/MockMainIntf.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tkv::test {

// A value with its kind: i: integer, s: text, d: number (day), t: date value, b: bytes, n: null.
std::string DescribeValue(const OleVariant& v);

class TRecordingHost : public ::testing::NiceMock<TMockMainIntf> {
public:
    TRecordingHost();

    std::vector<std::string> log;
    // Return values of procedures by name, taken in order; 0 when none is left.
    std::map<std::string, std::deque<std::int32_t>> returns;
    // Procedures (or "SQL", "SaveImage") that raise on their n-th call (1-based; 0 = every call).
    std::map<std::string, int> raiseOn;
    // What SaveImage answers: the result, and the ordinal and name it fills (numbered from these).
    bool saveImageResult = true;
    std::int32_t nextOrd = 1;
    // Output parameters and result packet of the next OpenProcByName with output parameters.
    OleVariant outputPacket;
    OleVariant resultPacket;
    // Bytes that GetImage answers per file name; a name without bytes answers null.
    std::map<std::string, std::vector<std::uint8_t>> store;

    // The lines that start with the procedure name.
    std::vector<std::string> Calls(const std::string& name) const;

private:
    void MaybeRaise(const std::string& name);
    std::map<std::string, int> counts_;
};

} // namespace tkv::test
