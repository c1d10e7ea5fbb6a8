// The system's dialogs and message boxes, UTF-8 in and out: the file-open dialog, the shell folder
// browser and the message boxes of the runner.
#pragma once

#include "toolkit/FormRunner.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tkv::win32ui {

bool OpenFileDialog(HWND owner, const TOpenDialogOptions& options, std::vector<std::string>& files);
bool BrowseForFolder(HWND owner, const std::string& title, std::string& folder);
// MessageBoxW with the text and caption; answers the button pressed.
int MessageBoxUtf8(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// The filter as the dialog takes it: "description|patterns|..." with NULs for the bars, ending in two.
std::wstring DialogFilter(const std::string& filter);
// The files a multiple-selection answer names: a folder followed by names, or one full path.
std::vector<std::string> SplitSelection(const std::vector<wchar_t>& buffer);

} // namespace tkv::win32ui
