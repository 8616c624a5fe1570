#include "vysl_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "data/program_paths.h"
#include "detail_click.h"
#include "picture_files.h"
#include "picture_slot.h"
#include "picture_view.h"
#include "widget_factory.h"
#include "workbench.h"

namespace lumera::gui {

TVyslForm::TVyslForm(Workbench& workbench)
    : ToolWindow(workbench, "VyslForm", QStringLiteral("Srovnávání výsledků"))
{
    resize(952, 656);
    setWindowState(Qt::WindowMaximized);
    CreateControls();
    LayOut();
}

void TVyslForm::CreateControls()
{
    auto slot = [](int n, QFrame*& panel, QScrollArea*& box, PictureView*& image) {
        const QString number = QString::number(n);
        const PictureSlot made = MakePictureSlot("Panel" + number, "ScrollBox" + number, "Image" + number, 434, 432);
        panel = made.Panel;
        box = made.ScrollBox;
        image = made.Image;
    };
    slot(1, Panel1, ScrollBox1, Image1);
    slot(2, Panel2, ScrollBox2, Image2);
    slot(3, Panel3, ScrollBox3, Image3);
    slot(4, Panel4, ScrollBox4, Image4);
    DetailImage1 = MakeDetailImage("DetailImage1");
    DetailImage2 = MakeDetailImage("DetailImage2");
    DetailImage3 = MakeDetailImage("DetailImage3");
    DetailImage4 = MakeDetailImage("DetailImage4");
    // The first button's caption is spelt as the program has always shown it.
    Button1 = MakeButton("Button1", QStringLiteral("Otěvřít"));
    Button2 = MakeButton("Button2", QStringLiteral("Otevřít"));
    Button3 = MakeButton("Button3", QStringLiteral("Otevřít"));
    Button4 = MakeButton("Button4", QStringLiteral("Otevřít"));
    Label17 = MakeLabel("Label17", "Detail:");
    DetailLabel = MakeLabel("DetailLabel", "N/A");

    connect(Button1, &QPushButton::clicked, this, &TVyslForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TVyslForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TVyslForm::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TVyslForm::Button4Click);
    for (PictureView* image : Images()) connect(image, &PictureView::MouseDown, this, &TVyslForm::Image1MouseDown);
}

// Slots 1 and 2 on the left with their buttons before them, the details two
// by two in the middle under the label, slots 3 and 4 on the right with their
// buttons after them.
void TVyslForm::LayOut()
{
    auto* details = new QGridLayout;
    auto* detailHeader = new QHBoxLayout;
    detailHeader->addWidget(Label17);
    detailHeader->addWidget(DetailLabel);
    detailHeader->addStretch();
    details->addLayout(detailHeader, 0, 0, 1, 2);
    details->addWidget(DetailImage1, 1, 0);
    details->addWidget(DetailImage3, 1, 1);
    details->addWidget(DetailImage2, 2, 0);
    details->addWidget(DetailImage4, 2, 1);
    details->setRowStretch(3, 1);

    auto* grid = new QGridLayout;
    grid->addWidget(Button1, 0, 0, Qt::AlignTop);
    grid->addWidget(Panel1, 0, 1);
    grid->addWidget(Button2, 1, 0, Qt::AlignTop);
    grid->addWidget(Panel2, 1, 1);
    grid->addLayout(details, 0, 2, 2, 1);
    grid->addWidget(Panel3, 0, 3);
    grid->addWidget(Button3, 0, 4, Qt::AlignTop);
    grid->addWidget(Panel4, 1, 3);
    grid->addWidget(Button4, 1, 4, Qt::AlignTop);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(2, 1);
    SetContent(grid);
}

std::array<PictureView*, TVyslForm::kSlots> TVyslForm::Images() const { return {Image1, Image2, Image3, Image4}; }

void TVyslForm::Button1Click() { OpenSlot(1); }
void TVyslForm::Button2Click() { OpenSlot(2); }
void TVyslForm::Button3Click() { OpenSlot(3); }
void TVyslForm::Button4Click() { OpenSlot(4); }

void TVyslForm::OpenSlot(int slot)
{
    if (const auto path = App.Dialogs.OpenFile(this, QStringLiteral("Otevřít"),
                                               ProgramPath(App.Data.ProgramDir, "\\obr")))
        LoadPicture(slot, *path);
}

bool TVyslForm::LoadPicture(int slot, const std::string& path)
{
    std::optional<Bitmap> picture = ReadPicture(path, App.Messages);
    if (!picture) return false;
    Images().at(std::size_t(slot - 1))->SetPicture(std::move(*picture));
    return true;
}

void TVyslForm::Image1MouseDown(int x, int y, Qt::MouseButton)
{
    ShowDetails(DetailLabel, x, y,
                {{Image1, DetailImage1}, {Image2, DetailImage2}, {Image3, DetailImage3}, {Image4, DetailImage4}});
}

}  // namespace lumera::gui
