// The invoice QR record as a 2D reader types it: the invoice kinds it comes in, and texts that only
// look like one, which the fields take as typed.
#include "association/InvoiceQr.h"

#include <gtest/gtest.h>

namespace {

using namespace tkv;

TEST(InvoiceQrTest, RecordsOfEachInvoiceKindGiveNumberAndDate) {
    struct Case {
        const char* text;
        const char* kind;
        const char* code;
        const char* number;
    };
    const Case cases[] = {
        // paper special VAT invoice: no check code
        {"01,01,3300211130,12345678,1234.50,20261103,,A1B2,", "01", "3300211130", "12345678"},
        // paper ordinary invoice, 12-digit code, no trailing comma
        {"01,04,033002100611,87654321,88.00,20261103,12345678901234567890,C3D4", "04", "033002100611",
         "87654321"},
        // electronic ordinary invoice, as a reader types it with its line end
        {" 01,10,033002100611,26110301,1234.50,20261103,12345678901234567890,A1B2,\r\n", "10", "033002100611",
         "26110301"},
        // fully digital invoice: empty code, 20-digit number
        {"01,32,,26332000000012345678,-56.60,20261103,,,", "32", "", "26332000000012345678"},
    };
    for (const Case& c : cases) {
        const auto qr = ParseInvoiceQr(c.text);
        ASSERT_TRUE(qr) << c.text;
        EXPECT_EQ(qr->Kind, c.kind);
        EXPECT_EQ(qr->Code, c.code);
        EXPECT_EQ(qr->Number, c.number);
        EXPECT_EQ(qr->Date, EncodeDate(2026, 11, 3));
        EXPECT_EQ(InvoiceNumberOf(c.text), c.number);
    }
}

TEST(InvoiceQrTest, TextsThatOnlyLookLikeARecordAreTakenAsTyped) {
    const char* const texts[] = {
        "FP31000001",
        "12345678",
        "01,10,033002100611,12345678,1234.50",                         // too few fields
        "01,10,033002100611,12345678,1234.50,20260230,1234,A1,",       // 30 February
        "01,10,033002100611,12345678,1234.50,2026113,1234,A1,",        // short date
        "01,10,033002100611,1234567A,1234.50,20261103,1234,A1,",       // a letter in the number
        "01,10,033002100611,1234567,1234.50,20261103,1234,A1,",        // 7 digits
        "01,10,033002100611,26332000000012345678,1.00,20261103,1,A1,", // 20 digits need no code
        "01,32,,12345678,1.00,20261103,1,A1,",                         // no code needs 20 digits
        "02,10,033002100611,12345678,1234.50,20261103,1234,A1,",       // another version
        "01,10,033002100611,12345678,12.345,20261103,1234,A1,",        // three decimals
        "01,10,033002100611,12345678,1234.50,20261103,1234,A1,x,y,",   // too many fields
        "01,10,033002100611,12345678,1234.50,20261103,1234,A-1,",      // check value
    };
    for (const char* text : texts) {
        EXPECT_FALSE(ParseInvoiceQr(text)) << text;
        EXPECT_EQ(InvoiceNumberOf(text), text);
    }
}

} // namespace
