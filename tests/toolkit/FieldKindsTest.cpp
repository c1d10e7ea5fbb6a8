#include "toolkit/FieldKinds.h"
#include "system/BGFunctions_C_VNBJ.h"
#include "toolkit/TextMetrics.h"

#include <gtest/gtest.h>

using namespace tkv;

namespace {

struct Answers {
    std::vector<bool> number, money;
    std::vector<TFieldsList> fullName;
};

Answers Collect() {
    Answers a;
    for (int f = 0; f <= 392; ++f) {
        a.number.push_back(IsNumberField(static_cast<TFieldsList>(f)));
        a.money.push_back(IsMoneyField(static_cast<TFieldsList>(f)));
    }
    for (int t = 0; t < kBasicTypeCount; ++t)
        a.fullName.push_back(FullNameField(static_cast<TBasicType>(t)));
    return a;
}

} // namespace

TEST(FieldKinds, BuiltInAnswersAgreeWithTheInstalledFieldFunctions) {
    SetGlobalFieldFuncs(nullptr);
    const Answers builtIn = Collect();
    TBGFuncs funcs;
    SetGlobalFieldFuncs(&funcs);
    const Answers installed = Collect();
    SetGlobalFieldFuncs(nullptr);
    EXPECT_EQ(builtIn.number, installed.number);
    EXPECT_EQ(builtIn.money, installed.money);
    EXPECT_EQ(builtIn.fullName, installed.fullName);
}

TEST(FieldKinds, GridKindsOfTheWindows) {
    EXPECT_FALSE(IsNumberField(flNMemo));
    EXPECT_FALSE(IsMoneyField(flNMemo));
    EXPECT_TRUE(IsNumberField(flNInt));
    EXPECT_FALSE(IsMoneyField(flNInt));
    EXPECT_TRUE(IsMoneyField(flNTotal));
    EXPECT_EQ(DefaultColWidth(flNMemo), 100);
    EXPECT_EQ(FullNameField(btBtype), flBFullName);
    EXPECT_EQ(FullNameField(btNo), flNull);
}

TEST(TextMetrics, WidthPerCharacterKind) {
    EXPECT_EQ(TextWidth(""), 0);
    EXPECT_EQ(TextWidth("ab"), 14);
    EXPECT_EQ(TextWidth("选中"), 24);
    EXPECT_EQ(TextWidth("√"), 7) << "the check mark is a narrow character";
    EXPECT_EQ(TextWidth("ＡB"), 19);
}
