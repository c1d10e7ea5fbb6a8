// The names of what picture export writes: archives of the print window, its temporary folder and
// pictures, the edit window's subfolders and pictures. The folder F is used as the user typed or
// chose it; supplier names, product names and batch numbers are made safe first, so that whatever
// they hold, every name lands inside F.
#pragma once

#include "framework/Variant.h"

#include <string>

namespace tkv {

// "yyyymmddhhmmss" of a local date and time, hours 00 to 23.
std::string ExportTimeStamp(TDateTime moment);

// The text made usable as a part of one file or folder name: characters that file systems refuse in
// names (control characters and < > : " / \ | ? *) become "_", and so does every dot of a leading
// dot or of a run of dots; a text that a system reserves for a device (CON, PRN, AUX, NUL, COM1 to
// COM9, LPT1 to LPT9, in any letter case, also before an extension) gets a "_" after its name.
// Letters of any script are kept.
std::string SafeNamePart(const std::string& text);

// The folder and the name joined with one path separator (none added when the folder ends in one).
std::string JoinName(const std::string& folder, const std::string& name);

// Supplier name + "-" + T, and for the second and later archives of that name " (2)", " (3)", ...,
// as Windows names a second copy of a file.
std::string ArchiveStem(const std::string& supplierName, const std::string& stamp, int copy = 1);
// F + "\" + supplier name + "-" + T + ".zip" (with the copy's number as ArchiveStem gives it).
std::string ArchiveFileName(const std::string& folder, const std::string& supplierName,
                            const std::string& stamp, int copy = 1);
// F + "\temp".
std::string TempFolderName(const std::string& folder);
// n + "-" + k + ".jpg": the picture k of n in a folder (temporary file and archive entry alike).
std::string NumberedPictureName(int n, int k);
// F + "\" + product name + "-" + batch number + "-" + T.
std::string ExportSubfolderName(const std::string& folder, const std::string& productName,
                                const std::string& batchNumber, const std::string& stamp);

} // namespace tkv
