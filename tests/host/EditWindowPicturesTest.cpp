// The edit association window's export and print buttons against the reference host: the chosen
// pictures into a new subfolder numbered by the whole picture list, one print job without records,
// the remembered folder of its own, and the failure rules.
#include "../platform/TempDir.h"
#include "../printing/PdfTools.h"
#include "../printing/RecordingPrinter.h"
#include "PrintWindowFixture.h"
#include "association/FpImageEditFrm.h"

namespace {

using namespace tkv;
using namespace tkv::test;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

// The first demo link, its batch numbered A123 (a batch of 阿莫西林胶囊), its invoice's pool grown
// to five pictures of which the two linked ones are chosen.
class EditWindowPicturesTest : public PrintWindowFixture {
protected:
    std::int32_t linkId = 0, voiceId = 0;
    std::vector<std::vector<std::uint8_t>> pool; // the pool's pictures as stored, in pool order

    void SetUp() override {
        PrintWindowFixture::SetUp();
        auto& db = session->Database();
        const auto link = db.Select("SELECT id, voiceid, buyid FROM TK_JobLink ORDER BY id LIMIT 1");
        linkId = link.Value(0, "id").AsInteger();
        voiceId = link.Value(0, "voiceid").AsInteger();
        db.Exec("UPDATE BuyBill SET jobnumber = 'A123' WHERE buyid = ?", {link.Value(0, "buyid")});
        for (std::int32_t id : AddPictures(3, 500))
            db.Call("zk_saveTkVoiceImage", {"@Voiceid", "@ImageId", "@ImageName", "@delete"},
                    {OleVariant(voiceId), OleVariant(id), OleVariant(""), OleVariant(0)});
        const auto images =
            db.Select("SELECT i.ord, i.imgname FROM TK_VoiceImage v JOIN TK_Image i ON i.ImageId = v.ImageId "
                      "WHERE v.voiceid = ? ORDER BY v.id",
                      {OleVariant(voiceId)});
        for (const auto& row : images.rows)
            pool.push_back(*session->Pictures().Load(row.at(0).AsInteger(), row.at(1).AsString()));
    }

    // Opens the edit window on the link and runs the script; the window is closed by its close box.
    void Edit(const std::function<void(TFpImageEditFrm&, TFormDriver&)>& script) {
        runner->Expect("TFpImageEditFrm", [&](TFormDriver& d) {
            auto& form = static_cast<TFpImageEditFrm&>(d.Form());
            ASSERT_EQ(form.Strip->FImageList.size(), 5u);
            ASSERT_EQ(form.Strip->FImageSelList, (std::vector<std::string>{"1", "2"}));
            script(form, d);
        });
        ShowFpImageEdit(linkId, voiceId);
    }
    static std::string Text(const std::vector<std::uint8_t>& bytes) {
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST_F(EditWindowPicturesTest, ExportWritesTheChosenPicturesIntoANewSubfolder) {
    const fs::path folder = tmp.Path() / "exp";
    const fs::path sub = folder / "阿莫西林胶囊-A123-20260325120000";
    Edit([&](TFpImageEditFrm& form, TFormDriver& d) {
        EXPECT_EQ(form.edit_Ptype->GetText(), "阿莫西林胶囊");
        d.SetText("edit_Path", folder.string());
        d.Click("btn_Export");
    });
    EXPECT_THAT(HostMessages(), ElementsAre("导出图片到[" + sub.string() + "]成功"));
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(sub))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_THAT(names, ElementsAre("5-1.jpg", "5-2.jpg"));
    EXPECT_EQ(ReadBytes((sub / "5-1.jpg").string()), Text(pool[0]));
    EXPECT_EQ(ReadBytes((sub / "5-2.jpg").string()), Text(pool[1]));
}

TEST_F(EditWindowPicturesTest, TheChosenOrderIsTheFileOrder) {
    const fs::path folder = tmp.Path() / "exp";
    Edit([&](TFpImageEditFrm& form, TFormDriver& d) {
        d.DblClick("Image1"); // picture 1 back to the available strip: chosen are 2
        d.DblClick("Image7"); // then picture 4 (available: 1, 3, 4, 5)
        EXPECT_EQ(form.Strip->FImageSelList, (std::vector<std::string>{"2", "4"}));
        d.SetText("edit_Path", folder.string());
        d.Click("btn_Export");
    });
    const fs::path sub = folder / "阿莫西林胶囊-A123-20260325120000";
    EXPECT_EQ(ReadBytes((sub / "5-1.jpg").string()), Text(pool[1]));
    EXPECT_EQ(ReadBytes((sub / "5-2.jpg").string()), Text(pool[3]));
}

TEST_F(EditWindowPicturesTest, NothingChosenIsToldOnExportAndPrintsNothing) {
    Edit([&](TFpImageEditFrm&, TFormDriver& d) {
        d.DblClick("Image1");
        d.DblClick("Image1");
        d.Click("btn_Export");
        d.Click("btn_Print"); // no print dialog: the runner has no answer for one
    });
    EXPECT_THAT(HostMessages(), ElementsAre("没有需要导出的图片,请检查"));
    EXPECT_THAT(runner->Texts(TMessageKind::mkPrintDialog), IsEmpty());
}

TEST_F(EditWindowPicturesTest, PrintingIsOneJobOfTheChosenPicturesAndRecordsNothing) {
    auto printer = PdfPrinter("编辑");
    runner->AnswerPrintDialog(printer);
    Edit([&](TFpImageEditFrm&, TFormDriver& d) { d.Click("btn_Print"); });
    EXPECT_THAT(HostMessages(), ElementsAre("打印完成"));
    ASSERT_EQ(printer->Jobs().size(), 1u);
    const std::string pdf = printer->Jobs()[0].string();
    ASSERT_EQ(PdfPageCount(pdf), 2);
    EXPECT_EQ(PdfFirstLine(pdf, 1), "第   1 张/共   2 张");
    EXPECT_EQ(PdfFirstLine(pdf, 2), "第   2 张/共   2 张");
    EXPECT_EQ(Count("SELECT count(*) AS n FROM TK_BillPrintImage"), 0);
    EXPECT_EQ(Count("SELECT count(*) AS n FROM TK_BillPrintTimes"), 0);
}

TEST_F(EditWindowPicturesTest, ACancelledDialogPrintsNothingAndAFailureIsShownAfterTheJobEnded) {
    runner->CancelPrintDialog();
    auto failing = std::make_shared<TRecordingPrinter>();
    failing->FailStep = "StretchDraw";
    failing->FailAt = 2;
    runner->AnswerPrintDialog(failing);
    Edit([&](TFpImageEditFrm&, TFormDriver& d) {
        d.Click("btn_Print");
        d.Click("btn_Print");
    });
    EXPECT_THAT(HostMessages(), IsEmpty());
    EXPECT_THAT(runner->Texts(TMessageKind::mkErrorBox), ElementsAre("paper jam"));
    EXPECT_EQ(failing->EndedJobs, 1);
    EXPECT_FALSE(failing->InJob);
}

TEST_F(EditWindowPicturesTest, TheEditWindowRemembersAFolderOfItsOwn) {
    fake.WriteProfileString((PlugFolder() / "TKExportPath.ini").string(), "set", "IEPpath", "/print/folder");
    Edit([&](TFpImageEditFrm& form, TFormDriver& d) {
        EXPECT_EQ(form.edit_Path->GetPath(), "");
        d.Type("edit_Path", "/e");
    });
    EXPECT_EQ(fake.ReadProfileString((PlugFolder() / "TKExportPath.ini").string(), "set", "EPpath", ""),
              "/e");
    EXPECT_EQ(fake.ReadProfileString((PlugFolder() / "TKExportPath.ini").string(), "set", "IEPpath", ""),
              "/print/folder");
    Edit([&](TFpImageEditFrm& form, TFormDriver&) { EXPECT_EQ(form.edit_Path->GetPath(), "/e"); });
}

} // namespace

namespace {

// A damaged picture in the invoice's pool, one linked and one not: the others load, both are named,
// and saving keeps the linked one linked.
TEST_F(EditWindowPicturesTest, ADamagedPictureIsSkippedNamedAndKeptLinked) {
    auto& db = session->Database();
    const auto images = db.Select("SELECT i.ImageId, i.ord, i.imgname FROM TK_VoiceImage v JOIN TK_Image i "
                                  "ON i.ImageId = v.ImageId WHERE v.voiceid = ? ORDER BY v.id",
                                  {OleVariant(voiceId)});
    const std::vector<std::uint8_t> damaged = {'n', 'o', 't', ' ', 'a', ' ', 'J', 'P', 'E', 'G'};
    for (int row : {0, 3})
        session->Pictures().Restore(images.Value(row, "ord").AsInteger(),
                                    images.Value(row, "imgname").AsString(), damaged);
    const auto linked = [&] {
        return db.Select("SELECT count(*) AS n FROM TK_JobLinkImage WHERE linkid = ?", {OleVariant(linkId)})
            .Value(0, "n")
            .AsInteger();
    };
    const std::int32_t before = linked();
    session->Ui().QueueAnswer(true);
    runner->Expect("TFpImageEditFrm", [&](TFormDriver& d) {
        auto& form = static_cast<TFpImageEditFrm&>(d.Form());
        EXPECT_EQ(form.Strip->FImageList.size(), 3u);
        EXPECT_EQ(form.Strip->FImageSelList, (std::vector<std::string>{"1"}));
        d.Click("btn_OK");
    });
    ShowFpImageEdit(linkId, voiceId);
    ASSERT_FALSE(HostMessages().empty());
    EXPECT_EQ(HostMessages().front(), "下列发票图片无法显示,已跳过,其余图片照常载入:\r\n" +
                                          images.Value(0, "imgname").AsString() + "（已关联）\r\n" +
                                          images.Value(3, "imgname").AsString() +
                                          "\r\n已关联的图片保存时仍然保持关联。");
    EXPECT_EQ(linked(), before);
    EXPECT_EQ(db.Select("SELECT count(*) AS n FROM TK_JobLinkImage WHERE linkid = ? AND ImageId = ?",
                        {OleVariant(linkId), images.Value(0, "ImageId")})
                  .Value(0, "n")
                  .AsInteger(),
              1);
}

} // namespace
