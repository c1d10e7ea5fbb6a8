// The print window against the reference host: a seeded database with purchase bills of the tests' own
// (suppliers, pictures and links made through the host's procedures), the plug-in initialised, a fixed clock,
// the plug-in's folder and the default profile folder in a temporary folder, the headless runner, and PDF
// printers that print into the output folder.
#pragma once

#include "comm/ModuleState.h"
#include "db/TempFolder.h"
#include "framework/DateTime.h"
#include "host/HostSession.h"
#include "platform/FakePlatform.h"
#include "plugin/Exports.h"
#include "printing/FpImagePrintFrm.h"
#include "printing/pdf/PdfPrinter.h"
#include "sim/SimJpeg.h"
#include "ui/headless/FormDriver.h"
#include "ui/headless/HeadlessRunner.h"

#include <cstdlib>
#include <filesystem>
#include <gmock/gmock.h>
#include <map>
#include <optional>

namespace tkv::test {

class PrintWindowFixture : public ::testing::Test {
protected:
    static constexpr std::int32_t kPurchase = 34;
    const TDateTime today = EncodeDate(2026, 3, 25);
    tkv::host::testing::TempFolder tmp;
    TFakePlatform fake;
    std::unique_ptr<TScopedPlatform> platformScope;
    std::unique_ptr<host::THostSession> session;
    std::unique_ptr<TModuleScope> module;
    ComPtr<IRetailPlugin> plug;
    std::unique_ptr<THeadlessRunner> runner;
    std::map<std::int32_t, std::vector<std::uint8_t>> stored; // picture id -> the bytes in the store
    std::optional<std::string> savedProfileDir;

    std::filesystem::path PlugFolder() const { return tmp.Path() / "Host" / "Plug"; }
    std::filesystem::path ProfileFolder() const { return tmp.Path() / "profiles"; }
    std::filesystem::path PrintFolder() const { return tmp.Path() / "out" / "printed"; }

    void SetUp() override {
        fake.now = today + 0.5;
        fake.moduleFileName = (PlugFolder() / "TkvfpPlug.so").string();
        std::filesystem::create_directories(PlugFolder());
        if (const char* env = std::getenv("TKV_PROFILE_DIR"))
            savedProfileDir = env;
        setenv("TKV_PROFILE_DIR", ProfileFolder().c_str(), 1);
        platformScope = std::make_unique<TScopedPlatform>(fake);
        session =
            std::make_unique<host::THostSession>(host::THostOptions{tmp.Path() / "data", tmp.Path() / "out"});
        session->Database().SetClock([this] { return fake.now; });
        ASSERT_TRUE(session->SeedDemo());
        module = std::make_unique<TModuleScope>();
        plug = CreateRetailPlug();
        plug->InitPlugin(session->Main());
        plug->InitExistInterFace(session->ExistForm());
        runner = std::make_unique<THeadlessRunner>();
    }
    void TearDown() override {
        if (runner) {
            EXPECT_THAT(runner->Failures(), ::testing::IsEmpty());
        }
        runner.reset();
        plug = nullptr;
        module.reset();
        if (savedProfileDir)
            setenv("TKV_PROFILE_DIR", savedProfileDir->c_str(), 1);
        else
            unsetenv("TKV_PROFILE_DIR");
    }

    // --- the tests' own records ---

    void AddSupplier(std::int32_t rec, const std::string& fullname) {
        session->Database().Exec("INSERT INTO btype (rec, typeid, usercode, fullname) VALUES (?, ?, ?, "
                                 "?)",
                                 {OleVariant(rec), OleVariant("T" + std::to_string(rec)),
                                  OleVariant("TG" + std::to_string(rec)), OleVariant(fullname)});
    }

    // A purchase bill of the supplier on the day (at 10:00), coded "T-<billid>", with one batch.
    void AddBill(std::int32_t billid, std::int32_t brec, TDateTime day) {
        session->Database().Exec("INSERT INTO BillIndex (billid, billtype, billcode, billdate, brec, "
                                 "erec, billerec, krec, billstatus, "
                                 "uniquebillid) VALUES (?, ?, ?, ?, ?, 1, 2, 1, 1, ?)",
                                 {OleVariant(billid), OleVariant(kPurchase), OleVariant(Code(billid)),
                                  OleVariant(day + 10.0 / 24), OleVariant(brec), OleVariant(Uid(billid))});
        session->Database().Exec(
            "INSERT INTO BuyBill (billid, prec, krec, jobnumber, qty, taxprice, taxtotal) "
            "VALUES (?, 1, 1, ?, 10, 1, 10)",
            {OleVariant(billid), OleVariant("J" + std::to_string(billid))});
    }
    static std::string Code(std::int32_t billid) { return "T-" + std::to_string(billid); }
    static std::string Uid(std::int32_t billid) { return "34-T" + std::to_string(billid); }

    // New pictures in the host's store and database; their ids.
    std::vector<std::int32_t> AddPictures(int count, std::uint32_t seed, int width = 320, int height = 226) {
        std::vector<std::int32_t> ids;
        for (int i = 0; i < count; ++i) {
            std::vector<std::uint8_t> jpeg = sim::InvoicePageJpeg(width, height, seed + i);
            std::int32_t ord = 0;
            std::string name;
            EXPECT_TRUE(session->Pictures().Save(jpeg, ord, name));
            const std::int32_t id =
                session->Database()
                    .Call("zk_TkNewSaveImage", {"@ord", "@filname"}, {OleVariant(ord), OleVariant(name)})
                    .returnValue;
            stored[id] = std::move(jpeg);
            ids.push_back(id);
        }
        return ids;
    }

    // Links the pictures, in this order, to the whole bill through an invoice of the bill's supplier.
    // The store's ordinal and file name of a picture record.
    std::pair<std::int32_t, std::string> StoredFile(std::int32_t imageId) {
        const auto row = session->Database().Select("SELECT ord, imgname FROM TK_Image WHERE ImageId = ?",
                                                    {OleVariant(imageId)});
        return {row.Value(0, "ord").AsInteger(), row.Value(0, "imgname").AsString()};
    }
    void LinkBill(std::int32_t billid, std::int32_t brec, const std::vector<std::int32_t>& imageids) {
        auto& db = session->Database();
        const std::string code = "FPT" + std::to_string(billid);
        const std::int32_t voiceid =
            db.Call("zk_SaveTkVoice", {"@VoiceCode", "@VoiceDate", "@brec", "@bfullname"},
                    {OleVariant(code), OleVariant(today), OleVariant(brec), OleVariant("")})
                .returnValue;
        const std::string key = "{TEST-" + std::to_string(billid) + "}";
        for (std::int32_t id : imageids) {
            db.Call("zk_saveTkVoiceImage", {"@Voiceid", "@ImageId", "@ImageName", "@delete"},
                    {OleVariant(voiceid), OleVariant(id), OleVariant(""), OleVariant(0)});
            db.Call("zk_savetempVoiceLink", {"@Uid", "@imageId"}, {OleVariant(key), OleVariant(id)});
        }
        db.Call("zk_SaveJobLink", {"@billid", "@buyid", "@uid", "@voiceid"},
                {OleVariant(billid), OleVariant(0), OleVariant(key), OleVariant(voiceid)});
        db.Exec("delete from t_tempVoiceLink where uid='" + key + "'");
    }

    std::int64_t Count(const std::string& sql) {
        return session->Database().Select(sql).Value(0, "n").AsInt64();
    }
    std::int64_t PrintTimes(std::int32_t billid) {
        return Count("SELECT coalesce((SELECT printtimes FROM TK_BillPrintTimes "
                     "WHERE uniquebillid = '" +
                     Uid(billid) + "'), 0) AS n");
    }
    std::int64_t PrintedToday(std::int32_t brec) {
        return Count("SELECT count(*) AS n FROM TK_BillPrintImage WHERE brec = " + std::to_string(brec));
    }

    // --- the window ---

    static TFpImagePrintFrm& Form(TFormDriver& d) { return static_cast<TFpImagePrintFrm&>(d.Form()); }
    static int RowOf(TFormDriver& d, std::int32_t billid) {
        TBandGrid& grid = *Form(d).MainGrid;
        for (int row = 0; row < grid.GetDataRowCount(); ++row)
            if (grid.GetColStrText("billcode", row) == Code(billid))
                return row;
        ADD_FAILURE() << "bill " << billid << " is not listed";
        return -1;
    }
    static void Tick(TFormDriver& d, std::initializer_list<std::int32_t> billids) {
        for (std::int32_t billid : billids)
            d.TickRow("MainGrid", RowOf(d, billid));
    }

    std::shared_ptr<TPdfPrinter> PdfPrinter(const std::string& stem = "发票图片") {
        return std::make_shared<TPdfPrinter>(PrintFolder(), stem, TPdfPageSetup{210, 297, 100});
    }

    // The messages and questions the host showed, in order.
    std::vector<std::string> HostMessages() const {
        std::vector<std::string> out;
        for (const auto& e : session->Ui().Events())
            if (e.Kind == host::TUiEventKind::Message || e.Kind == host::TUiEventKind::Question)
                out.push_back(e.Text);
        return out;
    }
    std::vector<std::string> HostErrors() const {
        std::vector<std::string> out;
        for (const auto& e : session->Ui().Events())
            if (e.Kind == host::TUiEventKind::Error)
                out.push_back(e.Text);
        return out;
    }
};

} // namespace tkv::test
