#include "app/hyperlink.h"
#include "app/skin_switch.h"

#include "tests/support/win_helpers.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

using qz::app::BuildSkinFilePath;
using qz::app::TextsFor;
using qz::app::ToggleSkinFile;
using qztest::PathExists;

TEST(SkinFilePath, AddsOneBackslashOnlyWhenMissing) {
    EXPECT_EQ("C:\\data\\Tencent\\QQ\\Skins\\skin.ini", BuildSkinFilePath("C:\\data"));
    EXPECT_EQ("C:\\data\\Tencent\\QQ\\Skins\\skin.ini", BuildSkinFilePath("C:\\data\\"));
    EXPECT_EQ("C:\\Tencent\\QQ\\Skins\\skin.ini", BuildSkinFilePath("C:\\"));
}

TEST(SkinFilePath, WithoutAFolderIsRelative) {
    EXPECT_EQ("Tencent\\QQ\\Skins\\skin.ini", BuildSkinFilePath(nullptr));
    EXPECT_EQ("Tencent\\QQ\\Skins\\skin.ini", BuildSkinFilePath(""));
}

TEST(SkinFilePath, UserPathLiesUnderTheApplicationDataFolder) {
    char appdata[MAX_PATH] = {};
    GetEnvironmentVariableA("APPDATA", appdata, MAX_PATH);
    EXPECT_EQ(BuildSkinFilePath(appdata), qz::app::UserSkinFilePath());
}

TEST(StateTexts, AreTheExactGbkTexts) {
    // GBK bytes of the texts, independent of how the source file is encoded.
    EXPECT_STREQ("\xc4\xfa\xb5\xc4QQ\xd2\xd1\xca\xc7\xcd\xb8\xc3\xf7\xc6\xa4\xb7\xf4\xa3\xa1",
                 TextsFor(true).status);
    EXPECT_STREQ("\xbb\xd6\xb8\xb4\xd4\xad\xb0\xe6", TextsFor(true).action);
    EXPECT_STREQ("\xc4\xfa\xb5\xc4QQ\xb2\xbb\xca\xc7\xcd\xb8\xc3\xf7\xc6\xa4\xb7\xf4\xa3\xa1",
                 TextsFor(false).status);
    EXPECT_STREQ("\xc6\xf4\xb6\xaf\xc6\xa4\xb7\xf4", TextsFor(false).action);
}

// What is at the skin path before a click.
enum class Before { Nothing, EmptyFile, FileWithContent, DirectoryWithFiles };

struct ToggleCase {
    const char* name;
    Before before;
    bool on_after;
};

void PrintTo(const ToggleCase& c, std::ostream* os) {
    *os << c.name;
}

class ToggleSkin : public testing::TestWithParam<ToggleCase> {
  protected:
    qztest::TempDir appdata;
    std::string skins = appdata.Join("Tencent\\QQ\\Skins");
    std::string path = BuildSkinFilePath(appdata.Path().c_str());
};

TEST_P(ToggleSkin, ActsOnWhatItFinds) {
    qztest::MakeDirs(skins);
    switch (GetParam().before) {
    case Before::Nothing: break;
    case Before::EmptyFile: qztest::WriteFileBytes(path, ""); break;
    case Before::FileWithContent: qztest::WriteFileBytes(path, "[skin]\r\nname=1\r\n"); break;
    case Before::DirectoryWithFiles:
        qztest::MakeDirs(path + "\\inner");
        qztest::WriteFileBytes(path + "\\a.txt", "x");
        qztest::WriteFileBytes(path + "\\inner\\b.txt", "y");
        break;
    }
    EXPECT_EQ(GetParam().on_after, ToggleSkinFile(path));
    EXPECT_EQ(GetParam().on_after, PathExists(path));
    if (GetParam().on_after) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
        EXPECT_FALSE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        EXPECT_EQ(0u, data.nFileSizeLow);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToggleSkin,
    testing::Values(ToggleCase{"NoFileCreatesAnEmptyOne", Before::Nothing, true},
                    ToggleCase{"EmptyFileIsDeleted", Before::EmptyFile, false},
                    ToggleCase{"FileWithContentIsDeleted", Before::FileWithContent, false},
                    ToggleCase{"DirectoryNamedSkinIniIsRemovedWithItsContents",
                               Before::DirectoryWithFiles, false}),
    [](const testing::TestParamInfo<ToggleCase>& info) { return info.param.name; });

TEST(ToggleSkinFailures, MissingSkinsFolderIsNotCreatedAndTheStateStaysOff) {
    qztest::TempDir appdata;
    const std::string path = BuildSkinFilePath(appdata.Path().c_str());
    for (int click = 0; click < 2; ++click) {
        EXPECT_FALSE(ToggleSkinFile(path)) << "click " << click;
        EXPECT_FALSE(PathExists(appdata.Join("Tencent")));
    }
}

TEST(ToggleSkinFailures, ReadOnlyFileThatCannotBeDeletedStaysOnAndTheNextClickRetries) {
    qztest::TempDir appdata;
    qztest::MakeDirs(appdata.Join("Tencent\\QQ\\Skins"));
    const std::string path = BuildSkinFilePath(appdata.Path().c_str());
    qztest::WriteFileBytes(path, "");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(ToggleSkinFile(path));
    EXPECT_TRUE(ToggleSkinFile(path));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(ToggleSkinFile(path));
}

TEST(HtmFallback, PutsTheTargetInPlaceOfPercentOne) {
    EXPECT_EQ("\"C:\\b.exe\" -url http://x/",
              qz::app::HtmCommandFor("\"C:\\b.exe\" -url %1", "http://x/"));
    EXPECT_EQ("b.exe \"http://x/\"", qz::app::HtmCommandFor("b.exe", "http://x/"));
}

} // namespace
