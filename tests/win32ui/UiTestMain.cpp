// The renderer test program: installs the Win32 runner, runs the cases (those whose name contains
// the first argument, when given) and ends with "N passed, M failed". Screenshots go to the folder
// in TKV_UI_ARTIFACTS (default: the current folder).
#include "UiCheck.h"
#include "ui/win32/Win32Runner.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace uitest {

std::string ArtifactPath(const std::string& name) {
    const char* folder = std::getenv("TKV_UI_ARTIFACTS");
    std::string path = folder && *folder ? folder : ".";
    if (path.back() != '\\' && path.back() != '/')
        path += '\\';
    return path + name;
}

} // namespace uitest

int main(int argc, char** argv) {
    SetProcessDPIAware();
    tkv::win32ui::InstallWin32Runner();
    return uitest::RunAll(argc > 1 ? argv[1] : "");
}
