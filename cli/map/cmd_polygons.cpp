#include "commands.h"
#include "crown_polygons.h"
#include "extrema/extrema_file.h"
#include "geo_reference.h"

namespace lumera::cli {

void AddPolygonsCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand(kPolygonsCommand.Name, kPolygonsCommand.Description);
    struct Options {
        std::string trees, geo, tops, output;
    };
    auto o = std::make_shared<Options>();
    sub->add_option("TREES", o->trees, "Tree matrix file")->required();
    sub->add_option("--geo", o->geo, "Georeference of the cut-out (CUT.dat.geo.json); else pixel coordinates");
    sub->add_option("--tops", o->tops, "Extrema file of the maxima the trees grew from (tree k: the k-th point)");
    sub->add_option("-o", o->output, "Crowns file: .gpkg, .geojson or .shp")->required();
    sub->callback([o, &action] {
        action = [o] {
            const TTreeMatrix trees = ReadTreeMatrix(o->trees);
            GeoReference reference{kPixelTransform, ""};
            if (!o->geo.empty()) reference = ReadGeoReference(o->geo, trees.Width, trees.Height);
            std::optional<TExtremaList> tops;
            if (!o->tops.empty()) tops = ReadExtremaFile(o->tops);
            const CrownLayer layer = CrownLayerOf(trees, reference, tops ? &*tops : nullptr);
            WriteCrownLayer(o->output, layer);
            PrintJson({{"crowns", layer.Crowns.size()}, {"georeferenced", !o->geo.empty()}, {"area", layer.WithArea},
                       {"tops", layer.WithTops}});
            return 0;
        };
    });
}

}  // namespace lumera::cli
