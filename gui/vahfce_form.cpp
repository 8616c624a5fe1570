#include "vahfce_form.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScreen>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/file_error.h"
#include "data/number_format.h"
#include "data/program_paths.h"
#include "decimal_separator.h"
#include "file_dialogs.h"
#include "picture_view.h"
#include "readable_cells.h"
#include "analysis/band_vector.h"
#include "analysis/weight_chart.h"
#include "analysis/weight_file.h"
#include "widget_factory.h"
#include "workbench.h"

namespace lumera::gui {

namespace {

constexpr int kColumnWidth = 70;
constexpr int kRowHeight = 24;

QStringList ReferenceEntries()
{
    QStringList entries;
    for (const char* name : kReferenceNames) entries << name;
    return entries;
}

}  // namespace

TVahFceForm::TVahFceForm(Workbench& workbench)
    : ToolWindow(workbench, "VahFceForm", QStringLiteral("Nastavení váhové funkce"))
{
    CreateControls();
    LayOut();
    FormCreate();
}

void TVahFceForm::CreateControls()
{
    VahFceGrid = Named(new QTableWidget(kWeightGridRows, kWeightGridColumns), "VahFceGrid");
    VahFceGrid->horizontalHeader()->hide();
    VahFceGrid->verticalHeader()->hide();
    VahFceGrid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    VahFceGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    VahFceGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    VahFceGrid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    // Without scroll bars the grid shows every cell; its columns share the
    // window's whole width, so that as much of each number as fits is read.
    const int frame = 2 * VahFceGrid->frameWidth();
    VahFceGrid->setMinimumWidth(kWeightGridColumns * kColumnWidth + frame);
    VahFceGrid->setFixedHeight(kWeightGridRows * kRowHeight + frame);
    VahFceGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    MakeCellsReadable(VahFceGrid);

    SaveBtn = MakeButton("SaveBtn", QStringLiteral("Uložit do souboru"));
    OpenBtn = MakeButton("OpenBtn", QStringLiteral("Nahrát ze souboru"));
    ResetNicBtn = MakeButton("ResetNicBtn", QStringLiteral("Výchozí = žádná"));
    ResetAkt = MakeButton("ResetAkt", QStringLiteral("Načíst aktuální"));
    SetBtn = MakeButton("SetBtn", QStringLiteral("Nastavit váhovou funkci"));
    CloseBtn = MakeButton("CloseBtn", QStringLiteral("Zavřít"));
    DrawTabBtn = MakeButton("DrawTabBtn", QStringLiteral("Vykreslit váhovou funkci z tabulky"));
    DrawAktBtn = MakeButton("DrawAktBtn", QStringLiteral("Vykreslit aktuální váhovou funkci"));
    DrawRefBtn = MakeButton("DrawRefBtn", QStringLiteral("Zakreslit aktuální referenční spektrum"));
    EraseBtn = MakeButton("EraseBtn", QStringLiteral("Smazat"));
    VahFceImage = new PictureView("VahFceImage");

    Panel1 = MakePanel("Panel1");
    Label1 = MakeLabel("Label1", QStringLiteral("Vyjít ze spektra:"));
    VyjitZeCombo = MakeCombo("VyjitZeCombo", ReferenceEntries(), 0);
    VyjitZeBtn = MakeButton("VyjitZeBtn", "Go");
    Label2 = MakeLabel("Label2", QStringLiteral("Aplikovat operaci:"));
    // No entry is selected at first, though the selector reads "Mocnina".
    OperaceCombo = MakeCombo("OperaceCombo",
                             {"Mocnina", "1 - X", QStringLiteral("Součin s pamětí"), QStringLiteral("Součet s pamětí")},
                             -1);
    OperaceCombo->setPlaceholderText("Mocnina");
    OperaceBtn = MakeButton("OperaceBtn", "Go");
    NormalCheck = Named(new QCheckBox(QStringLiteral("Vždy normalizovat")), "NormalCheck");
    XtoMBtn = MakeButton("XtoMBtn", QStringLiteral("Uložit do paměti"));
    MtoXBtn = MakeButton("MtoXBtn", QStringLiteral("Nahrát z paměti"));

    const QList<QPair<QPushButton*, void (TVahFceForm::*)()>> clicks = {
        {SaveBtn, &TVahFceForm::SaveBtnClick},       {OpenBtn, &TVahFceForm::OpenBtnClick},
        {ResetNicBtn, &TVahFceForm::ResetNicBtnClick}, {ResetAkt, &TVahFceForm::ResetAktClick},
        {SetBtn, &TVahFceForm::SetBtnClick},         {CloseBtn, &TVahFceForm::CloseBtnClick},
        {DrawTabBtn, &TVahFceForm::DrawTabBtnClick}, {DrawAktBtn, &TVahFceForm::DrawAktBtnClick},
        {DrawRefBtn, &TVahFceForm::DrawRefBtnClick}, {EraseBtn, &TVahFceForm::EraseBtnClick},
        {VyjitZeBtn, &TVahFceForm::VyjitZeBtnClick}, {OperaceBtn, &TVahFceForm::OperaceBtnClick},
        {XtoMBtn, &TVahFceForm::XtoMBtnClick},       {MtoXBtn, &TVahFceForm::MtoXBtnClick}};
    for (const auto& [button, slot] : clicks) connect(button, &QPushButton::clicked, this, slot);
}

// The table across the top; below it the picture with its drawing buttons,
// the operations panel and the file and setting buttons.
void TVahFceForm::LayOut()
{
    auto* panel = new QGridLayout(Panel1);
    panel->addWidget(Label1, 0, 0);
    panel->addWidget(VyjitZeCombo, 0, 1);
    panel->addWidget(VyjitZeBtn, 0, 2);
    panel->addWidget(Label2, 1, 0);
    panel->addWidget(OperaceCombo, 1, 1);
    panel->addWidget(OperaceBtn, 1, 2);
    panel->addWidget(NormalCheck, 2, 0, 1, 3);
    auto* memory = new QHBoxLayout;
    memory->addWidget(XtoMBtn);
    memory->addWidget(MtoXBtn);
    // The file and setting buttons two by two under the operations, so that
    // the window fits a narrow screen.
    auto* table = new QGridLayout;
    int place = 0;
    for (QPushButton* button : {SaveBtn, OpenBtn, ResetNicBtn, ResetAkt, SetBtn, CloseBtn}) {
        table->addWidget(button, place / 2, place % 2);
        ++place;
    }
    auto* operations = new QVBoxLayout;
    operations->addWidget(Panel1);
    operations->addLayout(memory);
    operations->addLayout(table);
    operations->addStretch();

    auto* drawing = new QVBoxLayout;
    for (QPushButton* button : {DrawTabBtn, DrawAktBtn, DrawRefBtn, EraseBtn}) drawing->addWidget(button);
    drawing->addStretch();

    auto* lower = new QHBoxLayout;
    lower->addWidget(VahFceImage, 0, Qt::AlignTop);
    lower->addLayout(drawing);
    lower->addLayout(operations);
    lower->addStretch();
    auto* columns = new QVBoxLayout;
    columns->addWidget(VahFceGrid);
    columns->addLayout(lower);
    columns->addStretch();
    SetContent(columns);
}

void TVahFceForm::FormCreate()
{
    const auto grid = NewWeightGrid(App.Data.BandTable, UserDecimalSeparator());
    for (int row = 0; row < kWeightGridRows; ++row)
        for (int column = 0; column < kWeightGridColumns; ++column)
            VahFceGrid->setItem(row, column, ReadableCell(QString::fromStdString(grid[row][column])));
    memory_.assign(kSpectralBands, 1.0);
    Bitmap white(kWeightChartWidth, kWeightChartHeight);
    white.Fill(255, 255, 255);
    VahFceImage->SetPicture(std::move(white));
}

void TVahFceForm::showEvent(QShowEvent* event)
{
    ToolWindow::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TVahFceForm::FormShow()
{
    setWindowTitle(mode_ == WeightEditorMode::Weight ? QStringLiteral("Nastavení vlastní váhové funkce")
                                                     : QStringLiteral("Nastavení vlastní protiváhové funkce"));
    if (shownOnce_ || !screen()) return;
    shownOnce_ = true;
    resize(sizeHint());  // measured once the controls have their style
    move(screen()->availableGeometry().center() - rect().center());
}

std::optional<SpectralVector> TVahFceForm::ReadTable()
{
    std::vector<std::string> texts;
    for (int i = 0; i < kSpectralBands; ++i) {
        const GridCell cell = WeightCell(i);
        const QTableWidgetItem* item = VahFceGrid->item(cell.Row, cell.Column);
        texts.push_back(item ? item->text().toStdString() : std::string());
    }
    ParsedWeights parsed = ParseWeights(texts, UserDecimalSeparator());
    if (parsed.Bad) {
        App.Messages.Error(NotANumberMessage(*parsed.Bad));
        return std::nullopt;
    }
    return std::move(parsed.Weights);
}

void TVahFceForm::WriteTable(const SpectralVector& weights)
{
    const char separator = UserDecimalSeparator();
    for (int i = 0; i < kSpectralBands; ++i) {
        const GridCell cell = WeightCell(i);
        VahFceGrid->setItem(cell.Row, cell.Column,
                            ReadableCell(QString::fromStdString(FormatNumber(weights[i], separator))));
    }
}

std::string TVahFceForm::WeightFolder() const { return ProgramPath(App.Data.ProgramDir, "\\data\\vahfce\\"); }

void TVahFceForm::SaveBtnClick()
{
    if (const auto path = App.Dialogs.SaveFile(this, QStringLiteral("Uložit do souboru"), WeightFolder()))
        SaveWeights(*path);
}

bool TVahFceForm::SaveWeights(const std::string& path)
{
    const auto weights = ReadTable();
    if (!weights) return false;
    try {
        WriteWeightFile(path, *weights);
        return NoteSaved(true, path);
    } catch (const FileError& e) {
        App.Messages.Error(e.what());
        return false;
    }
}

void TVahFceForm::OpenBtnClick()
{
    if (const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Nahrát ze souboru"), WeightFolder()))
        LoadWeights(*path);
}

bool TVahFceForm::LoadWeights(const std::string& path)
{
    try {
        WriteTable(ReadWeightFile(path));
        return true;
    } catch (const FileError& e) {
        App.Messages.Error(e.what());
        return false;
    }
}

void TVahFceForm::ResetNicBtnClick() { WriteTable(SpectralVector(kSpectralBands, 1.0)); }

void TVahFceForm::ResetAktClick() { WriteTable(CustomFunction(App.Spectral, mode_)); }

void TVahFceForm::SetBtnClick()
{
    const auto weights = ReadTable();
    if (!weights) return;
    if (!StoreCustomFunction(App.Spectral, mode_, *weights)) {
        App.Messages.Information("Všechny váhy jsou nulové, váhovou funkci nelze normalizovat ani nastavit.");
        return;
    }
    App.Messages.Information(mode_ == WeightEditorMode::Weight ? "Nová váhová funkce nastavena."
                                                                : "Nová protiváhová funkce nastavena.");
}

void TVahFceForm::CloseBtnClick() { close(); }

void TVahFceForm::DrawBars(const SpectralVector& f, int left, BgrColour colour)
{
    if (!DrawWeightBars(VahFceImage->Picture(), f, left, colour)) {
        App.Messages.Information("Váhová funkce nemá žádnou kladnou hodnotu, nelze ji vykreslit.");
        return;
    }
    VahFceImage->Repaint();
}

void TVahFceForm::DrawTabBtnClick()
{
    if (const auto weights = ReadTable()) DrawBars(*weights, 3, kTableBarColour);
}

void TVahFceForm::DrawAktBtnClick() { DrawBars(CustomFunction(App.Spectral, mode_), 5, kFunctionBarColour); }

void TVahFceForm::DrawRefBtnClick()
{
    const SpectralVector& reference = App.Spectral.CurrentReference;
    if (reference.empty()) {
        App.Messages.Information("Aktuální referenční spektrum (" + App.Spectral.ReferenceFileName +
                                 ") není načteno.");
        return;
    }
    if (!DrawReferenceLine(VahFceImage->Picture(), reference)) {
        App.Messages.Information("Referenční spektrum nemá žádnou kladnou hodnotu, nelze ho vykreslit.");
        return;
    }
    VahFceImage->Repaint();
}

void TVahFceForm::EraseBtnClick()
{
    ClearWeightChart(VahFceImage->Picture());
    VahFceImage->Repaint();
}

void TVahFceForm::VyjitZeBtnClick()
{
    const std::vector<SpectralVector>& table = App.Spectral.ReferenceTable;
    if (table.size() != std::size_t(kReferenceSpectra)) {
        App.Messages.Information(std::string("Tabulka referenčních spekter (") + kReferenceTableFile +
                                 ") není načtena.");
        return;
    }
    SpectralVector weights = table[VyjitZeCombo->currentIndex()];
    if (Normalise(weights)) WriteTable(weights);
}

bool TVahFceForm::Normalise(SpectralVector& weights)
{
    if (TryNormalisePeak(weights)) return true;
    App.Messages.Information("Všechny váhy jsou nulové, nelze je normalizovat.");
    return false;
}

void TVahFceForm::OperaceBtnClick()
{
    const auto x = ReadTable();
    if (!x) return;
    const auto operation = static_cast<WeightOperation>(OperaceCombo->currentIndex());
    if (UsesMemory(operation) && !memorySet_ &&
        !App.Messages.Confirm("Hodnota paměti nebyla nastavena, obsahuje jedničky. Pokračovat?"))
        return;
    SpectralVector y = ApplyWeightOperation(*x, operation, memory_, App.Messages);
    // Squares and sums of weights near the largest double overflow; the
    // table would show "INF" or "NAN" in place of numbers.
    if (!std::ranges::all_of(y, [](double v) { return std::isfinite(v); })) {
        App.Messages.Error("Výsledek operace přesahuje rozsah čísel, tabulka zůstává beze změny.");
        return;
    }
    if (NormalCheck->isChecked() && !Normalise(y)) return;
    WriteTable(y);
}

void TVahFceForm::XtoMBtnClick()
{
    const auto weights = ReadTable();
    if (!weights) return;
    memory_ = *weights;
    memorySet_ = true;
}

void TVahFceForm::MtoXBtnClick() { WriteTable(memory_); }

}  // namespace lumera::gui
