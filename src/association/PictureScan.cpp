// Release of the scanner's path text and its failure statuses.
#include "PictureScan.h"

#include "../comm/Exception.h"

#include <cstdio>
#include <cstdlib>

namespace tkv {

namespace {

void FreeText(char* text) {
    std::free(text);
}

TScanTextRelease currentRelease = FreeText;

} // namespace

void SetScanTextRelease(TScanTextRelease release) {
    currentRelease = release ? release : FreeText;
}

void ReleaseScanText(char* text) {
    if (text)
        currentRelease(text);
}

void CheckScanStatus(std::int32_t status) {
    if (status >= 0)
        return;
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(status));
    throw Exception(std::string("扫描组件返回错误 ") + code);
}

} // namespace tkv
