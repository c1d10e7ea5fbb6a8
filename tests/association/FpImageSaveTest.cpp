// The association's calls and the save sequence as the host receives them: names, letter case,
// parameter order and value kinds, and what each failure leaves sent and unsent.
#include "association/FpImageSave.h"
#include "RecordingHost.h"
#include "association/FpImageCalls.h"
#include "comm/ModuleState.h"
#include "framework/DateTime.h"
#include "framework/Params.h"
#include "sim/SimJpeg.h"
#include "toolkit/JPEGImage.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace {

using namespace tkv;
using namespace tkv::test;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

class FpImageSaveTest : public ::testing::Test {
protected:
    FpImageSaveTest() : host(new TRecordingHost) { ModuleState().VNMainintf = host; }

    std::unique_ptr<TFPImageType> NewPicture(std::uint32_t seed) {
        auto image = std::make_unique<TFPImageType>();
        image->Image = std::make_shared<TJPEGImage>(sim::InvoicePageJpeg(64, 48, seed));
        return image;
    }
    std::unique_ptr<TFPImageType> StoredPicture(std::int32_t id, const std::string& file) {
        auto image = std::make_unique<TFPImageType>();
        image->ImageId = id;
        image->Filname = file;
        image->ord = id;
        return image;
    }
    bool Save(const std::vector<std::string>& selection) {
        return SaveData(invoice, images, selection, [this](const std::string& key, std::int32_t voiceid) {
            linkKeys.push_back(key);
            zk_SaveJobLink(7, 0, key, voiceid);
        });
    }
    // The log with the save key replaced by "KEY".
    std::vector<std::string> Log() const {
        std::vector<std::string> out;
        for (std::string line : host->log) {
            if (!linkKeys.empty())
                for (auto at = line.find(linkKeys.front()); at != std::string::npos;
                     at = line.find(linkKeys.front()))
                    line.replace(at, linkKeys.front().size(), "KEY");
            out.push_back(line);
        }
        return out;
    }

    TModuleScope module;
    ComPtr<TRecordingHost> host;
    TFpInvoice invoice{"FP-001", EncodeDate(2026, 3, 5) + 0.75, 12, "甲供货商"};
    TFPImageList images;
    std::vector<std::string> linkKeys;
};

TEST_F(FpImageSaveTest, ListQueriesSendTheirParametersInOrderWithTheirKinds) {
    TClientDataSet ds;
    TJobLinkFilter filter{3, 4, "B1", "FP", EncodeDate(2026, 3, 1) + 0.25, EncodeDate(2026, 3, 25) + 0.5};
    Zk_TkGetJobLink(filter, ds);
    ZK_FpSelBillIndex(3, EncodeDate(2026, 3, 1) + 0.25, EncodeDate(2026, 3, 25) + 0.99, ds);
    ZK_FpSelBillMX(0, EncodeDate(2026, 3, 1), EncodeDate(2026, 3, 25), ds);
    zk_deleteJobLink(9);
    EXPECT_THAT(
        host->log,
        ElementsAre("Zk_TkGetJobLink @brec=i:3 @prec=i:4 @jobname=s:B1 @VoiceCode=s:FP @begindate=d:46082.25 "
                    "@enddate=d:46106.5",
                    "ZK_FpSelBillIndex @brec=i:3 @begindate=d:46082 @enddate=d:46106",
                    "ZK_FpSelBillMX @brec=i:0 @begindate=d:46082 @enddate=d:46106",
                    "zk_deleteJobLink @id=i:9"));
}

TEST_F(FpImageSaveTest, InvoiceLookupSendsInOutParametersAndReadsThemBack) {
    TParams out;
    out.Add({"@voicecode", OleVariant("FP-9")});
    out.Add({"@brec", OleVariant(5)});
    out.Add({"@voiceid", OleVariant(44)});
    out.Add({"@voicedate", OleVariant::Date(EncodeDate(2026, 2, 14))});
    host->outputPacket = PackageParams(out);
    TClientDataSet rows;
    const TVoiceLookup found = zk_TkGetVoiceCodeImage("", 44, EncodeDate(2026, 3, 25), rows);
    EXPECT_THAT(host->log, ElementsAre("zk_TkGetVoiceCodeImage @voicecode=s: @brec=i:0 @voiceid=i:44 "
                                       "@voicedate=t:46106 @bfullname=s:"));
    EXPECT_EQ(found.voiceid, 44);
    EXPECT_EQ(found.voicecode, "FP-9");
    EXPECT_EQ(found.brec, 5);
    EXPECT_EQ(found.voicedate, EncodeDate(2026, 2, 14));

    host->outputPacket = OleVariant::Null();
    EXPECT_EQ(zk_TkGetVoiceCodeImage("nope", 0, EncodeDate(2026, 3, 25), rows).voiceid, 0)
        << "no output parameters means no invoice";
}

TEST_F(FpImageSaveTest, SaveWithoutPicturesStoresTheInvoiceAndLinksUnderAnEmptyKey) {
    host->returns["zk_SaveTkVoice"] = {31};
    ASSERT_TRUE(Save({}));
    ASSERT_EQ(linkKeys.size(), 1u);
    EXPECT_THAT(linkKeys[0],
                MatchesRegex("\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}"));
    EXPECT_THAT(Log(),
                ElementsAre("zk_SaveTkVoice @VoiceCode=s:FP-001 @VoiceDate=d:46086 @brec=i:12 "
                            "@bfullname=s:甲供货商",
                            "SQL delete from t_tempVoiceLink where uid='KEY'",
                            "zk_SaveJobLink @billid=i:7 @buyid=i:0 @uid=s:KEY @voiceid=i:31",
                            "SQL delete from t_tempVoiceLink where uid='KEY'", "ShowMsg 保存成功 (提示)"));
}

TEST_F(FpImageSaveTest, EveryPictureIsStoredOrUnregisteredThenItsMembershipSent) {
    host->returns["zk_SaveTkVoice"] = {31};
    host->returns["zk_TkNewSaveImage"] = {501};
    images.push_back(StoredPicture(40, "IMG40.jpg")); // 1: from the invoice, chosen
    images.push_back(NewPicture(1));                  // 2: new, chosen
    images.push_back(NewPicture(2));                  // 3: new, deleted before any save
    images.back()->Delete = 1;
    images.push_back(StoredPicture(41, "IMG41.jpg")); // 4: from the invoice, deleted
    images.back()->Delete = 1;
    const std::size_t bytes = images[1]->Image->Bytes().size();
    ASSERT_TRUE(Save({"2", "1", "3"}));
    EXPECT_THAT(
        Log(),
        ElementsAre("zk_SaveTkVoice @VoiceCode=s:FP-001 @VoiceDate=d:46086 @brec=i:12 @bfullname=s:甲供货商",
                    "zk_saveTkVoiceImage @Voiceid=i:31 @ImageId=i:40 @ImageName=s: @delete=i:0",
                    "SaveImage b:" + std::to_string(bytes), "zk_TkNewSaveImage @ord=i:1 @filname=s:IMG1.jpg",
                    "zk_saveTkVoiceImage @Voiceid=i:31 @ImageId=i:501 @ImageName=s:IMG1.jpg @delete=i:0",
                    "zk_DelFpImage @imageId=i:0",
                    "zk_saveTkVoiceImage @Voiceid=i:31 @ImageId=i:0 @ImageName=s: @delete=i:1",
                    "zk_DelFpImage @imageId=i:41",
                    "zk_saveTkVoiceImage @Voiceid=i:31 @ImageId=i:41 @ImageName=s: @delete=i:1",
                    "SQL delete from t_tempVoiceLink where uid='KEY'",
                    "zk_savetempVoiceLink @Uid=s:KEY @imageId=i:501",
                    "zk_savetempVoiceLink @Uid=s:KEY @imageId=i:40",
                    "zk_SaveJobLink @billid=i:7 @buyid=i:0 @uid=s:KEY @voiceid=i:31",
                    "SQL delete from t_tempVoiceLink where uid='KEY'", "ShowMsg 保存成功 (提示)"));
    EXPECT_EQ(images[1]->ImageId, 501);
    EXPECT_EQ(images[1]->ord, 1);
    EXPECT_EQ(images[1]->ImageName, "IMG1.jpg");
}

TEST_F(FpImageSaveTest, AFailedInvoiceSendsNothingElse) {
    host->returns["zk_SaveTkVoice"] = {0};
    images.push_back(NewPicture(1));
    EXPECT_FALSE(Save({"1"}));
    EXPECT_EQ(host->log.size(), 1u);
    EXPECT_TRUE(linkKeys.empty());
}

TEST_F(FpImageSaveTest, AFailedRegistrationEndsTheSaveAndARetryCompletesWritingEachPictureOnce) {
    host->returns["zk_SaveTkVoice"] = {31, 31};
    host->returns["zk_TkNewSaveImage"] = {501, 0, 502, 503};
    images.push_back(NewPicture(1));
    images.push_back(NewPicture(2));
    images.push_back(NewPicture(3));
    EXPECT_FALSE(Save({"1", "2", "3"}));
    EXPECT_EQ(host->Calls("SaveImage").size(), 2u) << "the third picture is not visited";
    EXPECT_EQ(host->Calls("zk_saveTkVoiceImage").size(), 1u);
    EXPECT_TRUE(host->Calls("SQL").empty());
    EXPECT_TRUE(linkKeys.empty());
    EXPECT_EQ(images[0]->ImageId, 501);
    EXPECT_EQ(images[1]->ImageId, 0);

    host->log.clear();
    ASSERT_TRUE(Save({"1", "2", "3"}));
    EXPECT_EQ(host->Calls("SaveImage").size(), 2u) << "the stored picture is passed over";
    EXPECT_THAT(
        host->Calls("zk_saveTkVoiceImage"),
        ElementsAre(HasSubstr("@ImageId=i:501"), HasSubstr("@ImageId=i:502"), HasSubstr("@ImageId=i:")));
    EXPECT_EQ(host->Calls("zk_savetempVoiceLink").size(), 3u);
}

TEST_F(FpImageSaveTest, APictureTheStoreRefusedIsRegisteredButStoredAgainOnRetry) {
    host->returns["zk_SaveTkVoice"] = {31, 31};
    host->returns["zk_TkNewSaveImage"] = {700, 701};
    host->saveImageResult = false;
    images.push_back(NewPicture(1));
    EXPECT_FALSE(Save({"1"}));
    EXPECT_EQ(host->Calls("zk_TkNewSaveImage").size(), 1u)
        << "registration is sent whatever the store answered";
    EXPECT_EQ(images[0]->ImageId, 0) << "a picture whose bytes the store did not take keeps no id";
    host->saveImageResult = true;
    ASSERT_TRUE(Save({"1"}));
    EXPECT_EQ(images[0]->ImageId, 701);
}

TEST_F(FpImageSaveTest, AnUnregisterErrorFailsTheSave) {
    host->returns["zk_SaveTkVoice"] = {31};
    host->raiseOn["zk_DelFpImage"] = 1;
    images.push_back(NewPicture(1));
    images.back()->Delete = 1;
    EXPECT_FALSE(Save({}));
    EXPECT_TRUE(host->Calls("zk_saveTkVoiceImage").empty());
}

TEST_F(FpImageSaveTest, AStoreErrorEndsTheSaveBeforeTheRegistration) {
    host->returns["zk_SaveTkVoice"] = {31};
    host->raiseOn["SaveImage"] = 1;
    images.push_back(NewPicture(1));
    EXPECT_THROW(Save({"1"}), std::runtime_error);
    EXPECT_TRUE(host->Calls("zk_TkNewSaveImage").empty());
}

TEST_F(FpImageSaveTest, TheTemporaryListIsEmptiedAgainWhenTheLinkStepFails) {
    host->returns["zk_SaveTkVoice"] = {31};
    host->raiseOn["zk_SaveJobLink"] = 1;
    EXPECT_THROW(Save({}), std::runtime_error);
    EXPECT_EQ(host->Calls("SQL").size(), 2u);
    EXPECT_THAT(host->Calls("ShowMsg"), ::testing::IsEmpty());
}

// Every host call of a whole save raising in turn: the save is never reported done, nothing is sent
// after the failing call but the emptying of the temporary list, and a retry completes it, storing
// no picture again whose bytes and id the first attempt wrote.
TEST_F(FpImageSaveTest, AFailureInAnyHostCallIsNotReportedAsDoneAndARetryCompletesTheSave) {
    const auto prepare = [this] {
        host = new TRecordingHost;
        ModuleState().VNMainintf = host;
        host->returns["zk_SaveTkVoice"] = {31, 31};
        host->returns["zk_TkNewSaveImage"] = {501, 502, 503, 504};
        images.clear();
        images.push_back(StoredPicture(40, "IMG40.jpg")); // from the invoice, chosen
        images.push_back(NewPicture(1));                  // new, chosen
        images.push_back(NewPicture(2));                  // new, chosen
        images.push_back(StoredPicture(41, "IMG41.jpg")); // from the invoice, deleted
        images.back()->Delete = 1;
        linkKeys.clear();
    };
    const std::vector<std::string> chosen{"1", "2", "3"};
    prepare();
    ASSERT_TRUE(Save(chosen));
    std::vector<std::string> calls;
    for (const std::string& line : host->log)
        if (line.rfind("ShowMsg", 0) != 0)
            calls.push_back(line.substr(0, line.find(' ')));
    ASSERT_EQ(calls.size(), 16u);

    for (std::size_t failing = 0; failing < calls.size(); ++failing) {
        SCOPED_TRACE("call " + std::to_string(failing) + ": " + calls[failing]);
        prepare();
        const std::string& name = calls[failing];
        host->raiseOn[name] = static_cast<int>(std::count(calls.begin(), calls.begin() + failing + 1, name));
        bool done = false;
        try {
            done = Save(chosen);
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), name + " failed"); // the window shows the host's error
        }
        EXPECT_FALSE(done);
        EXPECT_TRUE(host->Calls("ShowMsg").empty());
        ASSERT_GE(host->log.size(), failing + 1);
        for (std::size_t after = failing + 1; after < host->log.size(); ++after)
            EXPECT_THAT(host->log[after], HasSubstr("delete from t_tempVoiceLink"));

        int unstored = 0;
        for (const auto& image : images)
            unstored += image->Delete == 0 && image->ImageId == 0 ? 1 : 0;
        host->raiseOn.clear();
        host->log.clear();
        ASSERT_TRUE(Save(chosen));
        EXPECT_EQ(host->Calls("SaveImage").size(), static_cast<std::size_t>(unstored));
        EXPECT_EQ(host->Calls("zk_saveTkVoiceImage").size(), 4u);
        EXPECT_EQ(host->Calls("zk_savetempVoiceLink").size(), 3u);
        EXPECT_EQ(host->Calls("zk_SaveJobLink").size(), 1u);
        for (const auto& image : images)
            EXPECT_TRUE(image->Delete != 0 || image->ImageId != 0);
    }
}

TEST_F(FpImageSaveTest, EveryAttemptUsesAFreshKey) {
    host->returns["zk_SaveTkVoice"] = {31, 31};
    ASSERT_TRUE(Save({}));
    ASSERT_TRUE(Save({}));
    ASSERT_EQ(linkKeys.size(), 2u);
    EXPECT_NE(linkKeys[0], linkKeys[1]);
}

} // namespace
