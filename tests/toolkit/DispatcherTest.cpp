#include "toolkit/Dispatcher.h"
#include "ToolkitFixture.h"
#include "toolkit/Abort.h"
#include "toolkit/ActionButton.h"
#include "toolkit/Form.h"
#include "ui/headless/FormDriver.h"

#include <gtest/gtest.h>

using namespace tkv;
using namespace tkv::test;

TEST_F(ToolkitTest, AbortEndsTheActionSilently) {
    bool after = false;
    EXPECT_FALSE(RunHandler([&] {
        Abort();
        after = true;
    }));
    EXPECT_FALSE(after);
    EXPECT_TRUE(runner.Dialogs().empty());
}

TEST_F(ToolkitTest, ErrorsReachTheErrorBox) {
    EXPECT_FALSE(RunHandler([] { throw std::runtime_error("表不存在"); }));
    ASSERT_EQ(runner.Dialogs().size(), 1u);
    EXPECT_EQ(runner.Dialogs()[0].Kind, TMessageKind::mkErrorBox);
    EXPECT_EQ(runner.Dialogs()[0].Text, "表不存在");
    EXPECT_TRUE(RunHandler([] {}));
}

TEST_F(ToolkitTest, NestedHandlersPassErrorsToTheUserAction) {
    std::vector<std::string> steps;
    RunHandler([&] {
        // A handler that code calls from inside a handler is not caught separately.
        RunHandler([&] { Abort(); });
        steps.push_back("not reached");
    });
    EXPECT_TRUE(steps.empty());
    EXPECT_FALSE(InsideHandler());
}

TEST_F(ToolkitTest, FormStaysUsableAfterAnError) {
    TForm form;
    auto& fail = form.Make<TActionButton>("btn_Fail");
    auto& ok = form.Make<TActionButton>("btn_OK");
    fail.OnClick = [](TComponent&) {
        throw std::runtime_error("保存失败");
    };
    ok.SetModalResult(mrOk);
    runner.Expect([&](TFormDriver& d) {
        d.Click("btn_Fail");
        EXPECT_FALSE(d.Closed());
        d.Click("btn_OK");
        EXPECT_TRUE(d.Closed());
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(runner.Texts(TMessageKind::mkErrorBox), std::vector<std::string>{"保存失败"});
    EXPECT_TRUE(runner.Failures().empty());
}

TEST_F(ToolkitTest, ModalFormOpenedFromHandlerShowsItsOwnErrors) {
    TForm outer;
    auto& open = outer.Make<TActionButton>("btn_Open");
    std::vector<std::string> steps;
    open.OnClick = [&](TComponent&) {
        TForm inner;
        auto& fail = inner.Make<TActionButton>("btn_Fail");
        fail.OnClick = [](TComponent&) {
            throw std::runtime_error("inner");
        };
        inner.ShowModal();
        steps.push_back("after inner");
    };
    runner.Expect([&](TFormDriver& d) { d.Click("btn_Open"); });
    runner.Expect([&](TFormDriver& d) { d.Click("btn_Fail"); });
    outer.ShowModal();
    EXPECT_EQ(steps, std::vector<std::string>{"after inner"});
    EXPECT_EQ(runner.Texts(TMessageKind::mkErrorBox), std::vector<std::string>{"inner"});
    EXPECT_EQ(runner.ShownForms(), 2);
}
