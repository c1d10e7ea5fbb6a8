// The demo invoice pages: every picture of a demo invoice carries that invoice's QR record, found
// the way the picture strip reads a picture it shows; the total in capital figures.
#include "host/InvoicePage.h"
#include "association/FpImageStrip.h"
#include "association/InvoiceQr.h"
#include "db/TempFolder.h"
#include "host/HostSession.h"
#include "toolkit/JPEGImage.h"
#include "toolkit/QrCodeReader.h"

#include <gtest/gtest.h>

namespace tkv::host {
namespace {

TEST(InvoicePageTest, EveryDemoPictureCarriesTheCodeOfItsInvoice) {
    testing::TempFolder tmp;
    THostSession session(THostOptions{tmp.Path() / "data", tmp.Path() / "out"});
    ASSERT_TRUE(session.SeedDemo());
    const ResultRows rows = session.Database().Select(
        "SELECT t.VoiceCode, t.VoiceDate, i.ord, i.imgname FROM TK_Voice t JOIN TK_VoiceImage v ON "
        "v.voiceid = t.voiceid JOIN TK_Image i ON i.ImageId = v.ImageId");
    ASSERT_EQ(rows.RowCount(), kDemoPictureCount);
    for (int row = 0; row < rows.RowCount(); ++row) {
        const std::string number = rows.Value(row, "VoiceCode").AsString();
        const auto bytes =
            session.Pictures().Load(static_cast<std::int32_t>(rows.Value(row, "ord").AsInt64()),
                                    rows.Value(row, "imgname").AsString());
        ASSERT_TRUE(bytes) << number;
        const std::optional<std::string> text =
            ReadQrText(TJPEGImage(*bytes), TFpImageStrip::kSlotWidth, TFpImageStrip::kSlotHeight);
        ASSERT_TRUE(text) << "no code read on a picture of " << number;
        const std::optional<TInvoiceQr> qr = ParseInvoiceQr(*text);
        ASSERT_TRUE(qr) << *text;
        EXPECT_EQ(qr->Number, number);
        EXPECT_EQ(qr->Date, rows.Value(row, "VoiceDate").AsDouble());
    }
}

TEST(InvoicePageTest, TotalsReadInCapitalFigures) {
    EXPECT_EQ(AmountInCapitals(790), "柒佰玖拾圆整");
    EXPECT_EQ(AmountInCapitals(1005.07), "壹仟零伍圆零柒分");
    EXPECT_EQ(AmountInCapitals(100000.5), "壹拾万圆伍角整");
    EXPECT_EQ(AmountInCapitals(20010003.4), "贰仟零壹万零叁圆肆角整");
    EXPECT_EQ(AmountInCapitals(0.3), "叁角整");
    EXPECT_EQ(AmountInCapitals(-12.35), "负壹拾贰圆叁角伍分");
}

} // namespace
} // namespace tkv::host
