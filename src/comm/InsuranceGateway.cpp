// The insurance gateway: loading the library by the "FileName" setting, the guarded answer buffer,
// one request with its log block, and the answer's data text.
#include "InsuranceGateway.h"

#include "DateText.h"
#include "FloatText.h"
#include "ModuleState.h"
#include "Paths.h"
#include "Settings.h"
#include "StringFunctions.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

namespace tkv {

namespace {

const std::string kRule47(47, '-');

// The answer buffer: the 5000 bytes of the contract, zeroed, then a guard zone with a pattern. A
// library that writes past its 5000 bytes writes into the guard, which is checked afterwards, so
// it neither corrupts the plug-in nor makes it read past the buffer.
class TAnswerBuffer {
public:
    static constexpr std::size_t GuardSize = 64 * 1024;
    static constexpr char GuardByte = '\xA5';

    TAnswerBuffer() : bytes_(YBOutBufferSize + GuardSize, GuardByte) {
        std::fill(bytes_.begin(), bytes_.begin() + YBOutBufferSize, '\0');
    }
    char* Data() { return bytes_.data(); }

    // The terminated text in the buffer; false with the error text when the library broke the
    // contract.
    bool Text(std::string& text, std::string& error) const {
        if (std::any_of(bytes_.begin() + YBOutBufferSize, bytes_.end(),
                        [](char c) { return c != GuardByte; })) {
            error = YBAnswerTooLong;
            return false;
        }
        const void* end = std::memchr(bytes_.data(), 0, YBOutBufferSize);
        if (end == nullptr) {
            error = YBNoTerminator;
            return false;
        }
        text.assign(bytes_.data(), static_cast<const char*>(end));
        return true;
    }

private:
    std::vector<char> bytes_;
};

std::string LibraryFileName() {
    const std::string name = GetConfigValue("FileName");
    return name.empty() ? std::string("SiInterface.dll") : name;
}

void LogNow(const std::string& suffix) {
    if (ModuleState().ShowLog)
        AddLog(Format_DateTime(Platform().Now()) + suffix);
}

// The loaded library, loading it when it is not loaded yet; nullptr with ErrorInfo (logged) when
// its file is missing or the loader refuses it. The file test always uses the current name.
LibraryHandle InsuranceLibrary(std::string& ErrorInfo) {
    const std::string fileName = LibraryFileName();
    std::error_code ec;
    if (!std::filesystem::exists(Utf8Path(fileName), ec)) {
        ErrorInfo = YBFileMissing(fileName);
        AddLog(ErrorInfo);
        return nullptr;
    }
    TModuleState& m = ModuleState();
    if (m.InsuranceLibrary == nullptr)
        m.InsuranceLibrary = Platform().LoadLibrary(fileName);
    if (m.InsuranceLibrary == nullptr) {
        ErrorInfo = YBLoadFailed;
        AddLog(ErrorInfo);
    }
    return m.InsuranceLibrary;
}

} // namespace

std::string YBFileMissing(const std::string& fileName) {
    return "文件" + fileName + "没有找到！";
}

std::string YBEntryMissing(const std::string& entryName) {
    return "医保接口没有" + entryName + "函数";
}

void FormatInputData(const std::string& data, std::string& indata, bool IsSp) {
    if (indata.empty())
        indata = data;
    else
        indata += (IsSp ? ";" : "|") + data;
}

void AddLog(const std::string& Msg) {
    try {
        TModuleState& m = ModuleState();
        if (!m.ShowLog)
            return;
        if (!m.LogList)
            m.LogList = std::make_unique<TGatewayLog>();
        m.LogList->Add(Utf8Path(AddBackSlash(DataPath()) + "cqybPross.log"), Platform().Utf8ToAnsi(Msg));
    } catch (const std::exception&) {
        // No data folder: the line is lost, the request goes on.
    }
}

std::int32_t YBInit(std::string& ErrorInfo) {
    ErrorInfo.clear();
    LogNow("初始化:");
    const LibraryHandle library = InsuranceLibrary(ErrorInfo);
    if (library == nullptr)
        return -1;
    const auto init = reinterpret_cast<TSiInitProc>(Platform().GetProcAddress(library, "INIT"));
    if (init == nullptr) {
        ErrorInfo = YBEntryMissing("INIT");
        AddLog(ErrorInfo);
        AddLog(kRule47);
        return -1;
    }
    const std::int32_t result = init();
    AddLog(result == 0 ? "初始化成功" : "初始化失败");
    AddLog(kRule47);
    return result;
}

std::int32_t YBBUSINESS_HANDLE(const std::string& inputData, std::string& outputData,
                               std::string& ErrorInfo) {
    outputData.clear();
    ErrorInfo.clear();
    LogNow(std::string());
    const LibraryHandle library = InsuranceLibrary(ErrorInfo);
    if (library == nullptr)
        return -1;
    const std::size_t bar = inputData.find('|');
    const std::string transcode = bar == std::string::npos ? std::string() : inputData.substr(0, bar);
    AddLog("业务代码:" + transcode);
    const auto handle =
        reinterpret_cast<TSiBusinessProc>(Platform().GetProcAddress(library, "BUSINESS_HANDLE"));
    if (handle == nullptr) {
        ErrorInfo = YBEntryMissing("BUSINESS_HANDLE");
        AddLog(ErrorInfo);
        AddLog(kRule47);
        return -1;
    }
    const std::string request = Platform().Utf8ToAnsi(inputData);
    TAnswerBuffer buffer;
    const std::int32_t called = handle(request.c_str(), buffer.Data());
    std::string raw;
    std::int32_t result = -1;
    if (!buffer.Text(raw, ErrorInfo)) {
        AddLog(ErrorInfo);
    } else {
        raw = Platform().AnsiToUtf8(raw);
        std::string answer = raw;
        if (called != 0)
            ErrorInfo = answer;
        else if (GetBussOutData(answer, transcode)) {
            outputData = answer;
            result = 0;
        } else
            ErrorInfo = answer;
    }
    AddLog("输入参数:" + inputData);
    AddLog(result == 0 ? "接口调用成功:0" : "接口调用失败:" + std::to_string(result));
    AddLog("业务返回数据:" + raw);
    AddLog(kRule47);
    return result;
}

std::int32_t YBBUSINESS_HANDLE(const std::string& transcode, const std::string& inputData,
                               std::string& outputData, std::string& ErrorInfo) {
    if (transcode.empty())
        return -1;
    return YBBUSINESS_HANDLE(transcode + "|" + inputData, outputData, ErrorInfo);
}

bool GetBussOutData(std::string& outdata, const std::string& transcode) {
    std::string text = outdata;
    if (!text.empty() && text.back() == '|')
        text += ' ';
    std::string broken;
    for (char c : text)
        broken += c == '|' ? std::string("\r\n") : std::string(1, c);
    std::vector<std::string> lines = SplitLines(broken);
    if (lines.empty())
        return false;
    const bool success = StrToIntDef(lines.front(), 0) == 1;
    lines.erase(lines.begin());
    if (success && transcode == "07") {
        outdata.clear();
        for (const std::string& line : lines)
            outdata += line + "|";
    } else {
        outdata = JoinLines(lines);
    }
    return success;
}

} // namespace tkv
