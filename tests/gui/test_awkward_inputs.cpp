// Every window driven through the inputs a user should not give it: buttons
// pressed before their inputs exist, points outside the pictures, damaged
// files or files of another kind, folders that cannot be written. Each must
// end in a result or a message; the sanitizer build catches any access
// outside a picture.
#include <functional>

#include "extrema/extrema_file.h"
#include "extrema/filter_matrix.h"
#include "filter_panel.h"
#include "folder_snapshot.h"
#include "gui_fixture.h"
#include "mapping/tile_grid.h"
#include "scene_files.h"
#include "analysis/weight_file.h"
#include "upravy_korun_form.h"

using namespace lumera;
using namespace lumera::testing;
namespace fs = std::filesystem;

namespace {

enum { kMain, kWeights, kEqualization, kComparison, kSearch, kProcessing };

std::vector<QWidget*> AllWindows(gui::Workbench& app)
{
    return {app.MainForm.get(), app.VahFceForm.get(), app.EkvalizaceForm.get(), app.VyslForm.get(),
            app.ExtrForm.get(),   app.ExtrForm2.get(),  app.UpravyKorunForm.get()};
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
    for (QWidget* window : AllWindows(app)) shown += window->isVisible() ? "v" : "h";
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

bool Said(const GuiFixture& f, std::size_t since) { return f.reporter.messages.size() > since; }

// The files the windows read, each made in the folder under its name.
struct FileMaker {
    std::string name;
    std::function<void(const std::string&)> write;
};

const std::vector<FileMaker>& FileKinds()
{
    static const std::vector<FileMaker> kinds = {
        {"missing.bmp", [](const std::string&) {}},
        {"folder.dat", [](const std::string& p) { fs::create_directory(p); }},
        {"empty.bmp", [](const std::string& p) { WriteAll(p, ""); }},
        {"noise.bmp", [](const std::string& p) { WriteAll(p, std::string(300, '\xA7')); }},
        {"picture.bmp", [](const std::string& p) { WriteBmp(p, PatternPicture(10, 10)); }},
        {"truncated.bmp",
         [](const std::string& p) { WriteBmp(p, PatternPicture(10, 10)); WriteAll(p, ReadAll(p).substr(0, 100)); }},
        {"cutout.dat", [](const std::string& p) { WriteCutout(p, PatternCube(1, 1, 1)); }},
        {"truncated.dat", [](const std::string& p) { WriteWords(p, {65, 3, 2, 7, 7, 7}); }},
        {"extrema.txt", [](const std::string& p) { WriteExtremaFile(p, {{1, 1}, {5, 8}}); }},
        {"negative-extrema.txt", [](const std::string& p) { WriteAll(p, "-3\r\n1 2\r\n"); }},
        {"filter.txt", [](const std::string& p) { WriteFilterFile(p, OnesFilter(3)); }},
        {"even-filter.txt", [](const std::string& p) { WriteFilterFile(p, {4, std::vector<std::string>(16, "1")}); }},
        {"weights.txt", [](const std::string& p) { WriteWeightFile(p, SpectralVector(64, 0.5)); }},
        {"bad-weights.txt", [](const std::string& p) { WriteAll(p, "1.5 2x5 7\r\n"); }},
        {"scene.img",
         [](const std::string& p) { WriteScene(p, UtmScene(6, 5, [](int, int x, int y) { return 0.01 * (x + y); })); }},
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
    int window;  // its place in AllWindows
};

std::vector<std::string> KindsOtherThan(const std::string& own)
{
    std::vector<std::string> others;
    for (const FileMaker& kind : FileKinds())
        if (kind.name != own) others.push_back(kind.name);
    return others;
}

// An empty extrema file is an empty list.
const std::vector<std::string> kBadExtrema = {"negative-extrema.txt"};
const std::vector<std::string> kBadFilters = {"even-filter.txt", "empty.bmp", "picture.bmp", "cutout.dat"};

std::vector<Reader> Readers()
{
    return {
        {"cut-out", "cutout.dat", KindsOtherThan("cutout.dat"),
         [](GuiFixture& f, const std::string& p) { return f.app->MainForm->LoadCutout(p); }, kMain},
        {"equalization picture", "picture.bmp", KindsOtherThan("picture.bmp"),
         [](GuiFixture& f, const std::string& p) { return f.app->EkvalizaceForm->LoadPicture(p); }, kEqualization},
        {"comparison picture", "picture.bmp", KindsOtherThan("picture.bmp"),
         [](GuiFixture& f, const std::string& p) { return f.app->VyslForm->LoadPicture(2, p); }, kComparison},
        {"processing background", "picture.bmp", KindsOtherThan("picture.bmp"),
         [](GuiFixture& f, const std::string& p) {
             const std::size_t said = f.reporter.messages.size();
             f.app->ExtrForm2->PodkladCesta->setText(QString::fromStdString(p));
             f.app->ExtrForm2->ShowPodkladBtn->click();
             return !Said(f, said);
         }, kProcessing},
        {"search maxima", "extrema.txt", kBadExtrema,
         [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm->LoadMaxima(p); }, kSearch},
        {"search filter", "filter.txt", kBadFilters,
         [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm->Filtr->Load(p); }, kSearch},
        {"imported scene", "scene.img", KindsOtherThan("scene.img"),
         [](GuiFixture& f, const std::string& p) { return f.app->MainForm->ImportSceneWindow(p, {1, 1, 2, 3}, "", "", false); },
         kMain},
        {"weights", "weights.txt", {"bad-weights.txt", "picture.bmp", "cutout.dat"},
         [](GuiFixture& f, const std::string& p) { return f.app->VahFceForm->LoadWeights(p); }, kWeights},
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
        {"search maxima", [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm->SaveMaxima(p); }},
        {"search filter", [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm->Filtr->Save(p); }},
        {"processing picture", [](GuiFixture& f, const std::string& p) { return f.app->ExtrForm2->SavePicture(p); }},
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
        for (QWidget* window : AllWindows(*f.app)) {
            QVERIFY(OnlyHarmlessSilent(PressEverything(f, window)));
            ClickPictures(window);
        }
    }

    // Every reader given every kind of file: its own is read; a file it cannot
    // use is refused with a message naming it, and the window stays as it was.
    void everyReaderGivenEveryFile()
    {
        GuiFixture f;
        for (const FileMaker& kind : FileKinds()) kind.write(f.dir.File(kind.name));
        for (const Reader& reader : Readers()) {
            QWidget* window = AllWindows(*f.app)[reader.window];
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
    // name that is a folder: every writer says so and leaves nothing behind;
    // given a good name, it writes and says it did.
    void everyWriterGivenAFolderItCannotWrite()
    {
        GuiFixture f;
        QVERIFY(f.Load(PatternCube(65, 3, 2)));
        WriteAll(f.dir.File("plain"), "x");
        fs::create_directory(f.dir.File("taken.bmp"));
        const auto before = Snapshot(f.dir.Path());
        for (const Writer& writer : Writers())
            for (const std::string& path : {f.dir.File("plain") + "/out.bmp", f.dir.File("taken.bmp")}) {
                const std::size_t said = f.reporter.messages.size();
                QVERIFY2(!writer.write(f, path), writer.name);
                QVERIFY2(Said(f, said), writer.name);
                QVERIFY(fs::is_directory(f.dir.File("taken.bmp")) && fs::is_regular_file(f.dir.File("plain")));
            }
        QVERIFY(Snapshot(f.dir.Path()) == before);
        for (const Writer& writer : Writers()) {
            const std::string path = f.dir.File(std::string(writer.name) + ".out");
            QVERIFY2(writer.write(f, path) && fs::is_regular_file(path), writer.name);
        }
    }
};

QTEST_MAIN(AwkwardInputsTest)
#include "test_awkward_inputs.moc"
