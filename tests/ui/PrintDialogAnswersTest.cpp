// The headless runner's print dialog: printers answered in order, a cancelled dialog, and a dialog
// that the script did not expect.
#include "../printing/RecordingPrinter.h"
#include "ui/headless/HeadlessRunner.h"

#include <gmock/gmock.h>

namespace {

using namespace tkv;
using ::testing::ElementsAre;

TEST(HeadlessPrintDialog, AnswersTheQueuedPrintersInOrderAndRecordsEachDialog) {
    THeadlessRunner runner;
    auto first = std::make_shared<test::TRecordingPrinter>();
    runner.AnswerPrintDialog(first);
    runner.CancelPrintDialog();
    EXPECT_EQ(FormRunner().ExecutePrintDialog(0), first);
    EXPECT_EQ(FormRunner().ExecutePrintDialog(0), nullptr);
    ASSERT_EQ(runner.Dialogs().size(), 2u);
    EXPECT_EQ(runner.Dialogs()[0].Kind, TMessageKind::mkPrintDialog);
    EXPECT_EQ(runner.Dialogs()[0].Answer, "printer");
    EXPECT_EQ(runner.Dialogs()[1].Answer, "");
    EXPECT_TRUE(runner.Failures().empty());
}

TEST(HeadlessPrintDialog, AnUnexpectedDialogIsCancelledAndAnUnusedAnswerReported) {
    THeadlessRunner runner;
    EXPECT_EQ(FormRunner().ExecutePrintDialog(0), nullptr);
    runner.AnswerPrintDialog(std::make_shared<test::TRecordingPrinter>());
    EXPECT_THAT(runner.Failures(),
                ElementsAre("print dialog without an answer", "1 print dialog answer(s) not used"));
}

} // namespace
