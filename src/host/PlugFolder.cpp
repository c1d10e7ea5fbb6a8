// The plug-in's library file in the host's plug-in folder.
#include "PlugFolder.h"

namespace tkv::host {

TPlugFolderPlatform::TPlugFolderPlatform(std::filesystem::path plugFolder, std::function<TDateTime()> clock)
    : base_(NativePlatform()), plugFolder_(std::move(plugFolder)), clock_(std::move(clock)) {}

std::string TPlugFolderPlatform::ModuleFileName() {
    const std::u8string path = (plugFolder_ / "TkvfpPlug.dll").u8string();
    return std::string(path.begin(), path.end());
}

} // namespace tkv::host
