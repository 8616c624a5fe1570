#include "filter_panel.h"

#include <stdexcept>

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/program_paths.h"
#include "extrema/brightness.h"
#include "decimal_separator.h"
#include "file_dialogs.h"
#include "file_errors.h"
#include "readable_cells.h"
#include "tool_window.h"
#include "widget_factory.h"
#include "workbench.h"

namespace lumera::gui {

namespace {

constexpr int kCellWidth = 72;  // the leading digits and the exponent of a 15-digit text
constexpr int kCellHeight = 20;

// An empty cell is one nobody filled in: the user is told how to fill it.
std::string CellErrorMessage(const FilterCellError& error)
{
    if (!error.Text().empty()) return error.what();
    return "Matice filtru má prázdnou buňku. Vyplňte ji, nebo matici naplňte tlačítkem \"Nastavit\", \"Gauss\" "
           "nebo \"Nahrát\".";
}

}  // namespace

FilterPanel::FilterPanel(Workbench& workbench, ToolWindow* owner) : App(workbench), Owner(owner)
{
    CreateControls();
    LayOut();
    // "Použít filtr" starts ticked: the searches work at once with the
    // batch tool's default filter rather than stopping at empty cells.
    SetCells(GaussFilter(kDefaultFilterEdge, UserDecimalSeparator()));
}

void FilterPanel::CreateControls()
{
    FiltrPanel = MakePanel("FiltrPanel");
    Label10 = MakeHeading("Label10", QStringLiteral("Filtr typu dolní propust"));
    HranaLabel = MakeLabel("HranaLabel", QStringLiteral("Hrana okolí"));
    HranaFiltru = MakeSpin("HranaFiltru", kMinFilterEdge, kMaxFilterEdge, kDefaultFilterEdge);
    HranaFiltru->setSingleStep(2);
    MaticeLabel = MakeLabel("MaticeLabel", "Matice");
    MaticeFiltru = Named(new QTableWidget(kDefaultFilterEdge, kDefaultFilterEdge), "MaticeFiltru");
    MaticeFiltru->horizontalHeader()->hide();
    MaticeFiltru->verticalHeader()->hide();
    MaticeFiltru->horizontalHeader()->setDefaultSectionSize(kCellWidth);
    MaticeFiltru->verticalHeader()->setDefaultSectionSize(kCellHeight);
    MaticeFiltru->horizontalHeader()->setMinimumSectionSize(kCellWidth);
    MaticeFiltru->verticalHeader()->setMinimumSectionSize(kCellHeight);
    MaticeFiltru->setTabKeyNavigation(true);
    MakeCellsReadable(MaticeFiltru);
    MaticeFiltru->setFixedSize(kDefaultFilterEdge * kCellWidth + 2 * MaticeFiltru->frameWidth(),
                               kDefaultFilterEdge * kCellHeight + 2 * MaticeFiltru->frameWidth());
    HranaBtn = MakeButton("HranaBtn", "Nastavit");
    NormBtn = MakeButton("NormBtn", "Normovat");
    GaussBtn = MakeButton("GaussBtn", "Gauss");
    FiltrLoadBtn = MakeButton("FiltrLoadBtn", QStringLiteral("Nahrát"));
    FiltrSaveBtn = MakeButton("FiltrSaveBtn", QStringLiteral("Uložit"));
}

// The heading, the edge with "Nastavit", then the grid with the other buttons
// under it (the grid's cells take the width).
void FilterPanel::LayOut()
{
    auto* edge = new QHBoxLayout;
    edge->addWidget(HranaLabel);
    edge->addWidget(HranaFiltru);
    edge->addWidget(HranaBtn);
    edge->addStretch();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {NormBtn, GaussBtn, FiltrLoadBtn, FiltrSaveBtn}) buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(FiltrPanel);
    layout->addWidget(Label10);
    layout->addLayout(edge);
    layout->addWidget(MaticeLabel);
    layout->addWidget(MaticeFiltru);
    layout->addLayout(buttons);
}

TFilterCells FilterPanel::Cells() const
{
    TFilterCells cells;
    cells.Edge = MaticeFiltru->columnCount();
    for (int row = 0; row < cells.Edge; ++row)
        for (int column = 0; column < cells.Edge; ++column) {
            const QTableWidgetItem* item = MaticeFiltru->item(row, column);
            cells.Texts.push_back(item ? item->text().toStdString() : std::string());
        }
    return cells;
}

void FilterPanel::SetCells(const TFilterCells& cells)
{
    MaticeFiltru->clearContents();
    MaticeFiltru->setRowCount(cells.Edge);
    MaticeFiltru->setColumnCount(cells.Edge);
    for (int row = 0; row < cells.Edge; ++row)
        for (int column = 0; column < cells.Edge; ++column)
            MaticeFiltru->setItem(row, column, ReadableCell(QString::fromStdString(cells.Cell(row, column))));
}

std::optional<int> FilterPanel::ChosenEdge()
{
    const int edge = HranaFiltru->value();
    if (const auto refusal = EdgeRefusal(edge)) {
        App.Messages.Information(*refusal);
        return std::nullopt;
    }
    return edge;
}

void FilterPanel::SetOnes()
{
    if (const auto edge = ChosenEdge()) SetCells(OnesFilter(*edge));
}

void FilterPanel::Normalize()
{
    try {
        SetCells(NormalizeFilter(Cells(), UserDecimalSeparator()));
    } catch (const FilterCellError& e) {
        App.Messages.Error(CellErrorMessage(e));
    } catch (const std::domain_error& e) {
        App.Messages.Error(e.what());
    }
}

void FilterPanel::Gauss()
{
    if (const auto edge = ChosenEdge()) SetCells(GaussFilter(*edge, UserDecimalSeparator()));
}

std::string FilterPanel::Folder() const { return ProgramPath(App.Data.ProgramDir, "\\data\\filtr"); }

void FilterPanel::AskLoad()
{
    if (const auto path = App.Dialogs.OpenFile(Owner, QStringLiteral("Nahrát filtr"), Folder())) Load(*path);
}

void FilterPanel::AskSave()
{
    if (const auto path = App.Dialogs.SaveFile(Owner, QStringLiteral("Uložit filtr"), Folder())) Save(*path);
}

bool FilterPanel::Load(const std::string& path)
{
    const std::optional<TFilterCells> cells = ReadReportingErrors(App.Messages, [&] { return ReadFilterFile(path); });
    if (!cells) return false;
    HranaFiltru->setValue(cells->Edge);
    SetCells(*cells);
    return true;
}

bool FilterPanel::Save(const std::string& path)
{
    return Owner->NoteSaved(WriteReportingErrors(App.Messages, [&] { WriteFilterFile(path, Cells()); }), path);
}

std::optional<TMatice> FilterPanel::FilteredBrightnessOf(const Bitmap& picture)
{
    try {
        return FilteredBrightness(picture, Cells());
    } catch (const FilterCellError& e) {
        App.Messages.Error(CellErrorMessage(e));
    } catch (const std::invalid_argument& e) {
        App.Messages.Error(e.what());
    }
    return std::nullopt;
}

}  // namespace lumera::gui
