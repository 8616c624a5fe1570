#include <gtest/gtest.h>

#include <stdexcept>

#include "crowns/tree_table.h"

using namespace lumera;

namespace {

// Trees 2 and 5 with a barrier and background between them.
TTreeMatrix TwoTrees()
{
    TTreeMatrix trees(3, 2);
    trees.Values = {5, 5, -1, 2, 0, 5};
    return trees;
}

}  // namespace

TEST(TreeTable, MeansAreTakenOverEachTreesPixelsInTreeOrder)
{
    const std::vector<double> grid = {1.0, 2.0, 100.0, 0.25, 100.0, 6.0};
    EXPECT_EQ(MeanPerTree(TwoTrees(), grid), (std::vector<double>{0.25, 3.0}));
    EXPECT_THROW(MeanPerTree(TwoTrees(), std::vector<double>(5)), std::invalid_argument);
}

TEST(TreeTable, CsvHasTheHeaderAndOneRoundTrippingRowPerTree)
{
    const TExtremaList tops = {{0, 1}, {1, 0}};
    std::vector<TTreeRow> rows;
    const std::vector<TTreeFigures> figures = MeasureTrees(TwoTrees(), tops);
    for (const TTreeFigures& f : figures) rows.push_back({f, 0.1, -1.0 / 3.0});
    EXPECT_EQ(TreeTableCsv(rows),
              "tree,seed_x,seed_y,pixels,centroid_x,centroid_y,min_x,min_y,max_x,max_y,mean_brightness,mean_ndvi\n"
              "2,1,0,1,0,1,0,1,0,1,0.1,-0.3333333333333333\n"
              "5,-1,-1,3,1,0.3333333333333333,0,0,2,1,0.1,-0.3333333333333333\n");
}
