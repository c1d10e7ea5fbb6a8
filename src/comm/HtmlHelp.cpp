// Help through HHCTRL.OCX from the system folder; the cookie of the initialize command lives in the
// module state.
#include "HtmlHelp.h"

#include "../platform/Platform.h"
#include "Exception.h"
#include "ModuleState.h"
#include "Paths.h"

namespace tkv {

namespace {

THtmlHelpProc HelpEntry(LibraryHandle library) {
    return reinterpret_cast<THtmlHelpProc>(Platform().GetProcAddress(library, "HtmlHelpA"));
}

} // namespace

void CloseHtmlHelp() {
    TModuleState& m = ModuleState();
    if (m.HelpLibrary == nullptr)
        return;
    if (THtmlHelpProc entry = HelpEntry(m.HelpLibrary))
        entry(0, nullptr, HH_UNINITIALIZE, m.HelpCookie);
    Platform().FreeLibrary(m.HelpLibrary);
    m.HelpLibrary = nullptr;
}

WindowHandle HtmlHelp(WindowHandle hwndCaller, const std::string& strFile, std::uint32_t uCommand,
                      std::uintptr_t dwData) {
    CloseHtmlHelp();
    TModuleState& m = ModuleState();
    if (m.HelpLibrary == nullptr) {
        const std::string control = AddBackSlash(Platform().SystemFolder()) + "HHCTRL.OCX";
        m.HelpLibrary = Platform().LoadLibrary(control);
        if (m.HelpLibrary == nullptr)
            throw Exception("帮助系统没有安装!\r HTML格式的帮助不能显示!");
    }
    const THtmlHelpProc entry = HelpEntry(m.HelpLibrary);
    if (entry == nullptr)
        throw Exception("函数 HTMLHELP 不能调用!");
    entry(0, nullptr, HH_INITIALIZE, reinterpret_cast<std::uintptr_t>(&m.HelpCookie));
    const std::string file = strFile.empty() ? std::string("Tkv厂家发票管理插件帮助.chm") : strFile;
    const std::string path = Platform().Utf8ToAnsi(AppPath() + file);
    return entry(hwndCaller, path.c_str(), uCommand, dwData);
}

} // namespace tkv
