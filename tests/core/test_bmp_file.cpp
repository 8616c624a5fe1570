#include <gtest/gtest.h>

#include <filesystem>

#include "data/file_error.h"
#include "imaging/bmp_file.h"
#include "temp_dir.h"

using namespace lumera;
using lumera::testing::TempDir;

TEST(BmpFile, RoundTripKeepsEveryByteOfOddWidths)
{
    TempDir dir;
    for (int width : {1, 2, 3, 5, 61}) {
        Bitmap picture(width, 7);
        for (int y = 0; y < 7; ++y)
            for (std::size_t i = 0; i < picture.RowBytes(); ++i) picture.ScanLine(y)[i] = static_cast<uint8_t>(i * 31 + y);
        WriteBmp(dir.File("p.bmp"), picture);
        EXPECT_EQ(ReadBmp(dir.File("p.bmp")), picture) << width;
    }
}

TEST(BmpFile, WrittenFileIsStandard24Bit)
{
    TempDir dir;
    Bitmap picture(3, 2);
    WriteBmp(dir.File("p.bmp"), picture);
    const std::string bytes = lumera::testing::ReadAll(dir.File("p.bmp"));
    ASSERT_GE(bytes.size(), 54u + 2 * 12);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24);  // bits per pixel
}

TEST(BmpFile, DamagedOrForeignFilesRefusedNamingTheFile)
{
    TempDir dir;
    Bitmap picture(20, 20);
    WriteBmp(dir.File("good.bmp"), picture);
    std::string bytes = lumera::testing::ReadAll(dir.File("good.bmp"));
    const auto write = [&](const std::string& name, const std::string& content) {
        std::ofstream(dir.File(name), std::ios::binary) << content;
    };
    write("cut.bmp", bytes.substr(0, 40));
    write("text.bmp", "hello, this is not a picture at all, honestly");
    std::string wide = bytes;
    wide[18] = '\x7f';
    wide[19] = '\x7f';
    wide[20] = '\x7f';  // width far beyond the data
    write("wide.bmp", wide);
    for (const char* name : {"cut.bmp", "text.bmp", "wide.bmp", "missing.bmp"}) {
        try {
            ReadBmp(dir.File(name));
            ADD_FAILURE() << name << " was accepted";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
        }
    }
}

TEST(BmpFile, FailedWriteLeavesExistingFileAndNoTemporary)
{
    TempDir dir;
    Bitmap picture(4, 4);
    picture.Fill(9, 9, 9);
    WriteBmp(dir.File("p.bmp"), picture);
    EXPECT_THROW(WriteBmp(dir.File("p.bmp"), Bitmap()), FileError);
    EXPECT_THROW(WriteBmp(dir.File("no/such/folder/p.bmp"), picture), FileError);
    EXPECT_EQ(ReadBmp(dir.File("p.bmp")), picture);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) files += entry.is_regular_file();
    EXPECT_EQ(files, 1);
}
