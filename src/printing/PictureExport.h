// Picture export shared by the print window and the edit association window: the remembered export
// folders in "TKExportPath.ini" (section "set"; "IEPpath" of the print window, "EPpath" of the edit
// window) in the plug-in's folder, getting and checking the export folder, writing picture files,
// one supplier's archive, and the edit window's subfolder of chosen pictures.
#pragma once

#include "PictureCollection.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tkv {

class TPathSelectEdit;

constexpr const char* kPrintExportPathKey = "IEPpath";
constexpr const char* kEditExportPathKey = "EPpath";

// The folder remembered under the key; empty when unset.
std::string ReadExportPath(const std::string& key);
// Remembers the folder under the key. Raises when the settings file cannot be written.
void WriteExportPath(const std::string& key, const std::string& folder);
// Remembers a window setting through write; when the file cannot be written the work goes on and
// the user is told what was not remembered, once since the plug-in was loaded.
void RememberSetting(const std::function<void()>& write, const std::string& what);
// The export folder remembered under the key in that way.
void RememberExportPath(const std::string& key, const std::string& folder);

// The export folder of an export: the edit's text, or when it is empty the folder the user picks
// in the folder browser (empty when none is picked: the export ends silently). A missing folder is
// created with its parents; when it still does not exist, "路径无效,请检查" is shown and the answer
// is empty.
std::string GetExportFolder(TPathSelectEdit& edit);

// Writes the picture's stored data to the file, replacing a file of that name. Raises Exception
// when the file cannot be written whole.
void SavePictureFile(const TJPEGImage& picture, const std::string& file);

// One supplier's archive in the folder, named after the supplier and this moment, built through
// the temporary folder "temp" of the folder; the temporary pictures are deleted once the archive
// holds them. A temporary folder that cannot be made, and an archive that cannot be written, are
// told to the user as errors; false then. A supplier without pictures gets no archive. A picture
// file that cannot be written raises.
bool ExportOneBrecImage(std::int32_t brec, const TPictFileList& pictures, const std::string& folder);

// The edit window's export: the pictures, in the order given, written as m-1.jpg, m-2.jpg, ... into a
// new subfolder of the folder named after the product, the batch number and this moment. Answers
// the subfolder. Raises when the subfolder cannot be made or a file cannot be written.
std::string ExportPictureFolder(const std::string& folder, const std::string& productName,
                                const std::string& batchNumber, int m,
                                const std::vector<const TJPEGImage*>& pictures);

} // namespace tkv
