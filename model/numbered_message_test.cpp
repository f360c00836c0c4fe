#include "model/numbered_message.h"
#include "model/safe_file.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace corvane::model {
namespace {

TEST(NumberedMessageSection, NumberPicksTheSection)
{
    const struct
    {
        int number;
        std::string_view section;
    } cases[] = {
        {1, "OTHER"},       {8999, "OTHER"},    {9000, "Msg"},      {9060, "Msg"},
        {9999, "Msg"},      {10000, "CHBatch"}, {15051, "CHBatch"}, {29005, "CHBatch"},
        {29999, "CHBatch"}, {30000, "Others"},  {30001, "Others"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numberedMessageSection(c.number), c.section) << c.number;
    }
}

class NumberedMessageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() /
                   ("corvane-messages-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                    "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    void write(const std::string& name, const std::string& text)
    {
        ASSERT_TRUE(writeFileAtomically(m_folder / name, text));
    }

    std::filesystem::path m_folder;
};

TEST_F(NumberedMessageTest, ReadsTheKeyFromItsSectionOnly)
{
    // Every number is present in a wrong section too, so a wrong section choice shows.
    write("english.ini",
          "[OTHER]\r\n9060=wrong\r\n29005=wrong\r\n15051=wrong\r\n30000=wrong\r\n42=other 42\r\n"
          "[Msg]\r\n9060=  Data version:  \r\n30000=wrong\r\n"
          "[CHBatch]\r\n29005=batch 29005\r\n15051=batch 15051\r\n9060=wrong\r\n"
          "[Others]\r\n30000=others 30000\r\n29005=wrong\r\n");
    write("chinese.ini", "[Msg]\n9060=数据版本：\n");
    EXPECT_EQ(numberedMessage(m_folder, "english.ini", 9060), "Data version:");
    EXPECT_EQ(numberedMessage(m_folder, "english.ini", 29005), "batch 29005");
    EXPECT_EQ(numberedMessage(m_folder, "english.ini", 15051), "batch 15051");
    EXPECT_EQ(numberedMessage(m_folder, "english.ini", 30000), "others 30000");
    EXPECT_EQ(numberedMessage(m_folder, "english.ini", 42), "other 42");
    EXPECT_EQ(numberedMessage(m_folder, "chinese.ini", 9060), "数据版本：");
}

TEST_F(NumberedMessageTest, MissingFileSectionOrKeyGivesEmptyText)
{
    write("english.ini", "[Msg]\n9060=Data version:\n");
    EXPECT_EQ(numberedMessage(m_folder, "chinese.ini", 9060), "");            // no such file
    EXPECT_EQ(numberedMessage(m_folder / "absent", "english.ini", 9060), ""); // no such folder
    EXPECT_EQ(numberedMessage(m_folder, "english.ini", 29005), "");           // no [CHBatch]
    EXPECT_EQ(numberedMessage(m_folder, "english.ini", 9061), "");            // no key
    EXPECT_EQ(numberedMessage(m_folder, "", 9060), "");                       // no language file named
}

TEST_F(NumberedMessageTest, LongMessageIsCutToTheBuffer)
{
    write("chinese.ini",
          "[Others]\n30000=" + std::string(300, 'x') + "\n30001=" + std::string(253, 'y') + " z\n");
    EXPECT_EQ(numberedMessage(m_folder, "chinese.ini", 30000), std::string(254, 'x'));
    // The cut falls on the blank; what is left is trimmed.
    EXPECT_EQ(numberedMessage(m_folder, "chinese.ini", 30001), std::string(253, 'y'));
}

// The language files shipped in the resource folder hold the version question in both languages.
TEST(ShippedLanguageFiles, HoldTheVersionMessages)
{
    const char* resources = std::getenv("CORVANE_RESOURCE_DIR");
    ASSERT_NE(resources, nullptr);
    const std::filesystem::path folder = std::filesystem::path(resources) / "language";
    for (const char* file : {"english.ini", "chinese.ini"}) {
        for (int number = 9060; number <= 9063; ++number) {
            EXPECT_FALSE(numberedMessage(folder, file, number).empty()) << file << " " << number;
        }
    }
    EXPECT_NE(numberedMessage(folder, "english.ini", 9063), numberedMessage(folder, "chinese.ini", 9063));
}

} // namespace
} // namespace corvane::model
