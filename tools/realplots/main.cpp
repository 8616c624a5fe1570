// Makes the real plots' pictures and true crowns from what the repository
// keeps of them (the 0.1 m colour pictures and the box lists):
//   lumera-realplots tests/data/idtrees OUTDIR
// writes OUTDIR/colour/NAME.bmp, OUTDIR/pictures/NAME.bmp (grey) and
// OUTDIR/truth/NAME.dat for every case of cases.csv.
#include <filesystem>
#include <iostream>

#include "crowns/tree_matrix.h"
#include "imaging/bmp_file.h"
#include "real_plots.h"

using namespace lumera;
using namespace lumera::realplots;

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: lumera-realplots DATA_FOLDER OUTDIR\n";
        return 2;
    }
    const std::string data = argv[1], out = argv[2];
    try {
        for (const char* sub : {"/colour", "/pictures", "/truth"}) std::filesystem::create_directories(out + sub);
        for (const PlotCase& plot : ReadCases(data)) {
            const Bitmap colour = ColourPicture(data, plot);
            WriteBmp(out + "/colour/" + plot.Name + ".bmp", colour);
            WriteBmp(out + "/pictures/" + plot.Name + ".bmp", GreyPicture(data, plot));
            WriteTreeMatrix(out + "/truth/" + plot.Name + ".dat",
                            TruthFromBoxes(data + "/boxes/" + plot.Name + "_boxes.csv", colour.Width(), colour.Height()));
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
