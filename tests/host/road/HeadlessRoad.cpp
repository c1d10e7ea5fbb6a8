// tkv_headless_road: steps 1 to 4 of the typical road driven through the plug-in's windows with the
// headless runner, against the reference host's database in the folder given: open the management
// window, "新增关联", detail mode from the first day of the previous month, the first supplier the
// selection offers, query, tick the first two batches, the QR record of invoice 31000001 (an
// invoice of the demo data) typed as a 2D reader types it, Enter, choose its first picture, load the
// picture file given, "确定", then "退出". The workbench test drives the same steps with real input
// and compares the rows. The picture file is written first (a generated invoice page without a
// code) when it does not exist, so that both runs load the same bytes, and the record the reader
// types into OUT-DIR/invoice-code.txt.
//
// usage: tkv_headless_road DATA-DIR OUT-DIR PICTURE.jpg
#include "comm/ModuleState.h"
#include "framework/DateTime.h"
#include "host/AssociationRoad.h"
#include "host/HostSession.h"
#include "plugin/Exports.h"
#include "sim/SimJpeg.h"
#include "toolkit/Keys.h"
#include "ui/headless/FormDriver.h"
#include "ui/headless/HeadlessRunner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace tkv;
using namespace tkv::host;

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: tkv_headless_road DATA-DIR OUT-DIR PICTURE.jpg\n", stderr);
        return 2;
    }
    try {
        THostSession session(THostOptions{argv[1], argv[2]});
        session.SeedDemo();
        session.FillMissingPictures();
        TModuleScope module;
        ComPtr<IRetailPlugin> plug = CreateRetailPlug();
        plug->InitPlugin(session.Main());
        plug->InitExistInterFace(session.ExistForm());
        plug->InitReportInterFace(session.Report());

        const TDateTime today = DateOf(session.Database().Now());
        const TDateTime lastMonth = StartOfMonth(StartOfMonth(today) - 1);
        const std::string picture = argv[3];
        if (!std::filesystem::exists(picture))
            sim::WriteFileBytes(picture, sim::InvoicePageJpeg(1240, 1754, 20261209));
        const std::string record = ReaderRecordOf(session, "31000001");
        std::ofstream(std::filesystem::path(argv[2]) / "invoice-code.txt") << record;
        THeadlessRunner runner;
        runner.Expect("TPtypeDz", [&](TFormDriver& d) {
            d.Click("btn_Add");
            d.Click("btn_Exit");
        });
        runner.Expect("TFpImageFrm", [&](TFormDriver& d) {
            d.ChooseItem("rg_Mode", "选明细");
            d.ChooseDate("Begindate", lastMonth);
            d.ClickEditButton("edit_Btype");
            d.Click("btn_Query");
            d.TickRow("MainGrid", 0);
            d.TickRow("MainGrid", 1);
            d.SetText("edit_FPCode", record);
            d.PressKey(VK_RETURN);
            d.DblClick("Image5");
            runner.AnswerFiles({picture});
            d.Click("btn_load");
            d.Click("btn_OK");
        });
        TkvjobLink("");
        for (const std::string& failure : runner.Failures())
            std::fprintf(stderr, "tkv_headless_road: %s\n", failure.c_str());
        return runner.Failures().empty() ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tkv_headless_road: %s\n", e.what());
        return 1;
    }
}
