#include "delineate_step.h"

#include "crowns/crown_outlines.h"
#include "data/file_error.h"
#include "number_range.h"

namespace lumera::cli {

VegetationMask FittingMask(const Bitmap& mask, int width, int height, const std::string& maskPath)
{
    if (const auto refusal = MaskSizeRefusal(mask, width, height, maskPath)) throw FileError(*refusal);
    return PictureVegetationMask(mask);
}

void AddCrownRadiusOption(CLI::App& command, double& radius, const std::string& description)
{
    command.add_option("--crown-radius", radius, description)->check(NumberRange(0.5, 1000.0));
}

Bitmap OutlinedCrowns(Bitmap picture, const TTreeMatrix& trees)
{
    DrawCrownOutlines(picture, trees);
    return picture;
}

}  // namespace lumera::cli
