#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "crown_samples.h"
#include "crowns/crown_edits.h"
#include "crowns/edit_history.h"

namespace lumera {
namespace {

using testing::Trees;

struct EditCase {
    const char* Name;
    const char* Before;
    std::function<bool(TTreeMatrix&)> Edit;
    const char* After;  // nullptr: nothing changes
};

TEST(CrownEdits, EachEditGivesItsMatrixAndUndoesAndRedoes)
{
    TMatice ridge(5, 1);
    ridge.Values = {5, 3, 1, 3, 4};
    TMatice mirrored(5, 1);
    mirrored.Values = {4, 3, 1, 3, 5};
    const EditCase cases[] = {
        {"delete at both corners", "1122/1122/3344/3344",
         [](auto& t) { return DeleteCrown(t, {3, 3}) && DeleteCrown(t, {0, 0}); }, "..22/..22/33../33.."},
        {"delete background", "1.#", [](auto& t) { return DeleteCrown(t, {2, 0}) || DeleteCrown(t, {1, 0}); }, nullptr},
        {"merge", "1122/3344", [](auto& t) { return MergeCrowns(t, {0, 0}, {3, 0}); }, "1111/3344"},
        {"merge with itself", "1122", [](auto& t) { return MergeCrowns(t, {0, 0}, {1, 0}); }, nullptr},
        {"split across", "111111/111111/111111/111111", [](auto& t) { return SplitCrown(t, {2, 0}, {2, 3}); },
         "222111/222111/222111/222111"},
        {"split from outside the picture", "111111/111111/111111/111111",
         [](auto& t) { return SplitCrown(t, {-1, 1}, {6, 1}); }, "222222/222222/111111/111111"},
        {"a line not through the crown", "111111/111111/111111/111111",
         [](auto& t) { return SplitCrown(t, {2, 0}, {2, 1}); }, nullptr},
        {"a line over the background", "11.../11...", [](auto& t) { return SplitCrown(t, {3, 0}, {3, 1}); }, nullptr},
        {"a splinter is no crown", "111111/111111/111111/111111",
         [](auto& t) { return SplitCrown(t, {0, 1}, {1, 0}); }, nullptr},
        {"polygon over a crown, not a barrier", "7..../...../..#../...../.....",
         [](auto& t) { return PaintPolygon(t, {{0, 0}, {3, 0}, {3, 3}, {0, 3}}); }, "8888./8888./88#8./8888./....."},
        {"triangle", "...../...../.....",
         [](auto& t) { return PaintPolygon(t, {{0, 0}, {4, 0}, {0, 2}}); }, "11111/1111./11..."},
        {"polygon past the picture's edges", "...../.....",
         [](auto& t) { return PaintPolygon(t, {{-3, -1}, {1, -1}, {1, 1}, {-3, 1}}); }, "11.../11..."},
        {"brush at the corner", "...../...../.....", [](auto& t) { return PaintDisc(t, {0, 0}, 1, 3); },
         "33.../3..../....."},
        {"the same stroke again", "33.../3..../.....", [](auto& t) { return PaintDisc(t, {0, 0}, 1, 3); }, nullptr},
        {"grow into background only", "12.../.....", [](auto& t) { return GrowDisc(t, {1, 0}, 1, 1); },
         "121../.1..."},
        {"shrink", "111../111..", [](auto& t) { return ShrinkDisc(t, {0, 0}, 1, 1); }, "..1../.11.."},
        {"new top", "11111", [&](auto& t) { return AddTreeTop(t, ridge, {4, 0}); }, "11122"},
        {"the old top again", "11111", [&](auto& t) { return AddTreeTop(t, ridge, {0, 0}); }, nullptr},
        {"new top in the first column", "11111", [&](auto& t) { return AddTreeTop(t, mirrored, {0, 0}); }, "22111"},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TTreeMatrix before = Trees(c.Before);
        TTreeMatrix trees = before;
        EXPECT_EQ(c.Edit(trees), c.After != nullptr);
        const TTreeMatrix after = c.After ? Trees(c.After) : before;
        EXPECT_EQ(trees.Values, after.Values);
        EditHistory history;
        EXPECT_EQ(history.Record(before, trees), c.After != nullptr);
        if (!c.After) continue;
        ASSERT_TRUE(history.Undo(trees));
        EXPECT_EQ(trees.Values, before.Values);
        ASSERT_TRUE(history.Redo(trees));
        EXPECT_EQ(trees.Values, after.Values);
    }
}

TEST(CrownEdits, RenumberingFollowsTheRowsAndTheHistoryHoldsTwoHundredSteps)
{
    TTreeMatrix trees = Trees("..5/79./5.#");
    RenumberCrowns(trees);
    EXPECT_EQ(trees.Values, Trees("..1/23./1.#").Values);

    TTreeMatrix counter(1, 1);
    EditHistory history;
    for (int step = 1; step <= 250; ++step) {
        const TTreeMatrix before = counter;
        counter.Values[0] = step;
        history.Record(before, counter);
    }
    int undone = 0;
    while (history.Undo(counter)) ++undone;
    EXPECT_EQ(undone, 200);
    EXPECT_EQ(counter.Values[0], 50);
    const std::size_t loaded = history.State();
    history.Redo(counter);
    history.Clear();  // another matrix loaded: nothing of the old one to undo or redo
    EXPECT_FALSE(history.CanUndo() || history.Redo(counter));
    EXPECT_NE(history.State(), loaded);
}

}  // namespace
}  // namespace lumera
