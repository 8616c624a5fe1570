#include "upravy_korun_form.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "crown_canvas.h"
#include "imaging/pixel_bands.h"
#include "picture_view.h"
#include "widget_factory.h"

namespace lumera::gui {

namespace {

constexpr int kPlotWidth = kSpectrumPlotWidth / 2, kPlotHeight = kSpectrumPlotHeight / 2;

struct ToolEntry {
    TUpravyKorunForm::Tool Tool;
    const char* Name;
    const char* Text;
    QKeySequence Key;
};

}  // namespace

TUpravyKorunForm::TUpravyKorunForm(Workbench& workbench)
    : ToolWindow(workbench, "UpravyKorunForm", QStringLiteral("Úpravy korun"))
{
    KorunyImage = new CrownCanvas("KorunyImage");
    SpektrumImage = new PictureView("SpektrumImage");
    SpektrumImage->SetPictureSize(kPlotWidth, kPlotHeight);
    SpektrumImage->Picture().Fill(255, 255, 255);
    SpektrumImage->Repaint();
    StetecSpin = MakeSpin("StetecSpin", 0, 50, 3);
    ZvetseniSpin = MakeSpin("ZvetseniSpin", 1, 8, 2);
    connect(ZvetseniSpin, &QSpinBox::valueChanged, KorunyImage, &CrownCanvas::SetZoom);
    connect(KorunyImage, &CrownCanvas::Pressed, this, &TUpravyKorunForm::CanvasPressed);
    connect(KorunyImage, &CrownCanvas::Moved, this, &TUpravyKorunForm::CanvasMoved);
    connect(KorunyImage, &CrownCanvas::Released, this, &TUpravyKorunForm::CanvasReleased);
    CreateMenu();
    LayOut();
    KorunyImage->SetZoom(ZvetseniSpin->value());
    EnableActions();
    resize(1000, 700);
}

void TUpravyKorunForm::CreateMenu()
{
    Menu = Named(new QMenuBar(this), "Menu");
    const auto item = [this](QMenu* menu, const char* name, const QString& text, QKeySequence key, auto slot) {
        QAction* action = Named(menu->addAction(text), name);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QMenu* file = Menu->addMenu(QStringLiteral("Soubor"));
    OtevritAction = item(file, "OtevritAction", QStringLiteral("Otevřít matici…"), QKeySequence::Open,
                         &TUpravyKorunForm::OpenClick);
    ZVymezeniAction = item(file, "ZVymezeniAction", QStringLiteral("Matice z automatického vymezení"), {},
                           &TUpravyKorunForm::TakeDelineatedMatrix);
    UlozitAction = item(file, "UlozitAction", QStringLiteral("Uložit matici…"), QKeySequence::Save,
                        &TUpravyKorunForm::SaveClick);
    GpkgAction = item(file, "GpkgAction", QStringLiteral("Uložit do GeoPackage…"), {}, &TUpravyKorunForm::GpkgClick);
    SpektraAction = item(file, "SpektraAction", QStringLiteral("Uložit spektra korun…"), {},
                         &TUpravyKorunForm::SpektraClick);
    QMenu* under = Menu->addMenu(QStringLiteral("Pozadí"));
    PraveBarvyAction = item(under, "PraveBarvyAction", QStringLiteral("Pravé barvy výřezu"), {},
                            &TUpravyKorunForm::ShowTrueColour);
    EkvalizovanyAction = item(under, "EkvalizovanyAction", QStringLiteral("Ekvalizovaný obraz"), {},
                              &TUpravyKorunForm::ShowEqualized);
    ObrazekAction = item(under, "ObrazekAction", QStringLiteral("Obrázek BMP…"), {},
                         &TUpravyKorunForm::BackgroundClick);
    QMenu* edit = Menu->addMenu(QStringLiteral("Úpravy"));
    ZpetAction = item(edit, "ZpetAction", QStringLiteral("Zpět"), QKeySequence(Qt::CTRL | Qt::Key_Z),
                      &TUpravyKorunForm::Undo);
    ZnovuAction = item(edit, "ZnovuAction", QStringLiteral("Znovu"), QKeySequence(Qt::CTRL | Qt::Key_Y),
                       &TUpravyKorunForm::Redo);
    CreateTools(Menu->addMenu(QStringLiteral("Nástroje")));
}

void TUpravyKorunForm::CreateTools(QMenu* menu)
{
    const ToolEntry tools[] = {
        {Tool::Select, "VyberAction", "Výběr a spektrum koruny", Qt::Key_V},
        {Tool::Delete, "SmazatAction", "Smazat korunu", Qt::Key_D},
        {Tool::Merge, "SloucitAction", "Sloučit dvě koruny", Qt::Key_M},
        {Tool::Split, "RozdelitAction", "Rozdělit korunu čarou", Qt::Key_S},
        {Tool::Polygon, "MnohouhelnikAction", "Nová koruna mnohoúhelníkem", Qt::Key_P},
        {Tool::Brush, "StetecAction", "Nová koruna štětcem", Qt::Key_B},
        {Tool::Grow, "RozsiritAction", "Rozšířit korunu", Qt::Key_G},
        {Tool::Shrink, "ZuzitAction", "Zúžit korunu", Qt::Key_H},
        {Tool::AddTop, "VrcholAction", "Přidat vrchol", Qt::Key_T},
    };
    Nastroje = new QActionGroup(this);
    for (const ToolEntry& entry : tools) {
        QAction* action = Named(menu->addAction(QString::fromUtf8(entry.Text)), entry.Name);
        action->setShortcut(entry.Key);
        action->setCheckable(true);
        action->setChecked(entry.Tool == Tool::Select);
        Nastroje->addAction(action);
        connect(action, &QAction::triggered, this, [this, tool = entry.Tool] { SetTool(tool); });
    }
    menu->addSeparator();
    // The brush's radius is a spin of its own, always there.
    QAction* larger = Named(menu->addAction(QStringLiteral("Větší štětec")), "VetsiAction");
    larger->setShortcut(Qt::Key_Plus);
    connect(larger, &QAction::triggered, StetecSpin, &QSpinBox::stepUp);
    QAction* smaller = Named(menu->addAction(QStringLiteral("Menší štětec")), "MensiAction");
    smaller->setShortcut(Qt::Key_Minus);
    connect(smaller, &QAction::triggered, StetecSpin, &QSpinBox::stepDown);
}

// The picture fills the window; the brush, the zoom and the crown's spectrum on the right.
void TUpravyKorunForm::LayOut()
{
    auto* scroller = Named(new QScrollArea, "KorunyScrollBox");
    scroller->setWidget(KorunyImage);
    auto* side = new QVBoxLayout;
    side->addWidget(MakeLabel("StetecLabel", QStringLiteral("Poloměr štětce (+/−):")));
    side->addWidget(StetecSpin);
    side->addWidget(MakeLabel("ZvetseniLabel", QStringLiteral("Zvětšení:")));
    side->addWidget(ZvetseniSpin);
    side->addWidget(MakeLabel("SpektrumLabel", QStringLiteral("Spektrum koruny (červeně) a bodu:")));
    side->addWidget(SpektrumImage);
    side->addStretch();
    auto* window = new QHBoxLayout;
    window->addWidget(scroller, 1);
    window->addLayout(side);
    SetContent(window);
    layout()->setMenuBar(Menu);
}

// Without a matrix only its sources are offered.
void TUpravyKorunForm::EnableActions()
{
    const bool trees = !trees_.Values.empty();
    for (QAction* action : {UlozitAction, GpkgAction, SpektraAction, PraveBarvyAction, EkvalizovanyAction, ObrazekAction})
        action->setEnabled(trees);
    Nastroje->setEnabled(trees);
    ZpetAction->setEnabled(history_.CanUndo());
    ZnovuAction->setEnabled(history_.CanRedo());
}

void TUpravyKorunForm::SetTool(Tool tool)
{
    tool_ = tool;
    mergeInto_.reset();
    KorunyImage->Sketch.clear();
    Nastroje->actions().at(int(tool))->setChecked(true);
    KorunyImage->update();
}

void TUpravyKorunForm::keyPressEvent(QKeyEvent* event)
{
    // Return closes the polygon being drawn (as a right click does); Escape drops it.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) FinishSketch();
    else if (event->key() == Qt::Key_Escape) DropSketch();
    else ToolWindow::keyPressEvent(event);
}

void TUpravyKorunForm::closeEvent(QCloseEvent* event)
{
    if (MayClose()) event->accept();
    else event->ignore();
}

}  // namespace lumera::gui
