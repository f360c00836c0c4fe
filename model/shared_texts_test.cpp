#include "model/shared_texts.h"

#include <gtest/gtest.h>

namespace corvane::model {
namespace {

TEST(SharedTexts, EveryPairHasBothLanguages)
{
    for (const texts::NamedText& text : texts::kSharedTexts) {
        EXPECT_FALSE(text.pair.english.empty()) << text.name;
        EXPECT_FALSE(text.pair.chinese.empty()) << text.name;
        EXPECT_NE(text.pair.english, text.pair.chinese) << text.name; // a side copied by mistake
    }
}

TEST(SharedTexts, PickFollowsTheLanguage)
{
    EXPECT_EQ(pick(texts::kOkButton, Language::English), "&OK");
    EXPECT_EQ(pick(texts::kOkButton, Language::Chinese), "确定(&O)");
}

enum class Operation { Idle, Read, Write };

TEST(TextTable, PicksByKeyAndLanguage)
{
    constexpr TextTable<Operation, 2> completed{
        {{Operation::Read, texts::kReadCompleted}, {Operation::Write, texts::kWriteCompleted}}};
    static_assert(pick(completed, Operation::Write, Language::English) == "Write Data Completed.");
    EXPECT_EQ(pick(completed, Operation::Read, Language::English), "Read Data Completed.");
    EXPECT_EQ(pick(completed, Operation::Read, Language::Chinese), "读取数据完成。");
    EXPECT_EQ(pick(completed, Operation::Write, Language::Chinese), "写入数据完成。");
    EXPECT_EQ(pick(completed, Operation::Idle, Language::Chinese), ""); // not in the table
}

} // namespace
} // namespace corvane::model
