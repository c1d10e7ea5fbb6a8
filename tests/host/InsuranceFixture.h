// Common ground of the insurance tests against the reference host: a host session on a fresh demo
// database, the plug-in's folder in the test's temporary folder (settings and log land there), the
// plug-in's clock fixed, the insurance hooks plugged in, the transaction object initialised by the
// host, and a headless runner for the plug-in's windows. Libraries are loaded by the native loader.
#pragma once

#include "comm/ModuleState.h"
#include "db/TempFolder.h"
#include "framework/DateTime.h"
#include "host/HostObjects.h"
#include "host/HostSession.h"
#include "host/PlugFolder.h"
#include "host/RetailSale.h"
#include "insurance/RetailInsuranceHooks.h"
#include "insurance/YBCard.h"
#include "platform/TempDir.h"
#include "plugin/Exports.h"
#include "plugin/PlugParts.h"
#include "plugin/VNPlugTrans.h"
#include "sim/CodePage.h"
#include "ui/headless/FormDriver.h"
#include "ui/headless/HeadlessRunner.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tkv::test {

// The scripted test library as the test reaches it: the same loaded image the plug-in calls.
class TScriptedSi {
public:
    static std::string Path(const char* name = "ScriptedSi.dll") {
        return std::string(TKV_TEST_SI_DIR) + "/" + name;
    }

    TScriptedSi() : handle_(dlopen(Path().c_str(), RTLD_NOW)) {
        if (handle_ == nullptr)
            throw std::runtime_error(dlerror());
        Entry<void (*)()>("SiReset")();
    }
    ~TScriptedSi() { dlclose(handle_); }
    TScriptedSi(const TScriptedSi&) = delete;
    TScriptedSi& operator=(const TScriptedSi&) = delete;

    // Queues an answer, UTF-8 text turned into code page 936.
    void Answer(const std::string& utf8, std::int32_t returnCode = 0) {
        AnswerBytes(sim::Utf8ToGbk(utf8), returnCode);
    }
    void AnswerBytes(const std::string& bytes, std::int32_t returnCode = 0, int mode = 0) {
        Entry<void (*)(std::int32_t, const char*, std::size_t, int)>("SiScriptAnswer")(
            returnCode, bytes.data(), bytes.size(), mode);
    }
    void InitValue(std::int32_t value) { Entry<void (*)(std::int32_t)>("SiScriptInit")(value); }
    std::size_t RequestCount() { return Entry<std::size_t (*)()>("SiRequestCount")(); }
    // Request n, its bytes as the library received them.
    std::string Request(std::size_t n) {
        std::vector<char> buffer(100000);
        const auto length = Entry<std::ptrdiff_t (*)(std::size_t, char*, std::size_t)>("SiRequest")(
            n, buffer.data(), buffer.size());
        return length < 0 ? std::string("<none>")
                          : std::string(buffer.data(), static_cast<std::size_t>(length));
    }
    std::string LastRequest() {
        return RequestCount() == 0 ? std::string("<none>") : Request(RequestCount() - 1);
    }

private:
    template <class F> F Entry(const char* name) { return reinterpret_cast<F>(dlsym(handle_, name)); }
    void* handle_;
};

class InsuranceFixture : public ::testing::Test {
protected:
    const TDateTime today = EncodeDate(2026, 3, 25);
    TDateTime now = today + (10 * 3600 + 30 * 60) / 86400.0; // 10:30:00

    host::testing::TempFolder tmp;
    host::TPlugFolderPlatform platform{tmp.Path() / "Plug", [this] {
                                           return now;
                                       }};
    host::TPlugFolderScope platformScope{platform};
    std::unique_ptr<host::THostSession> session;
    std::unique_ptr<TModuleScope> module;
    TPlugParts savedParts = PlugParts();
    THeadlessRunner runner;
    ComPtr<IRetailPlugin> plug;

    void SetUp() override {
        session =
            std::make_unique<host::THostSession>(host::THostOptions{tmp.Path() / "data", tmp.Path() / "out"});
        session->Database().SetClock([this] { return now; });
        ASSERT_TRUE(session->SeedDemo());
        session->Main()->SetLogin("00001", "收银员", 1);
        module = std::make_unique<TModuleScope>();
        InstallInsuranceHooks();
        plug = CreateRetailPlug();
        plug->InitPlugin(session->Main());
        plug->InitExistInterFace(session->ExistForm());
    }
    void TearDown() override {
        plug = nullptr;
        module.reset();
        PlugParts() = savedParts;
    }

    std::filesystem::path DataFolder() const { return tmp.Path() / "Plug" / "PlugData"; }
    std::filesystem::path LogFile() const { return DataFolder() / "cqybPross.log"; }
    // The settings file's lines, written as they are (code page 936).
    void WriteSettings(const std::string& utf8) {
        std::filesystem::create_directories(DataFolder());
        WriteBytes((DataFolder() / "cqyb.DAT").string(), sim::Utf8ToGbk(utf8));
    }
    // Settings for a library, logging on, service point "P001".
    void UseLibrary(const std::string& path, bool log = true) {
        WriteSettings("FileName=" + path + "\r\nPosCode=P001\r\nYBLog=" + (log ? "1" : "0") + "\r\n");
        ModuleState().ShowLog = log;
    }
    std::string LogText() const { return sim::GbkToUtf8(ReadBytes(LogFile().string())); }
    TVNPlugTrans& Trans() { return *ModuleState().VNPlugTrans; }
    std::int64_t Count(const std::string& sql) {
        return session->Database().Select(sql).Value(0, "n").AsInt64();
    }
    // Names and values of a named-parameter packet, in order.
    static std::vector<std::pair<std::string, OleVariant>> Entries(const OleVariant& packet) {
        std::vector<std::pair<std::string, OleVariant>> out;
        if (packet.IsArray() && !packet.IsByteArray())
            for (const auto& e : packet.Elements())
                out.emplace_back(VarToStr(e.Elements().at(0)), e.Elements().at(1));
        return out;
    }
    static OleVariant Entry(const OleVariant& packet, const std::string& name) {
        for (auto& [n, v] : Entries(packet))
            if (n == name)
                return v;
        return OleVariant();
    }
    // Texts the host showed, "title:text", in order.
    std::vector<std::string> Shown() const {
        std::vector<std::string> out;
        for (const auto& e : session->Ui().Events())
            out.push_back(e.Title + ":" + e.Text);
        return out;
    }
};

// The fixture with the stand-in "SiInterface.dll" over the simulated service, and the steps of a
// till: card reading through the card-number window, a new sale, its saving by the host.
class SimInsuranceFixture : public InsuranceFixture {
protected:
    void SetUp() override {
        InsuranceFixture::SetUp();
        // The service keeps its records for the life of the process, as a regional one does; each
        // test starts with none.
        if (void* sim = dlopen((std::string(TKV_SIM_DIR) + "/SiInterface.dll").c_str(), RTLD_NOW)) {
            reinterpret_cast<void (*)()>(dlsym(sim, "SimReset"))();
            dlclose(sim);
        }
        UseLibrary(std::string(TKV_SIM_DIR) + "/SiInterface.dll");
        ASSERT_TRUE(plug->ssInit());
    }

    void ExpectCard(const std::string& cardNo) {
        runner.Expect("TFormVipPass", [cardNo](TFormDriver& d) {
            d.SetText("edtCardNo", cardNo);
            d.Click("btnOK");
        });
    }
    bool ReadCard(const std::string& cardNo) {
        ExpectCard(cardNo);
        OleVariant params;
        return plug->GetSBCard(params);
    }
    // A new sale of the retail window, handed to the plug-in as the current bill.
    ComPtr<host::TRetailBill> NewSale(const std::string& code, const std::vector<host::TSaleLine>& lines,
                                      std::int32_t billId = -1) {
        double total = 0;
        for (const auto& l : lines)
            total += l.Total;
        ComPtr<host::TRetailBill> bill(new host::TRetailBill(
            session->Ui(), code, billId >= 0 ? billId : host::NextRetailBillId(session->Database()), total,
            host::SaleDetailPacket(lines)));
        plug->InitTransPlugin(bill.Get());
        return bill;
    }
    // The host saves the bill with a cash and an insurance account payment.
    void Save(host::TRetailBill& bill, double cash, double account) {
        host::SaveRetailSale(session->Database(), bill.GetBillID(), bill.GetBillCode(), now, bill.GetTotal(),
                             {{1, cash}, {2, account}});
    }
    static std::vector<host::TSaleLine> TwoProducts() {
        return {{"00001", "阿莫西林胶囊", 12.5, 2, 1, 25}, {"00002", "板蓝根颗粒", 18, 1, 1, 18}};
    }
    TYBCard* Card() { return dynamic_cast<TRetailInsuranceHooks&>(Trans().Hooks()).Card(); }
    // Requests of a business code sent so far, from the log.
    int Requests(const std::string& code) {
        const std::string log = LogText(), marker = "业务代码:" + code + "\r\n";
        int n = 0;
        for (auto pos = log.find(marker); pos != std::string::npos; pos = log.find(marker, pos + 1))
            ++n;
        return n;
    }
    std::int64_t Settlements() { return Count("SELECT count(*) AS n FROM YBSettlelist_CQ"); }
    // A whole recorded sale of the two products, paid 43 from the insurance account: its bill id.
    std::int32_t SellAndRecord(const std::string& code,
                               std::vector<std::pair<std::int32_t, double>> payments = {{1, 0}, {2, 43}}) {
        EXPECT_TRUE(ReadCard("1000123456"));
        ComPtr<host::TRetailBill> bill = NewSale(code, TwoProducts());
        EXPECT_TRUE(plug->ssEvaluateBalance());
        OleVariant unused;
        EXPECT_TRUE(plug->BeforeSave(unused));
        host::SaveRetailSale(session->Database(), bill->GetBillID(), code, now, bill->GetTotal(), payments);
        EXPECT_TRUE(plug->ssBalance());
        return bill->GetBillID();
    }
};

} // namespace tkv::test
