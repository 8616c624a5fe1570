#include "import_dialog.h"

#include <algorithm>
#include <utility>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>

#include "file_dialogs.h"
#include "scene_import.h"
#include "widget_factory.h"

namespace lumera::gui {

TImportDialog::TImportDialog(QWidget* parent, int sceneWidth, int sceneHeight, int sceneBands, FileDialogs& dialogs,
                             std::string wavelengthFolder)
    : QDialog(parent), Dialogs(dialogs), WavelengthFolder(std::move(wavelengthFolder))
{
    setObjectName("ImportDialog");
    setWindowTitle(QStringLiteral("Import snímku"));
    VelikostLabel = MakeLabel("VelikostLabel", QStringLiteral("Snímek: %1 x %2 pixelů, %3 bandů")
                                                   .arg(sceneWidth)
                                                   .arg(sceneHeight)
                                                   .arg(sceneBands));
    Label1 = MakeLabel("Label1", QStringLiteral("Levý sloupec (od 0)"));
    Label2 = MakeLabel("Label2", QStringLiteral("Horní řádek (od 0)"));
    Label3 = MakeLabel("Label3", QStringLiteral("Šířka"));
    Label4 = MakeLabel("Label4", QStringLiteral("Výška"));
    XSpin = MakeSpin("XSpin", 0, sceneWidth - 1, 0);
    YSpin = MakeSpin("YSpin", 0, sceneHeight - 1, 0);
    SirkaSpin = MakeSpin("SirkaSpin", 1, kMaxWindowSide, std::min(sceneWidth, kMaxWindowSide));
    VyskaSpin = MakeSpin("VyskaSpin", 1, kMaxWindowSide, std::min(sceneHeight, kMaxWindowSide));
    Label5 = MakeLabel("Label5", QStringLiteral("Soubor vlnových délek"));
    VlnoveDelkyEdit = Named(new QLineEdit, "VlnoveDelkyEdit");
    VlnoveDelkyEdit->setPlaceholderText(QStringLiteral("z metadat snímku"));
    VlnoveDelkyBtn = MakeButton("VlnoveDelkyBtn", QStringLiteral("…"));
    Label6 = MakeLabel("Label6", QStringLiteral("Měřítko (počet na hodnotu)"));
    MeritkoEdit = Named(new QLineEdit, "MeritkoEdit");
    MeritkoEdit->setPlaceholderText(QStringLiteral("automaticky"));
    DoplnitCheck = Named(new QCheckBox(QStringLiteral("Doplnit nepokryté bandy nulami")), "DoplnitCheck");
    TlacitkaBox = Named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), "TlacitkaBox");
    connect(TlacitkaBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(TlacitkaBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(VlnoveDelkyBtn, &QPushButton::clicked, this, &TImportDialog::VlnoveDelkyBtnClick);

    auto* grid = new QGridLayout(this);
    grid->addWidget(VelikostLabel, 0, 0, 1, 2);
    const QList<QPair<QLabel*, QSpinBox*>> rows = {{Label1, XSpin}, {Label2, YSpin}, {Label3, SirkaSpin},
                                                   {Label4, VyskaSpin}};
    for (int i = 0; i < rows.size(); ++i) {
        grid->addWidget(rows[i].first, i + 1, 0);
        grid->addWidget(rows[i].second, i + 1, 1);
    }
    auto* wavelengthFile = new QHBoxLayout;
    wavelengthFile->addWidget(VlnoveDelkyEdit);
    wavelengthFile->addWidget(VlnoveDelkyBtn);
    grid->addWidget(Label5, 5, 0);
    grid->addLayout(wavelengthFile, 5, 1);
    grid->addWidget(Label6, 6, 0);
    grid->addWidget(MeritkoEdit, 6, 1);
    grid->addWidget(DoplnitCheck, 7, 0, 1, 2);
    grid->addWidget(TlacitkaBox, 8, 0, 1, 2);
}

void TImportDialog::VlnoveDelkyBtnClick()
{
    if (const auto path = Dialogs.OpenFile(this, QStringLiteral("Soubor vlnových délek"), WavelengthFolder))
        VlnoveDelkyEdit->setText(QString::fromStdString(*path));
}

PixelRect TImportDialog::Window() const
{
    return {XSpin->value(), YSpin->value(), SirkaSpin->value(), VyskaSpin->value()};
}

std::string TImportDialog::WavelengthFile() const { return VlnoveDelkyEdit->text().trimmed().toStdString(); }

std::string TImportDialog::Scale() const { return MeritkoEdit->text().trimmed().toStdString(); }

bool TImportDialog::AllowPartial() const { return DoplnitCheck->isChecked(); }

}  // namespace lumera::gui
