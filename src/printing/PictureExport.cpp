// Picture export: folders, picture files, supplier archives and the edit window's subfolders.
#include "PictureExport.h"

#include "ExportNames.h"
#include "FpImagePrintCalls.h"
#include "ZipFiles.h"
#include "comm/Exception.h"
#include "comm/Messages.h"
#include "comm/ModuleState.h"
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

void RememberSetting(const std::function<void()>& write, const std::string& what) {
    try {
        write();
    } catch (const std::exception&) {
        TModuleState& m = ModuleState();
        if (!m.UnrememberedToldOnce) {
            m.UnrememberedToldOnce = true;
            ShowMsg(what + "没有能记住：插件文件夹中的设置文件不能写入。工作照常进行，下次需要重新选择。",
                    "提示");
        }
    }
}

void RememberExportPath(const std::string& key, const std::string& folder) {
    RememberSetting([&] { WriteExportPath(key, folder); }, "导出文件夹");
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

namespace {

// Where one supplier's export goes: its archive, and the folder inside "temp" where its pictures
// wait for the archive, both named alike.
struct TArchivePlace {
    std::string Archive, PictureFolder;
};

// The first archive name of the supplier and this moment that neither an archive nor a picture
// folder of this or an earlier export holds: two suppliers of one name, or of names that become one
// once made safe, never write over each other's archive or kept pictures.
TArchivePlace FreeArchivePlace(const std::string& folder, const std::string& supplierName) {
    const std::string stamp = ExportTimeStamp(Platform().Now());
    for (int copy = 1;; ++copy) {
        TArchivePlace place{ArchiveFileName(folder, supplierName, stamp, copy),
                            JoinName(TempFolderName(folder), ArchiveStem(supplierName, stamp, copy))};
        std::error_code ec;
        if (!fs::exists(Utf8Path(place.Archive), ec) && !fs::exists(Utf8Path(place.PictureFolder), ec))
            return place;
    }
}

// Deletes the files and then their folder; answers the files that remain.
std::vector<std::string> DeleteTemporaryPictures(const std::vector<std::string>& files,
                                                 const std::string& folder) {
    std::vector<std::string> kept;
    for (const std::string& file : files) {
        std::error_code ec;
        fs::remove(Utf8Path(file), ec);
        if (ec || fs::exists(Utf8Path(file), ec))
            kept.push_back(file);
    }
    std::error_code ec;
    fs::remove(Utf8Path(folder), ec); // only when empty
    return kept;
}

} // namespace

bool ExportOneBrecImage(std::int32_t brec, const TPictFileList& pictures, const std::string& folder) {
    const std::string temp = TempFolderName(folder);
    if (!ForceFolder(temp)) {
        ShowError("创建文件夹" + temp + "失败", "错误");
        return false;
    }
    const int n = pictures.Count();
    if (n == 0)
        return true; // a supplier whose pictures the store lacks: no archive, and nothing failed
    const TArchivePlace place = FreeArchivePlace(folder, GetBfullname(brec));
    if (!ForceFolder(place.PictureFolder)) {
        ShowError("创建文件夹" + place.PictureFolder + "失败", "错误");
        return false;
    }
    std::vector<std::string> files;
    for (int k = 1; k <= n; ++k) {
        files.push_back(JoinName(place.PictureFolder, NumberedPictureName(n, k)));
        SavePictureFile(pictures.Picture(k - 1), files.back());
    }
    if (!ZipFiles(place.Archive, files, false)) {
        // The pictures stay in their temporary folder, so that nothing is lost; the user learns where.
        ShowError("生成压缩文件" + place.Archive + "失败,图片保留在" + place.PictureFolder, "错误");
        return false;
    }
    // The archive holds every picture: a temporary file left behind costs only room.
    const std::vector<std::string> kept = DeleteTemporaryPictures(files, place.PictureFolder);
    if (!kept.empty())
        ShowMsg("压缩文件" + place.Archive + "已生成,但" + std::to_string(kept.size()) +
                    "个临时图片文件无法删除,它们在" + place.PictureFolder + ",可以手工删除",
                "提示");
    return true;
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
