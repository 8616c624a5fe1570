#include <charconv>
#include <stdexcept>

#include "commands.h"
#include "imaging/bmp_file.h"
#include "imaging/detail.h"
#include "imaging/detail_click.h"

namespace lumera::cli {

namespace {

// "X,Y": two decimal integers and nothing else.
DetailClick ParsePosition(const std::string& text)
{
    DetailClick p;
    const char* const end = text.data() + text.size();
    auto [afterX, ex] = std::from_chars(text.data(), end, p.X);
    if (ex == std::errc() && afterX != end && *afterX == ',') {
        auto [afterY, ey] = std::from_chars(afterX + 1, end, p.Y);
        if (ey == std::errc() && afterY == end) return p;
    }
    throw std::invalid_argument("Volba --at musí mít tvar X,Y (dvě celá čísla), ne \"" + text + "\".");
}

}  // namespace

void AddDetailCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand("detail", "Write the 241 x 241 magnified detail of a picture around a position");
    struct Options {
        std::string input, at, output;
    };
    auto options = std::make_shared<Options>();
    sub->add_option("IN", options->input, "Picture (BMP)")->required();
    sub->add_option("--at", options->at, "Position X,Y (0-based), as the window passes it after raising to 30")
        ->required();
    sub->add_option("-o,--output", options->output, "Output picture (24-bit BMP)")->required();
    sub->callback([options, &action] {
        action = [options] {
            const DetailClick position = ParsePosition(options->at);
            const Bitmap source = ReadBmp(options->input);
            if (!CanShowDetail(source))
                throw std::invalid_argument("Obrázek " + options->input + " je menší než 61 x 61 bodů (" +
                                            std::to_string(source.Width()) + " x " +
                                            std::to_string(source.Height()) + "), detail nelze zobrazit.");
            // The window raises a click to at least 30 before it magnifies;
            // a position given already raised stays as it is.
            const DetailClick click = RaiseDetailClick(position.X, position.Y);
            Bitmap detail(kDetailSide, kDetailSide);
            ShowDetail(source, detail, click.X, click.Y);
            WriteBmp(options->output, detail);
            return 0;
        };
    });
}

}  // namespace lumera::cli
