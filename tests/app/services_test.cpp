// The rules the window and the command line share, without either: the
// command line's refusals, the options a settings file gives and what they
// write back, the files a folder export visits.
#include "command_line.h"
#include "folder_files.h"
#include "options.h"
#include "picture_export.h"
#include "recent_files.h"
#include "settings.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(EditorCommandLine, WrongUsageIsRefusedNamingTheArgument)
{
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--bogus"}, {"a.brg", "b.brg"}, {"--export"}, {"--subfolders"}})
        EXPECT_EQ(parseEditorCommand(wrong).kind, EditorCommand::Kind::Error) << wrong[0];
    EXPECT_EQ(parseEditorCommand({"--bogus"}).error, "unknown option --bogus");
}

TEST(OptionValues, SettingsKeepTheBoxesLimitsAndWriteBack)
{
    Settings s;
    const SettingsRead got = parseSettings("f\n 2  -5  0  700  -900  400  250 \n 1  0  0  1  1  1  0 \n", s);
    OptionValues o;
    applySettings(o, s, got);
    Settings back;
    storeSettings(o, back);
    EXPECT_EQ(back.numbers, (std::array<double, 7>{4, 0, 1, 500, -500, 400, 200}));
    EXPECT_EQ(back.checks, (std::array<int, 7>{1, 0, 0, 1, 1, 1, 0}));
    // What the boxes keep of typed values.
    EXPECT_EQ(keptScrollSize(-50.7), 51);
    EXPECT_EQ(keptScrollSize(9999999), 131068);
    EXPECT_EQ(keptLandStyle(400), 150);
    EXPECT_EQ(keptXYdiff(0.5), 1);
}

TEST(ExportFileList, SubfoldersInNameOrderWithoutHiddenFoldersOrLinks)
{
    trvtest::TempDir dir;
    const fs::path tree = dir.path() / "tree";
    for (const char* file : {"a.brg", "sub1/b.lvl", "sub1/deeper/c.brg", "sub2/d.brg", ".hidden/e.brg"}) {
        fs::create_directories((tree / file).parent_path());
        std::ofstream(tree / file) << "x";
    }
    fs::create_directories(dir.path() / "outside");
    std::ofstream(dir.path() / "outside/x.brg") << "x";
    fs::create_directory_symlink(tree, tree / "sub1/loop");
    fs::create_directory_symlink(tree / "sub2", tree / "sub3");
    fs::create_directory_symlink(dir.path() / "outside", tree / "sub4");
    fs::create_directory(tree / "fake.brg"); // a folder with a document's name

    // The folder runs take the documents among the files listed; links are listed,
    // to be refused one by one, but never walked into.
    auto documents = [&](bool subfolders) {
        std::vector<std::string> found;
        for (const std::string& f : trv::folderFiles(tree.string(), subfolders))
            if (isDocumentName(f))
                found.push_back(f.substr(tree.string().size()));
        return found;
    };
    EXPECT_EQ(documents(false), std::vector<std::string>{"/a.brg"});
    EXPECT_EQ(documents(true),
              (std::vector<std::string>{"/a.brg", "/sub1/b.lvl", "/sub1/deeper/c.brg", "/sub2/d.brg"}));
}

TEST(RecentFileList, APlantedLinkIsNeitherReadNorWritten)
{
    trvtest::TempDir dir;
    std::ofstream(dir.path() / "victim") << "precious";
    fs::create_symlink(dir.path() / "victim", dir.path() / "recent-files");
    RecentFiles list((dir.path() / "recent-files").string());
    EXPECT_NE(list.read().find("is a symbolic link"), std::string::npos);
    list.add("/a/b.brg");
    EXPECT_FALSE(list.write());
    EXPECT_TRUE(fs::is_symlink(dir.path() / "recent-files"));
    std::string kept;
    std::getline(std::ifstream(dir.path() / "victim"), kept);
    EXPECT_EQ(kept, "precious");
}
