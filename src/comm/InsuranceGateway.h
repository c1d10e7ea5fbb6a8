// The gateway to the external insurance interface library (default "SiInterface.dll"): the only code
// that loads and calls it. A request is one line "code|field|field..." in the 8-bit code page; the
// library answers into the caller's 5000-byte buffer with "status|field|...", status "1" for
// success. Every step is written to the log "cqybPross.log" while logging is on. Texts in and out
// of these functions are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tkv {

// The entry points "INIT" and "BUSINESS_HANDLE" (stdcall on Windows).
#if defined(_WIN32)
#define TKV_SI_CALL __stdcall
#else
#define TKV_SI_CALL
#endif
using TSiInitProc = std::int32_t(TKV_SI_CALL*)();
using TSiBusinessProc = std::int32_t(TKV_SI_CALL*)(const char* indata, char* outdata);

// The answer buffer the library writes into: a terminated text of at most 4999 bytes.
constexpr std::size_t YBOutBufferSize = 5000;

// Texts of the gateway itself.
inline constexpr const char* YBLoadFailed = "接口加载失败";
inline constexpr const char* YBNoTerminator = "医保接口返回的数据没有结束符";
inline constexpr const char* YBAnswerTooLong = "医保接口返回的数据超过5000字节";
// "文件" + name + "没有找到！"
std::string YBFileMissing(const std::string& fileName);
// "医保接口没有" + name + "函数"
std::string YBEntryMissing(const std::string& entryName);

// Appends data to indata with a "|" separator (";" when IsSp); data becomes the whole text when
// indata is still empty, so an empty first field leaves no separator behind.
void FormatInputData(const std::string& data, std::string& indata, bool IsSp = false);

// One line of the gateway log (nothing while logging is off). Never raises: the log must not stop
// a request that the service has answered.
void AddLog(const std::string& Msg);

// Loads the library when needed and runs "INIT": its value, or -1 with ErrorInfo set.
std::int32_t YBInit(std::string& ErrorInfo);

// One request with the full line: 0 with the data text in outputData, or -1 with ErrorInfo.
std::int32_t YBBUSINESS_HANDLE(const std::string& inputData, std::string& outputData, std::string& ErrorInfo);
// One request of a business code with its fields; -1 at once for an empty code.
std::int32_t YBBUSINESS_HANDLE(const std::string& transcode, const std::string& inputData,
                               std::string& outputData, std::string& ErrorInfo);

// Turns an answer into its data text: the fields after the status, one per line ended by CR LF, or
// for "07" joined by "|" with a "|" after the last. True when the status is 1; an empty answer is
// false and stays as it is.
bool GetBussOutData(std::string& outdata, const std::string& transcode);

} // namespace tkv
