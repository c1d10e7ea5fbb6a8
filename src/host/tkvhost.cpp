// tkvhost: the reference host as a command-line program. It creates or opens the host database
// with its demo data, loads the plug-in objects, hands them the host's interfaces and drives them,
// printing a short summary of each step and writing what a user would look at into the output
// folder. The plug-in's own folder (with its data folder, insurance settings and log) is the
// output folder's "Plug"; the insurance library is the stand-in over the simulated service. With
// --serve it is the host behind the Windows workbench instead: it listens on a port of the loopback
// address (written to the file named), answers the one workbench that connects and ends when the
// workbench closes.
#include "comm/DataAccess.h"
#include "comm/ModuleState.h"
#include "framework/DataSet.h"
#include "host/AssociationRoad.h"
#include "host/HostServer.h"
#include "host/HostSession.h"
#include "host/PlugFolder.h"
#include "host/PrintRoad.h"
#include "host/RoadReport.h"
#include "host/TillRoad.h"
#include "insurance/RetailInsuranceHooks.h"
#include "plugin/Exports.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

using namespace tkv;
using namespace tkv::host;

void Usage(std::FILE* to) {
    std::fputs("usage: tkvhost [--data DIR] [--out DIR] [--packets binary|xml] [--serve PORTFILE]\n"
               "  --data DIR        folder of the host database and picture store (default ./tkvhost-data)\n"
               "  --out DIR         folder of the reports and files the run writes (default ./tkvhost-out)\n"
               "  --packets FORM    the form of the result-set packets sent to the plug-in: binary, as a\n"
               "                    framework host sends them (default), or xml\n"
               "  --serve PORTFILE  be the host of the Windows workbench: listen on a loopback port,\n"
               "                    write its number into PORTFILE, serve until the workbench closes\n",
               to);
}

int Run(const THostOptions& options) {
    THostSession session(options);
    TRoadReport report(options.OutDir / "tkvhost-summary.txt");
    report.Step("数据库", (options.DataDir / "host.db").string());
    report.Line(std::string("结果集数据包: ") + (options.Packets == TPacketForm::Binary ? "二进制" : "XML"));
    report.Line(session.SeedDemo() ? "演示数据已写入" : "演示数据已存在");
    const int restored = session.FillMissingPictures();
    const std::int64_t pictures =
        session.Database().Select("SELECT count(*) AS n FROM TK_Image").Value(0, "n").AsInt64();
    report.Line("图片存储: " + session.Pictures().Folder().string() + ", 共 " + std::to_string(pictures) +
                " 张图片" + (restored > 0 ? ", 补写缺失图片 " + std::to_string(restored) + " 张" : ""));

    TPlugFolderPlatform platform(options.OutDir / "Plug");
    TPlugFolderScope platformScope(platform);
    TModuleScope module;
    InstallInsuranceHooks();
    ComPtr<IVNPlugInfo> info = CreatePlugInfo();
    if (!info)
        throw std::runtime_error("CreatePlugInfo answered no description");
    report.Step("插件说明",
                info->GetPlugName() + " " + info->GetPlugVersion() + " (" + info->GetPlugDate() + ")");
    report.Line("说明: " + info->GetPlugText());
    report.Lines("父菜单: ", info->PlunParentMenuInfo());
    report.Lines("菜单: ", info->PlunMenuInfo());

    ComPtr<IRetailPlugin> plug = CreateRetailPlug();
    if (!plug)
        throw std::runtime_error("CreateRetailPlug answered no transaction object");
    plug->InitPlugin(session.Main());
    plug->InitExistInterFace(session.ExistForm());
    plug->InitReportInterFace(session.Report());
    report.Step("插件初始化", "InitPlugin, InitExistInterFace, InitReportInterFace");

    RunAssociationRoad(session, report);
    RunPrintRoad(session, report);

    const bool tillRoad = RunTillRoad(
        session, *plug.Get(), TKV_SI_LIBRARY,
        {[&report](const std::string& title, const std::string& text) { report.Step(title, text); },
         [&report](const std::string& text) {
             report.Line(text);
         }});
    report.Step("结束", "输出目录 " + options.OutDir.string());
    return tillRoad ? 0 : 1;
}

int Serve(const THostOptions& options, const std::filesystem::path& portFile) {
    remote::TListener listener;
    {
        // Written whole under another name first, so that a reader never sees a partial number.
        const std::filesystem::path partial = portFile.string() + ".part";
        std::ofstream(partial) << listener.Port() << "\n";
        std::filesystem::rename(partial, portFile);
    }
    std::cout << "tkvhost: serving the workbench on 127.0.0.1:" << listener.Port() << std::endl;
    THostServer server(listener.Accept(), options);
    server.Session().SeedDemo();
    server.Session().FillMissingPictures();
    server.Serve();
    std::cout << "tkvhost: the workbench closed" << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    THostOptions options;
    std::filesystem::path portFile;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--data" || arg == "--out") && i + 1 < argc)
            (arg == "--data" ? options.DataDir : options.OutDir) = argv[++i];
        else if (arg == "--packets" && i + 1 < argc &&
                 (std::strcmp(argv[i + 1], "binary") == 0 || std::strcmp(argv[i + 1], "xml") == 0))
            options.Packets = std::strcmp(argv[++i], "xml") == 0 ? TPacketForm::Xml : TPacketForm::Binary;
        else if (arg == "--serve" && i + 1 < argc)
            portFile = argv[++i];
        else if (arg == "--help" || arg == "-h") {
            Usage(stdout);
            return 0;
        } else {
            Usage(stderr);
            return 2;
        }
    }
    try {
        return portFile.empty() ? Run(options) : Serve(options, portFile);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tkvhost: %s\n", e.what());
        return 1;
    }
}
