// SendInput for keys and the mouse.
#include "UiInput.h"

#include <vector>

namespace uitest {

namespace {

INPUT Key(WORD vk, bool up, WORD scan = 0, DWORD flags = 0) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = scan;
    in.ki.dwFlags = flags | (up ? KEYEVENTF_KEYUP : 0);
    return in;
}

void Send(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT Mouse(DWORD flags, int x, int y) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>(x * 65535LL / (w - 1));
    in.mi.dy = static_cast<LONG>(y * 65535LL / (h - 1));
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return in;
}

} // namespace

void PressKey(WORD vk, bool shift, bool ctrl) {
    std::vector<INPUT> inputs;
    if (ctrl)
        inputs.push_back(Key(VK_CONTROL, false));
    if (shift)
        inputs.push_back(Key(VK_SHIFT, false));
    inputs.push_back(Key(vk, false));
    inputs.push_back(Key(vk, true));
    if (shift)
        inputs.push_back(Key(VK_SHIFT, true));
    if (ctrl)
        inputs.push_back(Key(VK_CONTROL, true));
    Send(inputs);
}

void TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        if (c >= L'0' && c <= L'9') {
            inputs.push_back(Key(static_cast<WORD>(c), false));
            inputs.push_back(Key(static_cast<WORD>(c), true));
        } else if (c >= L'A' && c <= L'Z') {
            inputs.push_back(Key(VK_SHIFT, false));
            inputs.push_back(Key(static_cast<WORD>(c), false));
            inputs.push_back(Key(static_cast<WORD>(c), true));
            inputs.push_back(Key(VK_SHIFT, true));
        } else if (c >= L'a' && c <= L'z') {
            inputs.push_back(Key(static_cast<WORD>(c - L'a' + L'A'), false));
            inputs.push_back(Key(static_cast<WORD>(c - L'a' + L'A'), true));
        } else {
            inputs.push_back(Key(0, false, c, KEYEVENTF_UNICODE));
            inputs.push_back(Key(0, true, c, KEYEVENTF_UNICODE));
        }
    }
    Send(inputs);
}

void ClickAt(HWND window, int x, int y, bool right, bool twice) {
    POINT pt{x, y};
    ClientToScreen(window, &pt);
    const DWORD down = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    // The pointer is put there first, the display's pointer with it (a window appearing under the
    // display's pointer would otherwise report the old place between the move and the buttons);
    // the buttons follow once the system has the pointer there.
    SetCursorPos(pt.x, pt.y);
    for (int tries = 0; tries < 50; ++tries) {
        POINT at{};
        GetCursorPos(&at);
        if (at.x == pt.x && at.y == pt.y)
            break;
        Sleep(10);
    }
    // Every button event carries the position itself. A button event without it lands wherever
    // the system's pointer is when it is taken from the queue, and wine may move that pointer in
    // between to where the display's pointer was before the warp (a stale motion of the display):
    // the click then went to another control, as seen for the first click of a test run.
    const DWORD move = MOUSEEVENTF_MOVE;
    std::vector<INPUT> inputs{Mouse(move, pt.x, pt.y), Mouse(move | down, pt.x, pt.y),
                              Mouse(move | up, pt.x, pt.y)};
    if (twice) {
        inputs.push_back(Mouse(move | down, pt.x, pt.y));
        inputs.push_back(Mouse(move | up, pt.x, pt.y));
    }
    Send(inputs);
}

void ClickCentre(HWND window, bool right, bool twice) {
    RECT rc;
    GetClientRect(window, &rc);
    ClickAt(window, rc.right / 2, rc.bottom / 2, right, twice);
}

} // namespace uitest
