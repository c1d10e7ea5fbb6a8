// Binding a 100,000-row packet to the Win32 grid against loading that packet into the dataset,
// measured in the same run under wine: the packet of the management list's columns is loaded into
// a dataset (the bare figure), then that dataset is bound to the band grid of a shown window until
// the list view holds its rows (the renderer's figure). Rounds alternate; medians are compared.
// The goal: binding costs at most a tenth of loading. Binding 100 rows the same way shows what of
// it is the list view's fixed cost, whatever the number of rows. The first paint of the bound list (one
// screen of rows) is reported apart, with the same for 100 rows: it is the list view's fixed cost,
// whatever the number of rows.
#include "framework/DataSet.h"
#include "toolkit/BandGrid.h"
#include "toolkit/Form.h"
#include "ui/win32/Win32Runner.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace tkv;

namespace {

constexpr int kRows = 100000;
constexpr int kRounds = 7;

const char* const kFields[] = {"PUserCode", "PFullName", "standard",  "type",      "Area",   "Unit1",
                               "BUserCode", "BFullName", "jobnumber", "VoiceCode", "Comment"};

OleVariant Packet(int rows) {
    TClientDataSet ds;
    for (const char* f : kFields)
        ds.AddFieldDef(f, TFieldType::ftString, 60);
    ds.AddFieldDef("ImageCount", TFieldType::ftInteger);
    ds.AddFieldDef("id", TFieldType::ftInteger);
    ds.CreateDataSet();
    for (int i = 0; i < rows; ++i) {
        const std::string n = std::to_string(i);
        ds.AppendRecord({OleVariant("P" + n), OleVariant("阿莫西林胶囊 " + n), OleVariant("0.25g*24粒"),
                         OleVariant("胶囊剂"), OleVariant("重庆康源药业有限公司"), OleVariant("盒"),
                         OleVariant("GY" + n), OleVariant("国药控股重庆有限公司"), OleVariant("B2023" + n),
                         OleVariant("FP" + n), OleVariant("备注"), OleVariant(i % 5), OleVariant(i + 1)});
    }
    return ds.GetData();
}

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Bench {
    TForm form;
    TBandGrid* grid = nullptr;
    OleVariant packet;
    TClientDataSet small;
    std::vector<double> load, bind, paint, bindSmall, paintSmall;
    int round = 0;
    bool busy = false;
};

Bench* bench = nullptr;

// The enumeration callback is a named function: the i686 build needs its stdcall convention.
BOOL CALLBACK FindShownForm(HWND w, LPARAM p) {
    wchar_t cls[32] = {};
    GetClassNameW(w, cls, 32);
    if (lstrcmpW(cls, L"TkvForm") == 0 && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
    }
    return TRUE;
}

HWND ListWindow() {
    HWND form = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindShownForm, reinterpret_cast<LPARAM>(&form));
    return form ? FindWindowExW(form, nullptr, L"SysListView32", nullptr) : nullptr;
}

void CALLBACK Round(HWND, UINT, UINT_PTR, DWORD) {
    Bench& b = *bench;
    HWND list = ListWindow();
    if (b.busy || !list)
        return;
    b.busy = true;
    TClientDataSet ds;
    const double t0 = Now();
    ds.SetData(b.packet);
    const double t1 = Now();
    b.grid->SetDataSet(&ds);
    const double t2 = Now();
    UpdateWindow(list);
    b.load.push_back(t1 - t0);
    b.bind.push_back(t2 - t1);
    b.paint.push_back(Now() - t2);
    if (SendMessageW(list, 0x1004 /* LVM_GETITEMCOUNT */, 0, 0) != kRows)
        std::printf("the list shows %d rows, not %d\n", static_cast<int>(SendMessageW(list, 0x1004, 0, 0)),
                    kRows);
    b.grid->SetDataSet(nullptr); // the dataset goes with this round
    UpdateWindow(list);
    const double t3 = Now();
    b.grid->SetDataSet(&b.small);
    const double t4 = Now();
    UpdateWindow(list);
    b.bindSmall.push_back(t4 - t3);
    b.paintSmall.push_back(Now() - t4);
    b.grid->SetDataSet(nullptr);
    UpdateWindow(list);
    if (++b.round >= kRounds)
        b.form.Close();
    b.busy = false;
}

} // namespace

int main() {
    win32ui::InstallWin32Runner();
    Bench b;
    bench = &b;
    b.packet = Packet(kRows);
    b.small.SetData(Packet(100));
    b.form.SetCaption("grid bind bench");
    b.form.SetClientSize(1000, 600);
    b.grid = &b.form.Make<TBandGrid>("MainGrid");
    b.grid->SetAlign(TAlign::alClient);
    b.grid->ClearAllField();
    for (const char* f : kFields)
        b.grid->AddField(flNMemo, f, f, 90, true, "", false);
    b.grid->AddField(flNInt, "ImageCount", "ImageCount", 60, true, "", false);
    b.grid->AddField(flNInt, "id", "id", 60, false, "", false);
    b.grid->InitGridData();
    b.form.Realign();
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, Round);
    b.form.ShowModal();
    KillTimer(nullptr, timer);

    const double load = Median(b.load), bind = Median(b.bind);
    const auto range = [](const std::vector<double>& v) {
        return std::to_string(*std::min_element(v.begin(), v.end())) + ".." +
               std::to_string(*std::max_element(v.begin(), v.end()));
    };
    std::printf("packet of %d rows, %zu bytes, %d rounds\n", kRows, b.packet.AsBytes().size(), kRounds);
    std::printf("load into the dataset: median %.1f ms (range %s)\n", load, range(b.load).c_str());
    std::printf("bind to the Win32 grid: median %.2f ms (range %s)\n", bind, range(b.bind).c_str());
    std::printf("bind 100 rows the same way: median %.2f ms (range %s)\n", Median(b.bindSmall),
                range(b.bindSmall).c_str());
    std::printf("first paint of the bound list: median %.2f ms (range %s); with 100 rows: median %.2f ms "
                "(range %s)\n",
                Median(b.paint), range(b.paint).c_str(), Median(b.paintSmall), range(b.paintSmall).c_str());
    const double ratio = bind / load;
    std::printf("goal grid_bind_vs_load: %.4f (bound 0.1) %s\n", ratio, ratio <= 0.1 ? "met" : "missed");
    return 0;
}
