// The crown editor's files: the matrix in and out, the crown layer and the
// background pictures.
#include <filesystem>

#include "crown_polygons.h"
#include "crowns/crown_edits.h"
#include "crowns/crown_reflectance.h"
#include "data/file_error.h"
#include "data/program_paths.h"
#include "ekvalizace_form.h"
#include "file_dialogs.h"
#include "geo_reference.h"
#include "imaging/true_colour.h"
#include "main_form.h"
#include "picture_files.h"
#include "picture_view.h"
#include "upravy_korun_form.h"
#include "workbench.h"

namespace lumera::gui {

namespace {

std::string Size(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

}  // namespace

std::string TUpravyKorunForm::FolderOf(const char* programFolder) const
{
    return ProgramPath(App.Data.ProgramDir, programFolder);
}

bool TUpravyKorunForm::Accept(TTreeMatrix trees, const std::string& source)
{
    const TData& cube = App.Data.Cube;
    if (App.Data.DataLoaded && (trees.Width != cube.NColumns || trees.Height != cube.NRows)) {
        App.Messages.Error("Matice stromů " + source + " má rozměry " + Size(trees.Width, trees.Height) +
                           ", načtený výřez " + Size(cube.NColumns, cube.NRows) + ".");
        return false;
    }
    if (Modified() && !App.Messages.Confirm("Neuložené úpravy korun se ztratí. Pokračovat?")) return false;
    trees_ = std::move(trees);
    history_.Clear();
    savedState_ = history_.State();
    surface_ = TMatice();
    hovered_ = 0;
    SetTool(tool_);
    if (background_.Width() != trees_.Width || background_.Height() != trees_.Height) background_ = Bitmap();
    if (App.Data.DataLoaded && background_.Empty() && !TrueColourRefusal(cube)) background_ = TrueColourComposite(cube);
    Redraw();
    Tell(QString::fromStdString("Matice " + source + ": " + Size(trees_.Width, trees_.Height) + " bodů."));
    return true;
}

bool TUpravyKorunForm::LoadMatrix(const std::string& path)
{
    TTreeMatrix trees;
    try {
        trees = ReadTreeMatrix(path);
    } catch (const FileError& e) {
        App.Messages.Error(e.what());
        return false;
    }
    return Accept(std::move(trees), "ze souboru " + path);
}

bool TUpravyKorunForm::TakeDelineatedMatrix()
{
    const TTreeMatrix& trees = App.MainForm->DelineatedTrees;
    if (trees.Values.empty()) {
        App.Messages.Information("Nejprve spusťte automatické vymezení korun.");
        return false;
    }
    return Accept(trees, "z automatického vymezení");
}

bool TUpravyKorunForm::SaveMatrix(const std::string& path)
{
    TTreeMatrix numbered = trees_;
    RenumberCrowns(numbered);
    try {
        WriteTreeMatrix(path, numbered);
    } catch (const FileError& e) {
        App.Messages.Error(e.what());
        return false;
    }
    savedState_ = history_.State();
    return NoteSaved(true, path);
}

bool TUpravyKorunForm::SaveCrownLayer(const std::string& path)
{
    const std::string geoPath = App.MainForm->CutoutPath + ".geo.json";
    if (!App.Data.DataLoaded || !std::filesystem::exists(geoPath)) {
        App.Messages.Information("Načtený výřez nemá georeferenci (soubor " + geoPath + "), vrstvu korun nelze uložit.");
        return false;
    }
    try {
        const GeoReference reference = ReadGeoReference(geoPath, trees_.Width, trees_.Height);
        TTreeMatrix numbered = trees_;
        RenumberCrowns(numbered);
        WriteCrownLayer(path, CrownLayerOf(numbered, reference));
    } catch (const FileError& e) {
        App.Messages.Error(e.what());
        return false;
    }
    return NoteSaved(true, path);
}

bool TUpravyKorunForm::SaveCrownSpectra(const std::string& path)
{
    const TData& cube = App.Data.Cube;
    if (!App.Data.DataLoaded) {
        App.Messages.Information("Nejprve nahrajte datový výřez, ze kterého se spektra korun spočtou.");
        return false;
    }
    if (const auto refusal = CrownSpectraRefusal(cube, trees_)) {
        App.Messages.Error(*refusal);
        return false;
    }
    TTreeMatrix numbered = trees_;
    RenumberCrowns(numbered);
    try {
        WriteCrownSpectra(path, CrownSpectra(cube, numbered), cube.NBands);
    } catch (const FileError& e) {
        App.Messages.Error(e.what());
        return false;
    }
    return NoteSaved(true, path);
}

bool TUpravyKorunForm::SetBackground(Bitmap picture, const std::string& source)
{
    if (picture.Width() != trees_.Width || picture.Height() != trees_.Height) {
        App.Messages.Error("Obrázek " + source + " má rozměry " + Size(picture.Width(), picture.Height()) +
                           ", matice stromů " + Size(trees_.Width, trees_.Height) + ".");
        return false;
    }
    background_ = std::move(picture);
    Redraw();
    return true;
}

bool TUpravyKorunForm::ShowTrueColour()
{
    if (!App.Data.DataLoaded) {
        App.Messages.Information("Nejprve nahrajte datový výřez.");
        return false;
    }
    if (const auto refusal = TrueColourRefusal(App.Data.Cube)) {
        App.Messages.Information(*refusal);
        return false;
    }
    return SetBackground(TrueColourComposite(App.Data.Cube), "v pravých barvách");
}

bool TUpravyKorunForm::ShowEqualized()
{
    const Bitmap& equalized = App.EkvalizaceForm->ZpracovaneImage->Picture();
    if (equalized.Empty()) {
        App.Messages.Information("Nejprve vytvořte ekvalizovaný obraz v okně Adaptivní ekvalizace.");
        return false;
    }
    return SetBackground(equalized, "z ekvalizace");
}

bool TUpravyKorunForm::LoadBackground(const std::string& path)
{
    std::optional<Bitmap> picture = ReadPicture(path, App.Messages);
    return picture && SetBackground(std::move(*picture), path);
}

void TUpravyKorunForm::OpenClick()
{
    if (const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Otevřít matici"), FolderOf("\\data\\vystup")))
        LoadMatrix(*path);
}

void TUpravyKorunForm::SaveClick()
{
    if (const auto path = App.Dialogs.SaveFile(this, QStringLiteral("Uložit matici"), FolderOf("\\data\\vystup")))
        SaveMatrix(*path);
}

void TUpravyKorunForm::GpkgClick()
{
    if (const auto path =
            App.Dialogs.SaveFile(this, QStringLiteral("Uložit do GeoPackage"), FolderOf("\\data\\vystup")))
        SaveCrownLayer(WithDefaultExtension(*path, ".gpkg"));
}

void TUpravyKorunForm::SpektraClick()
{
    if (const auto path =
            App.Dialogs.SaveFile(this, QStringLiteral("Uložit spektra korun"), FolderOf("\\data\\vystup")))
        SaveCrownSpectra(WithDefaultExtension(*path, ".csv"));
}

void TUpravyKorunForm::BackgroundClick()
{
    if (const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Obrázek pozadí"), FolderOf("\\obr\\")))
        LoadBackground(*path);
}

bool TUpravyKorunForm::MayClose()
{
    return !Modified() || App.Messages.Confirm("Úpravy korun nejsou uloženy. Zavřít okno bez uložení?");
}

}  // namespace lumera::gui
