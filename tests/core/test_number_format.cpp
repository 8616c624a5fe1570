#include <gtest/gtest.h>

#include "data/number_format.h"
#include "data/program_paths.h"

using namespace lumera;

TEST(FormatNumber, ShortestGeneralForm)
{
    EXPECT_EQ(FormatNumber(1234), "1234");
    EXPECT_EQ(FormatNumber(-12), "-12");
    EXPECT_EQ(FormatNumber(0.3917), "0.3917");
    EXPECT_EQ(FormatNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatNumber(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FormatNumber(-0.0), "0");
}

TEST(FormatNumber, DecimalCommaAndExponents)
{
    EXPECT_EQ(FormatNumber(0.0086, ','), "0,0086");
    EXPECT_EQ(FormatNumber(0.98635, ','), "0,98635");
    EXPECT_EQ(FormatNumber(1.5e-5, ','), "1,5E-5");
    EXPECT_EQ(FormatNumber(1e20), "1E20");
    EXPECT_EQ(FormatNumber(123456789012345.0), "123456789012345");
}

TEST(ProgramPath, EitherSeparatorJoinsBelowProgramDir)
{
    EXPECT_EQ(ProgramPath("/home/u/lumera", "\\data\\vyrezy\\"), "/home/u/lumera/data/vyrezy/");
    EXPECT_EQ(ProgramPath("/home/u/lumera/", "/data/refsp/AllRefSp.dat"), "/home/u/lumera/data/refsp/AllRefSp.dat");
    EXPECT_EQ(ProgramPath("/home/u/lumera", "obr"), "/home/u/lumera/obr");
    EXPECT_EQ(ProgramPath("/", "\\obr\\"), "/obr/");
}
