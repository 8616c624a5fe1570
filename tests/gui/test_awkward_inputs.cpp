// Every window driven through the inputs a user should not give it: buttons
// pressed before their inputs exist, spins at and beyond their ends, pictures
// and cut-outs smaller than the windows' windows, empty lists, points outside
// the pictures, damaged files or files of another kind, folders that cannot be
// written, and random sessions mixing all of these. Each must end in a result
// or a message; the sanitizer build catches any access outside a picture.
#include <functional>
#include <random>
#include <set>

#include "enhance/equalization.h"
#include "extrema/extrema_file.h"
#include "extrema/filter_matrix.h"
#include "filter_panel.h"
#include "gui_fixture.h"
#include "import_dialog.h"
#include "radio_group.h"
#include "scene_files.h"
#include "spectral/weight_file.h"

using namespace lumera;
using namespace lumera::testing;
namespace fs = std::filesystem;

namespace {

std::vector<QWidget*> Windows(gui::Workbench& app)
{
    return {app.MainForm.get(), app.VahFceForm.get(), app.EkvalizaceForm.get(),
            app.VyslForm.get(), app.ExtrForm.get(),   app.ExtrForm2.get()};
}

QString Cells(const QTableWidget* table)
{
    QString s;
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c) s += "|" + (table->item(r, c) ? table->item(r, c)->text() : "");
    return s;
}

// What a user sees of a window, to tell whether a press changed anything
// (the path typed for the background is the user's, not the window's).
QString Snapshot(const QWidget* window)
{
    QString s;
    for (const auto* view : window->findChildren<gui::PictureView*>()) {
        const Bitmap& b = view->Picture();
        const QByteArrayView bytes(b.Bytes().data(), qsizetype(b.Bytes().size()));
        s += QString("%1 %2x%3 %4\n").arg(view->objectName()).arg(b.Width()).arg(b.Height()).arg(qHash(bytes));
    }
    for (const auto* w : window->findChildren<QWidget*>()) {
        s += w->objectName() + (w->isEnabled() ? "+" : "-") + (w->isHidden() ? "h" : "v");
        if (const auto* label = qobject_cast<const QLabel*>(w)) s += label->text();
        if (const auto* spin = qobject_cast<const QSpinBox*>(w)) s += QString::number(spin->value());
        if (const auto* memo = qobject_cast<const QPlainTextEdit*>(w)) s += memo->toPlainText();
        if (const auto* table = qobject_cast<const QTableWidget*>(w)) s += Cells(table);
        s += "\n";
    }
    return s;
}

// The lists the extrema windows keep out of sight, and which windows are shown.
QString OutOfSight(gui::Workbench& app)
{
    QString shown;
    for (QWidget* window : Windows(app)) shown += window->isVisible() ? "v" : "h";
    auto text = [](const TExtremaList& list) {
        QString s;
        for (const TExtremum& p : list) s += QString("%1,%2;").arg(p.X).arg(p.Y);
        return s + "\n";
    };
    return shown + text(app.ExtrForm->Maxima) + text(app.ExtrForm->Minima) + text(app.ExtrForm2->State.MaxPoints) +
           text(app.ExtrForm2->State.MinPoints);
}

QList<QAction*> MenuItems(QWidget* window)
{
    QList<QAction*> items;
    for (QAction* action : window->findChildren<QAction*>())
        if (!action->objectName().isEmpty() && !action->menu() && action->isEnabled()) items.push_back(action);
    return items;
}

// Presses every enabled button of the window (and its menu items) once, the
// file dialogs cancelled; returns those that neither asked for a file, said
// something nor changed anything the user sees.
QStringList PressEverything(GuiFixture& f, QWidget* window)
{
    QStringList silent;
    auto press = [&](const QString& name, const std::function<void()>& click) {
        const std::size_t asked = f.dialogs.initialDirs.size(), said = f.reporter.messages.size();
        const QString before = Snapshot(window) + OutOfSight(*f.app);
        click();
        if (f.dialogs.initialDirs.size() == asked && f.reporter.messages.size() == said &&
            Snapshot(window) + OutOfSight(*f.app) == before)
            silent << name;
    };
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->isEnabled()) press(button->objectName(), [button] { button->click(); });
    for (QAction* action : MenuItems(window)) press(action->objectName(), [action] { action->trigger(); });
    return silent;
}

// Whether the presses that neither asked, said nor changed anything are
// all of buttons whose work may already be done.
bool OnlyHarmlessSilent(QStringList silent)
{
    static const QStringList harmless = {
        "Button3",        // clears the spectrum plot, already clear
        "Vaha2Btn", "Protivaha2Btn",  // open the editor, already showing its function
        "ResetAkt", "EraseBtn", "CloseBtn", "ResetNicBtn",  // table and picture already as asked
        "OperaceBtn",  // the chosen operation on a table of zeros gives zeros
        "XtoMBtn", "MtoXBtn",  // the table of zeros to the memory and back
        // the processing steps on an empty list: painting nothing, normals
        // of no network, copying and whitening pictures already alike
        "ShowMaxBtn", "ShowMinBtn", "VoroHrShowBtn", "SmeryBtn", "VsZprBtn", "ZprVsBtn", "bilyBtn",
    };
    silent.removeIf([](const QString& name) { return harmless.contains(name); });
    if (!silent.empty()) qWarning() << "silent:" << silent;
    return silent.empty();
}

// Presses on every picture of the window at points inside, on and beyond its edges.
void ClickPictures(QWidget* window)
{
    for (gui::PictureView* view : window->findChildren<gui::PictureView*>()) {
        const int w = view->Picture().Width(), h = view->Picture().Height();
        const QList<QPoint> points = {{0, 0},       {w - 1, h - 1}, {w, h},      {-1, -1},
                                      {w / 2, h / 2}, {-100000, 7},   {7, 100000}};
        for (const QPoint& p : points)
            for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) emit view->MouseDown(p.x(), p.y(), button);
    }
}

void SetSpins(QWidget* window, bool maximum)
{
    for (QSpinBox* spin : window->findChildren<QSpinBox*>())
        spin->setValue(maximum ? spin->maximum() : spin->minimum());
}

// Types text beyond each spin's range: the spin must stay within it.
void TypeBeyondSpins(QWidget* window)
{
    for (QSpinBox* spin : window->findChildren<QSpinBox*>())
        for (const char* typed : {"99999", "-99999", "abc", ""}) {
            spin->selectAll();
            QTest::keyClicks(spin, typed);
            QTest::keyClick(spin, Qt::Key_Enter);
            spin->clearFocus();
            QVERIFY2(spin->value() >= spin->minimum() && spin->value() <= spin->maximum(),
                     qPrintable(spin->objectName()));
        }
}

// Every spin at both ends of its range, and typed beyond them, with every
// button pressed at each.
void PressAtSpinEnds(GuiFixture& f, QWidget* window)
{
    for (bool maximum : {false, true}) {
        SetSpins(window, maximum);
        PressEverything(f, window);
        ClickPictures(window);
    }
    TypeBeyondSpins(window);
    PressEverything(f, window);
}

bool Said(const GuiFixture& f, std::size_t since) { return f.reporter.messages.size() > since; }

// The files the windows read, each made in the folder under its name.
struct FileMaker {
    std::string name;
    std::function<void(const std::string&)> write;
};

std::string BmpBytes(int width, int height)
{
    TempDir dir;
    WriteBmp(dir.File("p.bmp"), PatternPicture(width, height));
    return ReadAll(dir.File("p.bmp"));
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string Repeat(const std::string& line, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i) text += line;
    return text;
}

// A 6 x 5 reflectance scene of 130 bands from 380 nm.
SceneRecipe SixByFiveScene()
{
    SceneRecipe recipe;
    recipe.Width = 6;
    recipe.Height = 5;
    recipe.Centres = Centres(380, 5, 130);
    recipe.Value = [](int, int x, int y) { return 0.01 * (x + 10 * y); };
    return recipe;
}

const std::vector<FileMaker>& FileKinds()
{
    static const std::vector<FileMaker> kinds = {
        {"missing.bmp", [](const std::string&) {}},
        {"folder.dat", [](const std::string& p) { fs::create_directory(p); }},
        {"empty.bmp", [](const std::string& p) { WriteText(p, ""); }},
        {"noise.bmp", [](const std::string& p) { WriteText(p, std::string(300, '\xA7')); }},
        {"picture.bmp", [](const std::string& p) { WriteBmp(p, PatternPicture(10, 10)); }},
        {"truncated.bmp", [](const std::string& p) { WriteText(p, BmpBytes(10, 10).substr(0, 100)); }},
        {"huge.bmp",
         [](const std::string& p) {
             std::string bytes = BmpBytes(10, 10);
             for (int offset : {18, 22}) bytes.replace(offset, 4, std::string("\xA0\x86\x01\x00", 4));  // 100000
             WriteText(p, bytes);
         }},
        {"cutout.dat", [](const std::string& p) { WriteCutout(p, PatternCube(1, 1, 1)); }},
        {"truncated.dat", [](const std::string& p) { WriteWords(p, {65, 3, 2, 7, 7, 7}); }},
        {"huge.dat", [](const std::string& p) { WriteWords(p, {65, 32767, 32767, 1}); }},
        {"negative.dat", [](const std::string& p) { WriteWords(p, {-1, 3, 2}); }},
        {"extrema.txt", [](const std::string& p) { WriteExtremaFile(p, {{1, 1}, {5, 8}}); }},
        {"huge-extrema.txt", [](const std::string& p) { WriteText(p, "2000000000\r\n1 2\r\n"); }},
        {"negative-extrema.txt", [](const std::string& p) { WriteText(p, "-3\r\n1 2\r\n"); }},
        {"filter.txt", [](const std::string& p) { WriteFilterFile(p, OnesFilter(3)); }},
        {"huge-filter.txt", [](const std::string& p) { WriteText(p, "99999\r\n1\r\n"); }},
        {"even-filter.txt", [](const std::string& p) { WriteText(p, "4\r\n" + Repeat("1\r\n", 16)); }},
        {"short-filter.txt", [](const std::string& p) { WriteText(p, "5\r\n1\r\n1\r\n"); }},
        {"weights.txt", [](const std::string& p) { WriteWeightFile(p, SpectralVector(64, 0.5)); }},
        {"bad-weights.txt", [](const std::string& p) { WriteText(p, "1.5 2x5 7\r\n"); }},
        {"scene.img", [](const std::string& p) { WriteScene(p, SixByFiveScene()); }},
    };
    return kinds;
}

// A reader of a window: the file kind it takes, the kinds it must refuse,
// and the window a refusal must leave as it was.
struct Reader {
    const char* name;
    std::string own;
    std::vector<std::string> refused;  // besides the missing file and the folder
    std::function<bool(GuiFixture&, const std::string&)> read;
    QWidget* (*window)(gui::Workbench&);
};

template <class Form>
QWidget* WindowOf(gui::Workbench& app)
{
    if constexpr (std::is_same_v<Form, gui::TMainForm>) return app.MainForm.get();
    if constexpr (std::is_same_v<Form, gui::TVahFceForm>) return app.VahFceForm.get();
    if constexpr (std::is_same_v<Form, gui::TEkvalizaceForm>) return app.EkvalizaceForm.get();
    if constexpr (std::is_same_v<Form, gui::TVyslForm>) return app.VyslForm.get();
    if constexpr (std::is_same_v<Form, gui::TExtrForm>) return app.ExtrForm.get();
    if constexpr (std::is_same_v<Form, gui::TExtrForm2>) return app.ExtrForm2.get();
}

std::vector<std::string> KindsOtherThan(const std::string& own)
{
    std::vector<std::string> others;
    for (const FileMaker& kind : FileKinds())
        if (kind.name != own) others.push_back(kind.name);
    return others;
}

// An empty extrema file is an empty list.
const std::vector<std::string> kBadExtrema = {"huge-extrema.txt", "negative-extrema.txt"};
const std::vector<std::string> kBadFilters = {"huge-filter.txt", "even-filter.txt", "short-filter.txt", "empty.bmp",
                                              "picture.bmp", "cutout.dat"};

std::vector<Reader> Readers()
{
    return {
        {"cut-out", "cutout.dat", KindsOtherThan("cutout.dat"),
         [](GuiFixture& f, const std::string& p) { return f.app->MainForm->LoadCutout(p); }, WindowOf<gui::TMainForm>},
        {"equalization picture", "picture.bmp", KindsOtherThan("picture.bmp"),
         [](GuiFixture& f, const std::string& p) { return f.app->EkvalizaceForm->LoadPicture(p); },
         WindowOf<gui::TEkvalizaceForm>},
        {"compared picture", "picture.bmp", KindsOtherThan("picture.bmp"),
         [](GuiFixture& f, const std::string& p) { return f.app->VyslForm->LoadPicture(4, p); },
         WindowOf<gui::TVyslForm>},
        {"search source", "picture.bmp", KindsOtherThan("picture.bmp"),
         [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm->LoadSource(p); }, WindowOf<gui::TExtrForm>},
        {"search background", "picture.bmp", KindsOtherThan("picture.bmp"),
         [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm->LoadBackground(p); },
         WindowOf<gui::TExtrForm>},
        {"processing background", "picture.bmp", KindsOtherThan("picture.bmp"),
         [](GuiFixture& f, const std::string& p) {
             const std::size_t said = f.reporter.messages.size();
             f.app->ExtrForm2->PodkladCesta->setText(QString::fromStdString(p));
             f.app->ExtrForm2->ShowPodkladBtn->click();
             return !Said(f, said);
         },
         WindowOf<gui::TExtrForm2>},
        {"search maxima", "extrema.txt", kBadExtrema,
         [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm->LoadMaxima(p); }, WindowOf<gui::TExtrForm>},
        {"search minima", "extrema.txt", kBadExtrema,
         [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm->LoadMinima(p); }, WindowOf<gui::TExtrForm>},
        {"processing maxima", "extrema.txt", kBadExtrema,
         [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm2->LoadMaxima(p); },
         WindowOf<gui::TExtrForm2>},
        {"processing minima", "extrema.txt", kBadExtrema,
         [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm2->LoadMinima(p); },
         WindowOf<gui::TExtrForm2>},
        {"search filter", "filter.txt", kBadFilters,
         [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm->Filtr->Load(p); }, WindowOf<gui::TExtrForm>},
        {"processing filter", "filter.txt", kBadFilters,
         [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm2->Filter.Load(p); },
         WindowOf<gui::TExtrForm2>},
        {"imported scene", "scene.img", KindsOtherThan("scene.img"),
         [](GuiFixture& f, const std::string& p) { return f.app->MainForm->ImportSceneWindow(p, {1, 1, 2, 3}, "", "", false); },
         WindowOf<gui::TMainForm>},
        {"weights", "weights.txt", {"bad-weights.txt", "picture.bmp", "cutout.dat"},
         [](GuiFixture& f, const std::string& p) { return f.app->VahFceForm->LoadWeights(p); },
         WindowOf<gui::TVahFceForm>},
    };
}

// The writers of the windows, each given something to write first.
struct Writer {
    const char* name;
    std::function<bool(GuiFixture&, const std::string&)> write;
};

std::vector<Writer> Writers()
{
    return {
        {"main picture", [](GuiFixture& f, const std::string& p) { return f.app->MainForm->SavePicture(p); }},
        {"delineated trees",
         [](GuiFixture& f, const std::string& p) { return f.app->MainForm->SaveDelineatedTrees(p); }},
        {"weights", [](GuiFixture& f, const std::string& p) { return f.app->VahFceForm->SaveWeights(p); }},
        {"equalized picture",
         [](GuiFixture& f, const std::string& p) {
             f.app->EkvalizaceForm->ZpracovaneImage->SetPicture(PatternPicture(5, 5));
             return f.app->EkvalizaceForm->SaveResult(p);
         }},
        {"search picture", [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm->SavePicture(p); }},
        {"search maxima", [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm->SaveMaxima(p); }},
        {"search minima", [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm->SaveMinima(p); }},
        {"search filter", [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm->Filtr->Save(p); }},
        {"processing maxima", [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm2->SaveMaxima(p); }},
        {"processing minima", [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm2->SaveMinima(p); }},
        {"processing picture", [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm2->SavePicture(p); }},
        {"processing filter", [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm2->Filter.Save(p); }},
        {"tree matrix",
         [](GuiFixture& f, const std::string& p) {
             f.app->ExtrForm2->State.TreeMatrix = TTreeMatrix();
             return f.app->ExtrForm2->SaveTreeMatrix(p);
         }},
    };
}

// Rejects any modal dialog a press opens, so that a test never waits on one.
class ModalCloser {
public:
    ModalCloser()
    {
        timer_.callOnTimeout([] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
        });
        timer_.start(20);
    }

private:
    QTimer timer_;
};

const QStringList kAwkwardCells = {"", "abc", "1e308", "-1e308", "1e-320", "nan", "inf", "0", "-0,5", "1,2,3"};

}  // namespace

class AwkwardInputsTest : public QObject {
    Q_OBJECT
    ModalCloser closer_;

private slots:
    // With nothing loaded every press asks for a file, says why it cannot
    // work, or does what needs no input.
    void everyButtonBeforeItsInputs()
    {
        GuiFixture f(false);
        for (QWidget* window : Windows(*f.app)) {
            QVERIFY(OnlyHarmlessSilent(PressEverything(f, window)));
            ClickPictures(window);
            PressAtSpinEnds(f, window);
        }
    }

    // Cut-outs of one pixel and of 3 x 2 pixels: everything on them ends in a
    // result or a message, and a detail of a picture under 61 x 61 is refused.
    void tinyCutouts()
    {
        for (const TData& cube : {PatternCube(1, 1, 1), PatternCube(65, 3, 2)}) {
            GuiFixture f;
            QVERIFY(f.Load(cube));
            auto* main = f.app->MainForm.get();
            QCOMPARE(main->XSpin->maximum(), cube.NColumns);
            QCOMPARE(main->BandSpin->maximum(), cube.NBands);
            std::size_t said = f.reporter.messages.size();
            emit main->VzorImage->MouseDown(0, 0, Qt::LeftButton);
            QVERIFY(Said(f, said));
            QCOMPARE(f.LastMessage(), std::string("Obrázek je menší než 61 x 61 bodů, detail nelze zobrazit."));
            for (QPushButton* compute : {main->TrueColorBtn, main->NDVIBtn, main->Jehlice2Btn, main->MaskaBtn}) {
                said = f.reporter.messages.size();
                const QString before = Snapshot(main);
                compute->click();
                QVERIFY2(Said(f, said) || Snapshot(main) != before, qPrintable(compute->objectName()));
            }
            PressAtSpinEnds(f, main);
            f.app->ExtrForm->VypocetPodle->SetItemIndex(0);  // search on the cube
            PressAtSpinEnds(f, f.app->ExtrForm.get());
        }
    }

    // The largest cut-out the program reads, through every button of the
    // main window and the search on the cube.
    void largestCutout()
    {
        GuiFixture f;
        QVERIFY(f.Load(PatternCube(65, kMaxCutoutDimension, kMaxCutoutDimension)));
        QVERIFY(OnlyHarmlessSilent(PressEverything(f, f.app->MainForm.get())));
        f.app->ExtrForm->VypocetPodle->SetItemIndex(0);  // search on the cube
        QVERIFY(OnlyHarmlessSilent(PressEverything(f, f.app->ExtrForm.get())));
    }

    // Pictures smaller than 61 x 61, than the filter and than the equalization
    // window, with lists empty or pointing outside them.
    void tinyPictures()
    {
        for (const QSize size :
             {QSize(1, 1), QSize(2, 3), QSize(10, 10), QSize(60, 60), QSize(3000, 2), QSize(1, 3000)}) {
            GuiFixture f;
            const std::string picture = f.dir.File("small.bmp");
            WriteBmp(picture, PatternPicture(size.width(), size.height()));
            const std::string outside = f.dir.File("outside.txt"), empty = f.dir.File("empty.txt");
            WriteExtremaFile(outside, {{-5, -5}, {0, 0}, {size.width(), size.height()}, {100000, 2}, {1, -100000}});
            WriteExtremaFile(empty, {});
            auto& app = *f.app;

            QVERIFY(app.EkvalizaceForm->LoadPicture(picture));
            app.EkvalizaceForm->HranaSpin->setValue(kMaxEqualizationWindow);
            std::size_t said = f.reporter.messages.size();
            app.EkvalizaceForm->StupidBtn->click();
            QVERIFY2(Said(f, said), "a window larger than the picture is refused");
            PressAtSpinEnds(f, app.EkvalizaceForm.get());

            for (int slot = 1; slot <= gui::TVyslForm::kSlots; ++slot)
                QVERIFY(app.VyslForm->LoadPicture(slot, picture));
            ClickPictures(app.VyslForm.get());

            for (const std::string& list : {empty, outside}) {
                QVERIFY(app.ExtrForm->LoadSource(picture) && app.ExtrForm->LoadBackground(picture));
                QVERIFY(app.ExtrForm->LoadMaxima(list) && app.ExtrForm->LoadMinima(list));
                said = f.reporter.messages.size();
                app.ExtrForm->ShowMaxBtn->click();
                QCOMPARE(Said(f, said), list == outside);  // the points left out are counted
                for (bool filtered : {false, true}) {
                    app.ExtrForm->FiltrCheck->setChecked(filtered);
                    app.ExtrForm->VypocetPodle->SetItemIndex(1);  // search on the source picture
                    PressAtSpinEnds(f, app.ExtrForm.get());
                }

                auto* form2 = app.ExtrForm2.get();
                QVERIFY(form2->LoadMaxima(list) && form2->LoadMinima(list));
                form2->PodkladCesta->setText(QString::fromStdString(picture));
                for (int side : {1, 0}) {
                    form2->ShowKam->SetItemIndex(side);
                    form2->ShowPodkladBtn->click();
                }
                // Each round opens the next steps of the chain.
                for (int round = 0; round < 4; ++round) PressEverything(f, form2);
                PressAtSpinEnds(f, form2);
            }
        }
    }

    // The processing steps pressed forwards and backwards while the pictures
    // change size between them, so that each step meets a mosaic, network,
    // filtered image or tree matrix made for another size.
    void processingStepsAcrossPictureSizes()
    {
        GuiFixture f;
        auto* form = f.app->ExtrForm2.get();
        WriteExtremaFile(f.dir.File("tops.txt"), {{3, 3}, {40, 30}, {8, 50}, {-1, 2}, {70, 5}, {5, 500}});
        QVERIFY(form->LoadMaxima(f.dir.File("tops.txt")));
        form->Filter.HranaBtn->click();  // a 7 x 7 filter of ones
        for (const QSize size : {QSize(10, 10), QSize(90, 70), QSize(1, 1), QSize(60, 61), QSize(2, 90)}) {
            const std::string background = f.dir.File("background.bmp");
            WriteBmp(background, PatternPicture(size.width(), size.height()));
            for (int side : {0, 1}) {
                form->ShowKam->SetItemIndex(side);
                const auto buttons = form->findChildren<QPushButton*>();
                for (auto b = buttons.rbegin(); b != buttons.rend(); ++b)
                    if ((*b)->isEnabled()) (*b)->click();
                PressEverything(f, form);
                form->PodkladCesta->setText(QString::fromStdString(background));
                form->ShowPodkladBtn->click();
                QCOMPARE(form->VstupImage->Picture().Width(), size.width());
                QCOMPARE(form->ZpracovaneImage->Picture().Height(), size.height());
            }
            ClickPictures(form);
        }
        QVERIFY(form->State.TreeMatrix && form->PropojitBtn->isEnabled());  // every step was reached
    }

    // Every reader given every kind of file: its own is read; a file it cannot
    // use is refused with a message naming it, and the window stays as it was.
    void everyReaderGivenEveryFile()
    {
        GuiFixture f;
        for (const FileMaker& kind : FileKinds()) kind.write(f.dir.File(kind.name));
        for (const Reader& reader : Readers()) {
            QWidget* window = reader.window(*f.app);
            QVERIFY2(reader.read(f, f.dir.File(reader.own)), reader.name);
            for (const FileMaker& kind : FileKinds()) {
                const std::string path = f.dir.File(kind.name);
                const QString before = Snapshot(window) + OutOfSight(*f.app);
                const std::size_t said = f.reporter.messages.size();
                const bool read = reader.read(f, path);
                const std::string what = std::string(reader.name) + " given " + kind.name;
                const bool mustRefuse = kind.name == "missing.bmp" || kind.name == "folder.dat" ||
                                        std::ranges::find(reader.refused, kind.name) != reader.refused.end();
                QVERIFY2(!(read && mustRefuse), what.c_str());
                if (read) continue;
                QVERIFY2(Said(f, said) && f.LastMessage().find(kind.name) != std::string::npos, what.c_str());
                QVERIFY2(Snapshot(window) + OutOfSight(*f.app) == before, what.c_str());
            }
        }
    }

    // A folder that cannot be written (its "parent" is a regular file) and a
    // name that is a folder: every writer says so and leaves nothing behind.
    void everyWriterGivenAFolderItCannotWrite()
    {
        GuiFixture f;
        QVERIFY(f.Load(PatternCube(65, 3, 2)));
        WriteText(f.dir.File("plain"), "x");
        fs::create_directory(f.dir.File("taken.bmp"));
        auto entries = [&f] {
            std::set<fs::path> names;
            for (const auto& entry : fs::recursive_directory_iterator(f.dir.Path())) names.insert(entry.path());
            return names;
        };
        const std::set<fs::path> before = entries();
        for (const Writer& writer : Writers())
            for (const std::string& path : {f.dir.File("plain") + "/out.bmp", f.dir.File("taken.bmp")}) {
                const std::size_t said = f.reporter.messages.size();
                QVERIFY2(!writer.write(f, path), writer.name);
                QVERIFY2(Said(f, said), writer.name);
                QVERIFY(fs::is_directory(f.dir.File("taken.bmp")) && fs::is_regular_file(f.dir.File("plain")));
            }
        QVERIFY(entries() == before);
    }

    // Scene windows at the ends of the import dialog's spins and beyond the
    // scene: refused with a message, or imported and usable when inside.
    void sceneWindowsAtAndBeyondTheEdges()
    {
        GuiFixture f;
        const std::string scene = f.dir.File("scene.img");
        WriteScene(scene, SixByFiveScene());
        auto* main = f.app->MainForm.get();
        for (bool maximum : {true, false}) {
            QTimer::singleShot(0, [maximum] {
                auto* dialog = qobject_cast<gui::TImportDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                SetSpins(dialog, maximum);
                dialog->TlacitkaBox->button(QDialogButtonBox::Ok)->click();
            });
            f.dialogs.answers = {scene};
            const std::size_t said = f.reporter.messages.size();
            main->Importsnmku1->trigger();
            QVERIFY(Said(f, said));
            QCOMPARE(f.app->Data.DataLoaded, !maximum);
        }
        QCOMPARE(f.app->Data.Cube.NColumns * f.app->Data.Cube.NRows, 1);
        PressAtSpinEnds(f, main);
        for (const PixelRect window : {PixelRect{-1, 0, 2, 2}, PixelRect{0, 0, 0, 0}, PixelRect{5, 4, 2, 1},
                                       PixelRect{2, 1, 100000, 3}, PixelRect{2147483647, 2147483647, 1, 1},
                                       PixelRect{0, 0, 401, 1}})
            for (bool partial : {false, true}) {
                const std::size_t said = f.reporter.messages.size();
                QVERIFY(!main->ImportSceneWindow(scene, window, "", "", partial));
                QVERIFY(Said(f, said));
            }
    }

    // The program started with a reference spectrum file damaged: it says so
    // (at the start or when the spectra are wanted) and everything else works.
    void damagedReferenceFiles()
    {
        struct Damage {
            std::function<std::string(const std::string&)> apply;
            bool said;  // whether the file must be named in a message
        };
        const std::vector<Damage> damages = {
            {[](const std::string&) { return std::string(); }, true},
            {[](const std::string& whole) { return whole.substr(0, whole.size() / 2 + 3); }, true},
            {[](const std::string& whole) { return std::string(whole.size(), '\xFF'); }, true},
            {[](const std::string& whole) { return whole + whole; }, false},
        };
        for (const char* name : {"AllRefSp.dat", "RefSpE34.txt"})
            for (const Damage& damage : damages) {
                GuiFixture f;
                f.app.reset();
                const std::string path = (f.dir.Path() / "data" / "refsp" / name).string();
                WriteText(path, damage.apply(ReadAll(path)));
                f.app = std::make_unique<gui::Workbench>(f.reporter, f.dialogs);
                QVERIFY(f.Load(PatternCube(65, 4, 5)));
                auto* main = f.app->MainForm.get();
                for (int weight = 0; weight < main->Vaha2Combo->count(); ++weight) {
                    main->Vaha2Combo->setCurrentIndex(weight);
                    main->Jehlice2Btn->click();
                    main->MaskaBtn->click();
                }
                QVERIFY(OnlyHarmlessSilent(PressEverything(f, f.app->VahFceForm.get())));
                for (int start = 0; start < f.app->VahFceForm->VyjitZeCombo->count(); ++start) {
                    f.app->VahFceForm->VyjitZeCombo->setCurrentIndex(start);
                    f.app->VahFceForm->VyjitZeBtn->click();
                }
                const bool named = std::ranges::any_of(f.reporter.messages, [name](const auto& m) {
                    return m.text.find(name) != std::string::npos;
                });
                QVERIFY2(named || !damage.said, name);
            }
    }

    // Awkward texts in the tables the user types into.
    void awkwardTableCells()
    {
        GuiFixture f;
        WriteBmp(f.dir.File("p.bmp"), PatternPicture(20, 20));
        QVERIFY(f.app->ExtrForm->LoadSource(f.dir.File("p.bmp")));
        f.app->ExtrForm->FiltrCheck->setChecked(true);
        f.app->ExtrForm->VypocetPodle->SetItemIndex(1);
        for (const QString& text : kAwkwardCells)
            for (QWidget* window : {(QWidget*)f.app->VahFceForm.get(), (QWidget*)f.app->ExtrForm.get(),
                                    (QWidget*)f.app->ExtrForm2.get()}) {
                for (QTableWidget* table : window->findChildren<QTableWidget*>())
                    for (int r = 0; r < table->rowCount(); ++r)
                        for (int c = 0; c < table->columnCount(); ++c)
                            if (table->item(r, c) && (table->item(r, c)->flags() & Qt::ItemIsEditable))
                                table->item(r, c)->setText(text);
                PressEverything(f, window);
            }
    }

    // Weights at the ends of the doubles, squared beyond them, set as the
    // custom functions, saved, read back and used by the needle analysis:
    // every figure shown is finite, or a message says why there is none.
    void extremeWeightsThroughTheNeedleAnalysis()
    {
        GuiFixture f;
        QVERIFY(f.Load(PatternCube(65, 4, 5)));
        auto* editor = f.app->VahFceForm.get();
        auto* main = f.app->MainForm.get();
        const std::string saved = f.dir.File("weights.txt");
        for (const QString text : {"1e200", "-1e308", "1e-320", "4e-162", "inf", "nan"}) {
            for (WeightEditorMode mode : {WeightEditorMode::Weight, WeightEditorMode::CounterWeight}) {
                editor->SetMode(mode);
                for (int r = 0; r < editor->VahFceGrid->rowCount(); ++r)
                    for (int c = 0; c < editor->VahFceGrid->columnCount(); ++c)
                        if (auto* item = editor->VahFceGrid->item(r, c); item && (item->flags() & Qt::ItemIsEditable))
                            item->setText(text);
                // Each operation (-1: none chosen, as at the start) on what the one before left.
                for (int operation = -1; operation < editor->OperaceCombo->count(); ++operation) {
                    editor->SetBtn->click();
                    const SpectralState& spectral = f.app->Spectral;
                    for (const SpectralVector* custom : {&spectral.CustomWeight, &spectral.CustomCounterWeight})
                        QVERIFY2(std::ranges::all_of(*custom, [](double v) { return std::isfinite(v); }),
                                 qPrintable(text));
                    editor->OperaceCombo->setCurrentIndex(operation);
                    editor->OperaceBtn->click();
                    QVERIFY2(!Cells(editor->VahFceGrid).contains(QRegularExpression("INF|NAN")), qPrintable(text));
                }
                editor->SetBtn->click();
                if (editor->SaveWeights(saved)) QVERIFY(editor->LoadWeights(saved));
                editor->DrawTabBtn->click();
                editor->DrawAktBtn->click();
            }
            for (int weight = 0; weight < main->Vaha2Combo->count(); ++weight)
                for (int counter = 0; counter < main->Protivaha2Combo->count(); counter += 3) {
                    main->Vaha2Combo->setCurrentIndex(weight);
                    main->Protivaha2Combo->setCurrentIndex(counter);
                    main->Normalizace2Check->setChecked(counter % 2 == 0);
                    main->Normalizace2Combo->setCurrentIndex(1);
                    main->VyslMinLabel->setText("-");
                    const std::size_t said = f.reporter.messages.size();
                    main->Jehlice2Btn->click();
                    if (Said(f, said)) continue;
                    const QRegularExpression nonFinite("nan|inf", QRegularExpression::CaseInsensitiveOption);
                    for (QLabel* figure :
                         {main->VyslMinLabel, main->VyslMaxLabel, main->VyslDmezLabel, main->VyslHmezLabel})
                        QVERIFY2(!figure->text().contains(nonFinite), qPrintable(text + " " + figure->text()));
                }
        }
    }

    // Random sessions over all windows: presses, spins, choices, clicks on the
    // pictures and dialogs answered with any file, in any order.
    void randomSessions()
    {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            GuiFixture f;
            std::mt19937 rng(seed);
            auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
            std::vector<std::string> answers;
            for (const FileMaker& kind : FileKinds()) {
                kind.write(f.dir.File(kind.name));
                answers.push_back(f.dir.File(kind.name));
            }
            for (const QSize size : {QSize(1, 1), QSize(3, 2), QSize(12, 9), QSize(60, 61), QSize(90, 70)}) {
                const std::string name = QString("p%1x%2.bmp").arg(size.width()).arg(size.height()).toStdString();
                WriteBmp(f.dir.File(name), PatternPicture(size.width(), size.height(), int(seed)));
                answers.push_back(f.dir.File(name));
            }
            WriteExtremaFile(f.dir.File("tops.txt"), {{3, 3}, {50, 40}, {80, 10}, {-2, 5}, {400, 400}, {10, 60}});
            WriteCutout(f.dir.File("stand.dat"), PatternCube(65, 20, 30));
            WriteText(f.dir.File("plain"), "x");
            for (const char* name : {"tops.txt", "stand.dat", "plain/out.bmp", "saved.bmp", "saved.txt"})
                answers.push_back(f.dir.File(name));

            const std::vector<QWidget*> windows = Windows(*f.app);
            for (int step = 0; step < 500; ++step) {
                QWidget* window = windows[pick(int(windows.size()))];
                f.dialogs.answers = {answers[pick(int(answers.size()))]};
                f.reporter.answers = {pick(4) != 0};
                switch (pick(6)) {
                case 0: {
                    QList<QAbstractButton*> buttons;
                    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
                        if (b->isEnabled()) buttons << b;
                    for (QAction* action : MenuItems(window)) {
                        if (pick(8) == 0) action->trigger();
                    }
                    if (!buttons.empty()) buttons[pick(int(buttons.size()))]->click();
                    break;
                }
                case 1: {
                    const auto spins = window->findChildren<QSpinBox*>();
                    if (spins.empty()) break;
                    QSpinBox* spin = spins[pick(int(spins.size()))];
                    const int choice = pick(3);
                    spin->setValue(choice == 0 ? spin->minimum()
                                   : choice == 1 ? spin->maximum()
                                                 : spin->minimum() + pick(spin->maximum() - spin->minimum() + 1));
                    break;
                }
                case 2:
                    for (QComboBox* combo : window->findChildren<QComboBox*>())
                        if (pick(3) == 0) combo->setCurrentIndex(pick(combo->count()));
                    break;
                case 3:
                    for (gui::PictureView* view : window->findChildren<gui::PictureView*>())
                        if (pick(3) == 0) emit view->MouseDown(pick(700) - 100, pick(700) - 100, Qt::LeftButton);
                    break;
                case 4:
                    for (QTableWidget* table : window->findChildren<QTableWidget*>())
                        if (table->rowCount() && table->columnCount())
                            if (auto* item = table->item(pick(table->rowCount()), pick(table->columnCount())))
                                item->setText(kAwkwardCells[pick(int(kAwkwardCells.size()))]);
                    break;
                default:
                    for (gui::RadioGroup* group : window->findChildren<gui::RadioGroup*>())
                        group->SetItemIndex(pick(int(group->findChildren<QRadioButton*>().size())));
                }
            }
        }
    }
};

QTEST_MAIN(AwkwardInputsTest)
#include "test_awkward_inputs.moc"
