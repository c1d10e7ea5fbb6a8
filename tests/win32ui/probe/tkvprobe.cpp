// tkvprobe: reads the windows of another process under wine, for the workbench tests that drive the
// workbench with real input (xdotool) from outside. Controls are found by the names the renderer
// gives their windows; positions are printed in screen coordinates, which are the X display's.
//
//   tkvprobe wait CAPTION [MS]                  a visible top-level window with that caption exists
//   tkvprobe gone CAPTION [MS]                  no such window is left
//   tkvprobe point CAPTION CONTROL [right|at X|item N|row N]
//                                               screen point of the control (its centre; its right
//                                               end; X pixels from its left; its Nth child window;
//                                               row N of a list)
//   tkvprobe text CAPTION CONTROL               the control's text
//   tkvprobe shot CAPTION FILE.png              a screenshot of the window
//   tkvprobe dump CAPTION FILE                  every named control: name, class, text, client
//                                               rectangle, enabled, visible, glyphs; and the dialog
//                                               manager's tab order
//   tkvprobe close CAPTION                      asks the window to close
//   tkvprobe list TEXT                          the visible top-level windows whose caption holds TEXT
// Exit status 0 on success, 1 when the window or control is not there (after waiting).
#include "NativeWindows.h"
#include "Screenshot.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace uitest;

namespace {

struct CaptionMatch {
    std::wstring caption;
    HWND found = nullptr;
};

// Enumeration callbacks are named functions: the i686 build needs their stdcall convention.
BOOL CALLBACK MatchCaption(HWND w, LPARAM p) {
    auto* m = reinterpret_cast<CaptionMatch*>(p);
    wchar_t text[512] = {};
    GetWindowTextW(w, text, 512);
    if (IsWindowVisible(w) && m->caption == text) {
        m->found = w;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK PrintIfCaptionHolds(HWND w, LPARAM p) {
    const std::string text = WindowText(w);
    if (IsWindowVisible(w) && text.find(*reinterpret_cast<const std::string*>(p)) != std::string::npos) {
        RECT r;
        GetWindowRect(w, &r);
        std::printf("%s|%s|%ld,%ld,%ld,%ld|%s\n", text.c_str(), WindowClass(w).c_str(), r.left, r.top,
                    r.right - r.left, r.bottom - r.top, IsWindowEnabled(w) ? "enabled" : "disabled");
    }
    return TRUE;
}

HWND FindAnyTopLevel(const std::string& caption) {
    CaptionMatch match{Wide(caption)};
    EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&match));
    return match.found;
}

HWND WaitFor(const std::string& caption, int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    for (;;) {
        if (HWND w = FindAnyTopLevel(caption))
            return w;
        if (GetTickCount() > end)
            return nullptr;
        Sleep(50);
    }
}

void PrintPoint(HWND window, int x, int y) {
    POINT pt{x, y};
    ClientToScreen(window, &pt);
    std::printf("%ld %ld\n", pt.x, pt.y);
}

int Point(HWND form, const std::string& name, int argc, char** argv) {
    HWND control = FindControl(form, name);
    if (!control)
        return 1;
    RECT rc;
    GetClientRect(control, &rc);
    if (argc >= 1 && std::strcmp(argv[0], "right") == 0) {
        // The button at the right end of a button edit lies just past the edit window.
        RECT r;
        GetWindowRect(control, &r);
        std::printf("%ld %ld\n", r.right + 8, (r.top + r.bottom) / 2);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[0], "at") == 0) {
        PrintPoint(control, std::atoi(argv[1]), rc.bottom / 2);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[0], "item") == 0) {
        HWND child = GetWindow(control, GW_CHILD);
        for (int n = std::atoi(argv[1]); child && n > 0; --n)
            child = GetWindow(child, GW_HWNDNEXT);
        if (!child)
            return 1;
        GetClientRect(child, &rc);
        PrintPoint(child, rc.right / 2, rc.bottom / 2);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[0], "row") == 0) {
        // The list belongs to another process: its rows are the header's height apart from the
        // top, each as high as the list says an item is.
        const int row = std::atoi(argv[1]);
        const DWORD spacing = static_cast<DWORD>(SendMessageW(control, LVM_GETITEMSPACING, TRUE, 0));
        const int itemHeight = HIWORD(spacing) > 0 ? HIWORD(spacing) : 17;
        HWND header = reinterpret_cast<HWND>(SendMessageW(control, LVM_GETHEADER, 0, 0));
        RECT hr{};
        if (header)
            GetWindowRect(header, &hr);
        const int top = static_cast<int>(hr.bottom - hr.top);
        PrintPoint(control, 60, top + itemHeight * row + itemHeight / 2);
        return 0;
    }
    PrintPoint(control, rc.right / 2, rc.bottom / 2);
    return 0;
}

int Dump(HWND form, const std::string& file) {
    std::ofstream out(file, std::ios::binary);
    RECT client;
    GetClientRect(form, &client);
    out << "form|" << WindowText(form) << "|" << client.right << "x" << client.bottom << "\n";
    for (HWND w : Descendants(form)) {
        const std::string name = ControlName(w);
        if (name.empty())
            continue;
        const RECT r = RectIn(form, w);
        const std::string text = WindowText(w);
        out << name << "|" << WindowClass(w) << "|" << text << "|" << r.left << "," << r.top << ","
            << (r.right - r.left) << "," << (r.bottom - r.top) << "|"
            << (IsWindowEnabled(w) ? "enabled" : "disabled") << "|"
            << (IsWindowVisible(w) ? "visible" : "hidden") << "|"
            << (FontCovers(w, Wide(text)) ? "glyphs" : "MISSING-GLYPHS") << "\n";
    }
    out << "tab";
    for (const std::string& name : DialogTabOrder(form))
        out << " " << name;
    out << "\n";
    return out ? 0 : 1;
}

} // namespace

int main() {
    // The arguments as UTF-8: main's 8-bit arguments would be in the system code page.
    int argc = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i)
        args.push_back(Utf8(wide[i]));
    LocalFree(wide);
    std::vector<char*> pointers;
    for (std::string& a : args)
        pointers.push_back(a.data());
    char** argv = pointers.data();
    if (argc < 3)
        return 2;
    const std::string command = argv[1], caption = argv[2];
    if (command == "list") {
        // Every visible top-level window whose caption contains the text.
        EnumWindows(PrintIfCaptionHolds, reinterpret_cast<LPARAM>(&caption));
        return 0;
    }
    const int waitMs = argc > 3 && (command == "wait" || command == "gone") ? std::atoi(argv[3]) : 10000;
    if (command == "gone") {
        const DWORD end = GetTickCount() + static_cast<DWORD>(waitMs);
        while (FindAnyTopLevel(caption)) {
            if (GetTickCount() > end)
                return 1;
            Sleep(50);
        }
        return 0;
    }
    HWND form = WaitFor(caption, waitMs);
    if (!form) {
        std::fprintf(stderr, "tkvprobe: no window %s\n", caption.c_str());
        return 1;
    }
    if (command == "wait")
        return 0;
    if (command == "point" && argc >= 4)
        return Point(form, argv[3], argc - 4, argv + 4);
    if (command == "text" && argc >= 4) {
        HWND control = FindControl(form, argv[3]);
        if (!control)
            return 1;
        std::printf("%s\n", WindowText(control).c_str());
        return 0;
    }
    if (command == "shot" && argc >= 4)
        return SaveWindowPng(form, argv[3]) ? 0 : 1;
    if (command == "dump" && argc >= 4)
        return Dump(form, argv[3]);
    if (command == "close") {
        PostMessageW(form, WM_CLOSE, 0, 0);
        return 0;
    }
    return 2;
}
