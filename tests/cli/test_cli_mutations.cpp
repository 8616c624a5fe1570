// The batch tool's contract under damaged input: every command, fed mutated
// versions of valid files, exits 0, 1 or 2, writes no output file when it
// fails, and never replaces an existing output with a partial one.
#include <filesystem>
#include <functional>
#include <random>

#include "cli_checks.h"
#include "crowns/tree_matrix.h"
#include "data/cutout_file.h"
#include "reference_data.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;
namespace fs = std::filesystem;

namespace {

// A damaged copy of a file: flipped bits, overwritten header bytes, a cut or
// an inserted run, as a mutation fuzzer makes them.
std::string Mutate(const std::string& bytes, std::mt19937& rng)
{
    std::string out = bytes;
    std::uniform_int_distribution<int> kind(0, 4), byte(0, 255);
    auto at = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size ? size - 1 : 0)(rng); };
    switch (kind(rng)) {
    case 0:
        for (int i = 0; i < 4 && !out.empty(); ++i) out[at(out.size())] ^= char(1 << (byte(rng) % 8));
        break;
    case 1:  // headers hold the counts and sizes
        for (std::size_t i = 0; i < std::min<std::size_t>(out.size(), 64); i += 1 + at(8)) out[i] = char(byte(rng));
        break;
    case 2:
        out.resize(at(out.size()));
        break;
    case 3:
        out.insert(at(out.size()), std::string(1 + at(64), char(byte(rng))));
        break;
    default:
        for (std::size_t i = at(out.size()); i < out.size() && i < 40; ++i) out[i] = char(0xFF);
    }
    return out;
}

struct Command {
    std::string name;
    std::string inputFile;                                   // the file that gets mutated
    std::function<std::string(const std::string&)> arguments;  // given the mutated input's path
    std::string output;
};

}  // namespace

TEST(CliContract, MutatedInputsEndInACleanExitAndNeverAPartialOutput)
{
    TempDir dir;
    InstallReferenceFiles(dir.Path());
    WriteCutout(dir.File("cut.dat"), RandomCube(65, 9, 11, 3));
    WriteBmp(dir.File("pic.bmp"), PatternPicture(64, 62));
    TTreeMatrix trees(4, 3);
    trees.Values = {1, 1, 2, 2, 1, 0, 2, 2, 0, 0, 3, 3};
    WriteTreeMatrix(dir.File("trees.dat"), trees);
    const std::string programDir = " --program-dir " + Quote(dir.Path().string());
    const std::string out = dir.File("out");
    const std::vector<Command> commands{
        {"info", "cut.dat", [](const std::string& in) { return "info " + Quote(in); }, ""},
        {"bandmap", "cut.dat", [&](const std::string& in) { return "bandmap " + Quote(in) + " --band 3 -o " + Quote(out); }, out},
        {"truecolor", "cut.dat", [&](const std::string& in) { return "truecolor " + Quote(in) + " -o " + Quote(out); }, out},
        {"ndvi", "cut.dat", [&](const std::string& in) { return "ndvi " + Quote(in) + " -o " + Quote(out); }, out},
        {"needle", "cut.dat", [&](const std::string& in) { return programDir + " needle " + Quote(in) + " -o " + Quote(out); }, out},
        {"mask", "cut.dat", [&](const std::string& in) { return programDir + " mask " + Quote(in) + " -o " + Quote(out); }, out},
        {"detail", "pic.bmp", [&](const std::string& in) { return "detail " + Quote(in) + " --at 40,40 -o " + Quote(out); }, out},
        {"equalize", "pic.bmp", [&](const std::string& in) { return "equalize " + Quote(in) + " --window 5 -o " + Quote(out); }, out},
        {"evaluate", "trees.dat", [&](const std::string& in) { return "evaluate " + Quote(in) + " " + Quote(dir.File("trees.dat")); }, ""},
    };
    std::mt19937 rng(2024);
    const std::string sentinel = "an earlier result";
    for (const Command& command : commands) {
        const std::string original = ReadAll(dir.File(command.inputFile));
        for (int round = 0; round < 12; ++round) {
            const std::string mutated = dir.File("mutated");
            std::ofstream(mutated, std::ios::binary | std::ios::trunc) << Mutate(original, rng);
            if (!command.output.empty()) std::ofstream(command.output, std::ios::binary | std::ios::trunc) << sentinel;
            const CliResult r = RunCli(command.arguments(mutated));
            ASSERT_TRUE(r.exitCode == 0 || r.exitCode == 1 || r.exitCode == 2) << command.name << " exit " << r.exitCode;
            if (r.exitCode != 0) {
                EXPECT_EQ(r.out, "") << command.name;
                EXPECT_NE(r.err, "") << command.name;
                if (!command.output.empty()) EXPECT_EQ(ReadAll(command.output), sentinel) << command.name << ": " << r.err;
            }
        }
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            EXPECT_NE(entry.path().extension(), ".tmp") << "left behind: " << entry.path();
    }
}
