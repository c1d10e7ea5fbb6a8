// File-open and folder dialogs and message boxes.
#include "SystemDialogs.h"

#include "platform/win32/Win32Text.h"

#include <commdlg.h>
#include <shlobj.h>

namespace tkv::win32ui {

namespace {

std::string Utf8(const std::wstring& text) {
    return win32::WideToUtf8(text.c_str(), text.size());
}

} // namespace

std::wstring DialogFilter(const std::string& filter) {
    std::wstring out = win32::Utf8ToWide(filter);
    for (wchar_t& c : out)
        if (c == L'|')
            c = L'\0';
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

std::vector<std::string> SplitSelection(const std::vector<wchar_t>& buffer) {
    std::vector<std::wstring> parts;
    for (std::size_t i = 0; i < buffer.size() && buffer[i] != L'\0';) {
        std::wstring part(&buffer[i]);
        i += part.size() + 1;
        parts.push_back(std::move(part));
    }
    std::vector<std::string> files;
    if (parts.size() == 1) {
        files.push_back(Utf8(parts.front()));
        return files;
    }
    std::wstring folder = parts.empty() ? std::wstring() : parts.front();
    if (!folder.empty() && folder.back() != L'\\')
        folder.push_back(L'\\');
    for (std::size_t i = 1; i < parts.size(); ++i)
        files.push_back(Utf8(folder + parts[i]));
    return files;
}

bool OpenFileDialog(HWND owner, const TOpenDialogOptions& options, std::vector<std::string>& files) {
    const std::wstring filter = DialogFilter(options.Filter);
    const std::wstring title = win32::Utf8ToWide(options.Title);
    const std::wstring defaultExt = win32::Utf8ToWide(options.DefaultExt);
    std::vector<wchar_t> buffer(options.MultiSelect ? 64 * 1024 : MAX_PATH * 4, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = options.Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                (options.FileMustExist ? OFN_FILEMUSTEXIST : 0) |
                (options.MultiSelect ? OFN_ALLOWMULTISELECT : 0);
    if (!GetOpenFileNameW(&ofn))
        return false;
    files = SplitSelection(buffer);
    return !files.empty();
}

bool BrowseForFolder(HWND owner, const std::string& title, std::string& folder) {
    const std::wstring caption = win32::Utf8ToWide(title);
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW bi{};
    bi.hwndOwner = owner;
    bi.pszDisplayName = display;
    bi.lpszTitle = caption.empty() ? nullptr : caption.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderW(&bi);
    if (!chosen)
        return false;
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (ok)
        folder = Utf8(path);
    return ok;
}

int MessageBoxUtf8(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    return MessageBoxW(owner, win32::Utf8ToWide(text).c_str(), win32::Utf8ToWide(caption).c_str(), flags);
}

} // namespace tkv::win32ui
