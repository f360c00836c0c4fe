#include "model/profile_file.h"
#include "model/safe_file.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace corvane::model {
namespace {

class ProfileFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() /
                   ("corvane-profile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::filesystem::path write(const std::string& name, const std::string& text)
    {
        const auto path = m_folder / name;
        EXPECT_TRUE(writeFileAtomically(path, text));
        return path;
    }

    std::filesystem::path m_folder;
};

TEST_F(ProfileFileTest, ReadsValuesAsWritten)
{
    const auto file = write("a.ini", "\xEF\xBB\xBF; settings\r\n[language]\r\nIsFirstRun = 1 \r\n"
                                     "comPort=3\r\n\r\n[Msg]\r\n9060=数据版本, 程序版本\r\n"
                                     "Quoted=\"  padded  \"\r\nEq=a=b\r\n");
    EXPECT_EQ(readIniString(file, "language", "IsFirstRun"), "1");
    EXPECT_EQ(readIniString(file, "LANGUAGE", "comport"), "3"); // names match without case
    EXPECT_EQ(readIniString(file, "Msg", "9060"), "数据版本, 程序版本"); // commas are kept
    EXPECT_EQ(readIniString(file, "Msg", "Quoted"), "padded");
    EXPECT_EQ(readIniString(file, "Msg", "Eq"), "a=b");
}

TEST_F(ProfileFileTest, MissingFileSectionOrKeyIsEmpty)
{
    const auto file = write("b.ini", "[language]\ncomPort=3\n");
    EXPECT_EQ(readIniString(m_folder / "none.ini", "language", "comPort"), "");
    EXPECT_EQ(readIniString(file, "Other", "comPort"), "");
    EXPECT_EQ(readIniString(file, "language", "IsFirstRun"), "");
    EXPECT_EQ(readIniString(file, "language", "comPort", 0), "");
}

TEST_F(ProfileFileTest, ValueStopsAtNulAndAtTheBuffer)
{
    using namespace std::string_literals;
    const auto file = write("c.ini", "[s]\nk=ab\0cd\nlong="s + std::string(600, 'x') + "\nzh=一二三四\n");
    EXPECT_EQ(readIniString(file, "s", "k"), "ab");
    EXPECT_EQ(readIniString(file, "s", "long").size(), 511u);
    EXPECT_EQ(readIniString(file, "s", "zh", 3), "一二"); // characters, not bytes
}

TEST_F(ProfileFileTest, WriterKeepsTheRestOfTheFile)
{
    const auto file = write("d.ini", "; head\r\n[language]\r\nIsFirstRun=1\r\n\r\n[Other]\r\nx=1,2\r\n");
    ASSERT_TRUE(writeIniString(file, "language", "IsFirstRun", "0"));
    ASSERT_TRUE(writeIniString(file, "language", "comPort", "12"));
    ASSERT_TRUE(writeIniString(file, "New", "k", "v"));
    EXPECT_EQ(*readWholeFile(file), "; head\r\n[language]\r\nIsFirstRun=0\r\ncomPort=12\r\n\r\n[Other]\r\nx=1,2\r\n"
                                    "[New]\r\nk=v\r\n");
    EXPECT_EQ(readIniString(file, "Other", "x"), "1,2");
}

TEST_F(ProfileFileTest, WriterCreatesTheFileAndItsFolder)
{
    const auto file = m_folder / "language" / "mysetup.ini";
    ASSERT_TRUE(writeIniString(file, "language", "comPort", "ttyUSB0"));
    EXPECT_EQ(*readWholeFile(file), "[language]\ncomPort=ttyUSB0\n");
    ASSERT_TRUE(writeIniString(file, "language", "note", "two\nlines"));
    EXPECT_EQ(readIniString(file, "language", "note"), "two lines");
}

TEST_F(ProfileFileTest, AtomicWriteFailureLeavesTheOldFile)
{
    const auto file = write("e.ini", "[s]\nk=old\n");
    EXPECT_FALSE(writeFileAtomically(m_folder / "missing-folder" / "x.ini", "data"));
    std::filesystem::create_directories(m_folder / "dir.ini");
    EXPECT_FALSE(writeFileAtomically(m_folder / "dir.ini", "data")); // cannot replace a folder
    EXPECT_EQ(*readWholeFile(file), "[s]\nk=old\n");
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
        EXPECT_EQ(entry.path().string().find(".tmp~"), std::string::npos) << entry.path();
    }
}

} // namespace
} // namespace corvane::model
