// The workbench's main window, standing for the host application's: its menu bar carries the
// plug-in's parent menus and entries as the description declares them, a pick calls the export the
// entry names; the window's log shows the description and what the host did (reports written,
// bills shown). It also shows the host's user interface: message boxes, questions and the record
// choice, owned by whichever window of the workbench is active. Its own menu opens the retail window,
// where a till's sale calls the insurance hooks.
#pragma once

#include "MenuInfo.h"
#include "ObjectWindowProc.h"
#include "PluginLibrary.h"
#include "RetailSaleWindow.h"
#include "remote/RemoteEnd.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace tkv::workbench {

class TMainWindow {
public:
    TMainWindow();
    ~TMainWindow();
    TMainWindow(const TMainWindow&) = delete;
    TMainWindow& operator=(const TMainWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    // Builds the plug-in's menus; picks call the library's exports.
    void SetPlugin(TPluginLibrary& plugin, const TPluginDescription& description);
    // The handlers of the host's user interface calls.
    void ServeUi(remote::TRemoteEnd& end);
    void Log(const std::string& line);
    // The window dialogs and message boxes belong to: the active window of the workbench.
    HWND DialogOwner() const;
    void ShowError(const std::string& message) const;
    // Runs the message loop until the window is closed.
    int Run();

private:
    template <class Window>
    friend LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Layout();

    void ShowRetailSale();

    HWND hwnd_ = nullptr;
    HWND log_ = nullptr;
    std::wstring logText_;
    HWND status_ = nullptr;
    HFONT font_ = nullptr;
    TPluginLibrary* plugin_ = nullptr;
    std::vector<TMenuEntry> entries_;
    remote::TRemoteEnd* host_ = nullptr;
    std::unique_ptr<TRetailSaleWindow> retail_;
};

} // namespace tkv::workbench
