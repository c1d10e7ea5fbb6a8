// Window capture with BitBlt and PNG encoding with stb_image_write.
#include "Screenshot.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

#include <cstdio>
#include <vector>

namespace uitest {

namespace {

void Append(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

} // namespace

bool SaveWindowPng(HWND window, const std::string& path) {
    RECT rc;
    if (!GetWindowRect(window, &rc))
        return false;
    // Everything painted before it is read back; another process paints in its own time, so its
    // window is not invalidated under it.
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId())
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC source = GetWindowDC(window);
    const bool saved = SaveDcPng(source, rc.right - rc.left, rc.bottom - rc.top, path);
    ReleaseDC(window, source);
    return saved;
}

bool SaveDcPng(HDC source, int w, int h, const std::string& path) {
    if (w <= 0 || h <= 0)
        return false;
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, w, h, source, 0, 0, SRCCOPY | CAPTUREBLT) != FALSE;
    std::vector<unsigned char> rgb(static_cast<std::size_t>(w) * h * 3);
    const auto* bgra = static_cast<const unsigned char*>(bits);
    for (std::size_t i = 0; i < static_cast<std::size_t>(w) * h; ++i) {
        rgb[3 * i] = bgra[4 * i + 2];
        rgb[3 * i + 1] = bgra[4 * i + 1];
        rgb[3 * i + 2] = bgra[4 * i];
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    if (!copied)
        return false;
    std::vector<unsigned char> png;
    if (!stbi_write_png_to_func(Append, &png, w, h, 3, rgb.data(), w * 3))
        return false;
    const int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), n);
    FILE* f = _wfopen(wide.c_str(), L"wb");
    if (!f)
        return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    std::fclose(f);
    return written;
}

} // namespace uitest
