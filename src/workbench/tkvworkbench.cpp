// tkvworkbench: a Windows host for the plug-in, for developers and integrators. It binds the host
// framework's shared memory manager, connects to the reference host (tkvhost --serve), loads
// plug\TkvfpPlug.dll beside it with the system loader, reads its description, hands the transaction
// object its interfaces and builds its main-window menu from the plug-in's menu declarations.
//
// usage: tkvworkbench.exe --port N [--plugin PATH]
#include "HostTables.h"
#include "MainWindow.h"
#include "PluginLibrary.h"
#include "abi/BorlandMemory.h"
#include "abi/WideString.h"
#include "remote/RemoteMainintf.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

using namespace tkv;
using namespace tkv::workbench;

namespace {

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

int Fail(const std::string& message) {
    MessageBoxW(nullptr, abi::Utf8ToWide(message).c_str(), L"TkvfpPlug 工作台", MB_OK | MB_ICONERROR);
    return 1;
}

} // namespace

int main() {
    int port = 0;
    std::wstring pluginPath = ProgramFolder() + L"plug\\TkvfpPlug.dll";
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--port") == 0 && i + 1 < argc)
            port = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
        else if (std::wcscmp(argv[i], L"--plugin") == 0 && i + 1 < argc)
            pluginPath = argv[++i];
    }
    LocalFree(argv);
    if (port <= 0 || port > 65535)
        return Fail("usage: tkvworkbench.exe --port N [--plugin PATH]");

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    // The memory manager is the host framework's: loaded before the plug-in, which binds it too.
    if (!abi::BindBorlandMemory())
        return Fail("borlndmm.dll 无法加载");

    try {
        remote::TRemoteEnd end(remote::TConnection::Connect(static_cast<std::uint16_t>(port)));
        TMainWindow window;
        window.ServeUi(end);
        window.Log("参考宿主: 127.0.0.1:" + std::to_string(port));
        const auto showError = [&window](const std::string& message) {
            window.ShowError(message);
        };
        ComPtr<IVNMainintf> main =
            remote::NewRemoteMainintf(end, reinterpret_cast<WindowHandle>(window.Handle()));
        int result = 0;
        {
            TPluginLibrary plugin(pluginPath);
            const TPluginDescription description = plugin.Describe();
            window.SetPlugin(plugin, description);
            abi::RawMainintf* mainTable = NewMainintfTable(main, showError);
            abi::RawExistForm* existTable = NewExistFormTable();
            abi::RawReportIntf* reportTable = NewReportTable();
            plugin.Initialise(description.ProcName, mainTable, existTable, reportTable);
            ReleaseTable(mainTable);
            ReleaseTable(existTable);
            ReleaseTable(reportTable);
            result = window.Run();
        } // the plug-in unloads, releasing the host's interfaces while the host still answers
        return result;
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}
