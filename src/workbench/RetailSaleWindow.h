// The workbench's retail window: a till's sale to an insured person, for trying the insurance
// hooks by hand in the order a till calls them. A new sale is rung up by the reference host; the
// buttons call the settings, the card reading and the card window, the pre-settlement and its
// withdrawal, the saving (BeforeSave, the host saving the bill with its payments, ssBalance) and
// the reversal. Every call and answer goes to the window's log.
#pragma once

#include "ObjectWindowProc.h"
#include "PluginLibrary.h"
#include "RetailBillTable.h"
#include "remote/RemoteEnd.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace tkv::workbench {

class TRetailSaleWindow {
public:
    TRetailSaleWindow(HWND owner, TPluginLibrary& plugin, remote::TRemoteEnd& host, TErrorDisplay showError);
    ~TRetailSaleWindow();
    TRetailSaleWindow(const TRetailSaleWindow&) = delete;
    TRetailSaleWindow& operator=(const TRetailSaleWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    void Show();

private:
    template <class Window>
    friend LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Command(int id);
    void Log(const std::string& line);
    // Rings up a new sale at the host and hands it to the transaction object.
    void NewSale();
    void Save();
    RawObject* Retail() const { return plugin_.RetailObject(); }

    HWND owner_;
    TPluginLibrary& plugin_;
    remote::TRemoteEnd& host_;
    TErrorDisplay showError_;
    HWND hwnd_ = nullptr;
    HWND bill_ = nullptr;
    HWND log_ = nullptr;
    HFONT font_ = nullptr;
    std::vector<HWND> buttons_;
    std::wstring logText_;
    std::shared_ptr<TSaleBill> sale_;
};

} // namespace tkv::workbench
