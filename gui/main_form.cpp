#include "main_form.h"

#include <algorithm>
#include <filesystem>

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>

#include "data/cutout_file.h"
#include "data/file_error.h"
#include "data/number_format.h"
#include "data/program_paths.h"
#include "mapping/geo_reference_file.h"
#include "decimal_separator.h"
#include "ekvalizace_form.h"
#include "extr_form.h"
#include "extr_form2.h"
#include "picture_view.h"
#include "analysis/analysis_state.h"
#include "upravy_korun_form.h"
#include "vahfce_form.h"
#include "vysl_form.h"
#include "workbench.h"

namespace lumera::gui {

namespace {

constexpr int kDetailSide = 241;

}  // namespace

TMainForm::TMainForm(Workbench& workbench) : App(workbench)
{
    setObjectName("MainForm");
    setWindowTitle("Lumera");
    resize(1104, 880);
    setWindowState(Qt::WindowMaximized);
    CreateControls();
    CreateMenu();
    FormCreate();
}

void TMainForm::FormCreate()
{
    App.Data.ProgramDir = QDir::currentPath().toStdString();
    PrepareSpectralState();
    App.Data.DataLoaded = false;
    App.Data.BandTable = InitBandTable();
    FillBandList();
    LoadReferenceTable();
    SpektrumImage->SetPictureSize(545, 400);
    SpektrumImage->Picture().Fill(255, 255, 255);
    SpektrumImage->Repaint();
    DetailImage->SetPictureSize(kDetailSide, kDetailSide);
}

void TMainForm::FillBandList()
{
    const char separator = UserDecimalSeparator();
    const TBandTable& table = App.Data.BandTable;
    int widest = 0;
    for (int i = 1; i <= App.Data.NBands(); ++i) {
        const QString line = QString::fromStdString("Band " + std::to_string(i) + "   center: " +
                                                    FormatNumber(table[i - 1].Center, separator) + "   width: " +
                                                    FormatNumber(table[i - 1].Width, separator));
        Memo1->appendPlainText(line);
        widest = std::max(widest, Memo1->fontMetrics().horizontalAdvance(line));
    }
    // One band a line, read from band 1: the list is as wide as its longest
    // line and starts scrolled to the top, not where the last line went in.
    const int margins = 2 * (Memo1->frameWidth() + int(Memo1->document()->documentMargin())) + 4;
    Memo1->setFixedWidth(std::max(Memo1->width(), widest + margins + Memo1->verticalScrollBar()->sizeHint().width()));
    OBandechPanel->setFixedWidth(Memo1->width() + 10);
    Memo1->moveCursor(QTextCursor::Start);
}

void TMainForm::Nahrvn1Click()
{
    const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Nahrávání"),
                                           ProgramPath(App.Data.ProgramDir, "\\data\\vyrezy\\"));
    if (path) LoadCutout(*path);
}

bool TMainForm::LoadCutout(const std::string& path)
{
    TData cube;
    double pixelSize = 0.0;
    try {
        cube = ReadCutout(path);
        pixelSize = CutoutPixelSizeMetres(path);
    } catch (const FileError& e) {
        App.Messages.Error(e.what());
        return false;
    }
    App.Data.Cube = std::move(cube);
    App.Data.PixelSize = pixelSize;
    CutoutPath = path;
    BandMapImage->SetPictureSize(App.Data.NColumns(), App.Data.NRows());
    VzorImage->SetPictureSize(App.Data.NColumns(), App.Data.NRows());
    App.Data.DataLoaded = true;
    LimitSpinsToCutout();
    SouborLabel->setText(QString::fromStdString(std::filesystem::absolute(path).string()));
    App.Messages.Information("Datový výřez načten ze souboru.");
    return true;
}

bool TMainForm::CutoutLoaded()
{
    if (!App.Data.DataLoaded) App.Messages.Information("Nejprve nahrajte datový výřez.");
    return App.Data.DataLoaded;
}

void TMainForm::Obandech1Click()
{
    OBandechPanel->setHidden(!OBandechPanel->isHidden());
    Obandech1->setChecked(!OBandechPanel->isHidden());
}

void TMainForm::Adaptivnekvalizace1Click() { App.EkvalizaceForm->ShowWindow(); }
void TMainForm::Loklnextrmy1Click() { App.ExtrForm->ShowWindow(); }
void TMainForm::Zpracovnloklnchextrm1Click() { App.ExtrForm2->ShowWindow(); }
void TMainForm::Srovnvn1Click() { App.VyslForm->ShowWindow(); }

// The editor starts with the crowns just delineated when it has none of its own.
void TMainForm::Upravykorun1Click()
{
    TUpravyKorunForm& editor = *App.UpravyKorunForm;
    if (editor.Trees().Values.empty() && !DelineatedTrees.Values.empty()) editor.TakeDelineatedMatrix();
    editor.ShowWindow();
}

bool TMainForm::FormCloseQuery()
{
    if (!App.UpravyKorunForm->MayClose() || !App.Messages.Confirm("Opravdu chcete skončit?")) return false;
    App.Data.BandTable.clear();
    App.Data.Cube = TData();
    ReleaseReferences(App.Spectral);
    return true;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

}  // namespace lumera::gui
