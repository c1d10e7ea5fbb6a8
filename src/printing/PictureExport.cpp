// Picture export: folders, picture files, supplier archives and the edit window's subfolders.
#include "PictureExport.h"

#include "ExportNames.h"
#include "FpImagePrintCalls.h"
#include "ZipFiles.h"
#include "comm/Exception.h"
#include "comm/Messages.h"
#include "comm/Paths.h"
#include "platform/Platform.h"
#include "platform/WholeFile.h"
#include "toolkit/PathSelectEdit.h"

#include <filesystem>
#include <system_error>

namespace tkv {

namespace fs = std::filesystem;

namespace {

constexpr const char* kExportPathFile = "TKExportPath.ini";
constexpr const char* kSection = "set";

std::string ExportPathFile() {
    return AppPath() + kExportPathFile;
}

bool FolderExists(const std::string& folder) {
    std::error_code ec;
    return fs::is_directory(Utf8Path(folder), ec);
}

// Creates the folder with its parents when missing; true when it exists afterwards.
bool ForceFolder(const std::string& folder) {
    std::error_code ec;
    if (!FolderExists(folder))
        fs::create_directories(Utf8Path(folder), ec);
    return FolderExists(folder);
}

} // namespace

std::string ReadExportPath(const std::string& key) {
    return Platform().ReadProfileString(ExportPathFile(), kSection, key, std::string());
}

void WriteExportPath(const std::string& key, const std::string& folder) {
    Platform().WriteProfileString(ExportPathFile(), kSection, key, folder);
}

std::string GetExportFolder(TPathSelectEdit& edit) {
    std::string folder = edit.GetPath();
    if (folder.empty()) {
        edit.DoSelectPath();
        folder = edit.GetPath();
        if (folder.empty())
            return std::string();
    }
    if (!ForceFolder(folder)) {
        ShowError("路径无效,请检查", "错误");
        return std::string();
    }
    return folder;
}

void SavePictureFile(const TJPEGImage& picture, const std::string& file) {
    const std::vector<std::uint8_t>& bytes = picture.Bytes();
    if (!WriteFileWhole(Utf8Path(file),
                        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
        throw Exception("图片文件" + file + "无法写入");
}

bool ExportOneBrecImage(std::int32_t brec, const TPictFileList& pictures, const std::string& folder) {
    const std::string archive =
        ArchiveFileName(folder, GetBfullname(brec), ExportTimeStamp(Platform().Now()));
    const std::string temp = TempFolderName(folder);
    if (!ForceFolder(temp)) {
        ShowError("创建文件夹" + temp + "失败", "错误");
        return false;
    }
    const int n = pictures.Count();
    if (n == 0)
        return true; // a supplier whose pictures the store lacks: no archive, and nothing failed
    std::vector<std::string> files;
    for (int k = 1; k <= n; ++k) {
        files.push_back(JoinName(temp, NumberedPictureName(n, k)));
        SavePictureFile(pictures.Picture(k - 1), files.back());
    }
    if (ZipFiles(archive, files, true))
        return true;
    // The pictures stay in the temporary folder, so that nothing is lost; the user learns where.
    ShowError("生成压缩文件" + archive + "失败,图片保留在" + temp, "错误");
    return false;
}

std::string ExportPictureFolder(const std::string& folder, const std::string& productName,
                                const std::string& batchNumber, int m,
                                const std::vector<const TJPEGImage*>& pictures) {
    const std::string sub =
        ExportSubfolderName(folder, productName, batchNumber, ExportTimeStamp(Platform().Now()));
    ForceFolder(sub);
    for (std::size_t k = 1; k <= pictures.size(); ++k)
        SavePictureFile(*pictures[k - 1], JoinName(sub, NumberedPictureName(m, static_cast<int>(k))));
    return sub;
}

} // namespace tkv
