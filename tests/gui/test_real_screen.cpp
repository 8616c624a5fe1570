// The windows as a user meets them on an ordinary screen: messages, a search
// that works at once, Czech dialogs, scaled pictures.
#include "czech_translations.h"
#include "gui_fixture.h"
#include "message_box_reporter.h"
#include "readable_cells.h"
#include "upravy_korun_form.h"

using namespace lumera;
using namespace lumera::testing;

class RealScreenTest : public QObject {
    Q_OBJECT
private slots:
    void aMessageClosesBackIntoTheWindowThatRaisedIt()
    {
        TempDir dir;
        InstallReferenceFiles(dir.Path());
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir.Path().string()));
        gui::MessageBoxReporter reporter;
        ScriptedDialogs dialogs;
        {
            gui::Workbench app(reporter, dialogs);
            reporter.SetParent(app.MainForm.get());
            app.MainForm->show();
            QVERIFY(QTest::qWaitForWindowExposed(app.MainForm.get()));
            gui::TVahFceForm* editor = app.VahFceForm.get();
            editor->ShowWindow();
            QCOMPARE(editor->windowHandle()->transientParent(), app.MainForm->windowHandle());
            QTRY_COMPARE(QApplication::activeWindow(), editor);
            QWidget* owner = nullptr;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;
                owner = box->parentWidget();
                box->accept();
            });
            editor->SetBtn->click();
            QCOMPARE(owner, editor);
            QTRY_COMPARE(QApplication::activeWindow(), editor);
        }
        QDir::setCurrent(previous);
    }

    void theFileDialogsOwnTextsMissingFromQtsTranslationAreCzechInTheirPlaceOnly()
    {
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"), QString("Složka"));
        QCOMPARE(QCoreApplication::translate("Lumera", "Folder"), QString("Folder"));
    }

    void theSearchWorksAtOnceTellsWhatItFoundAndAnEmptyCellNamesTheButtonsThatFillIt()
    {
        GuiFixture f;
        gui::TExtrForm* form = f.app->ExtrForm.get();
        WriteBmp(f.dir.File("a.bmp"), PatternPicture(40, 30));
        f.dialogs.answers = {f.dir.File("a.bmp")};
        form->ZdrojBtn->click();
        form->LokalMaxBtn->click();
        QCOMPARE(form->StatusLine->text(), QString("Nalezeno maxim: %1.").arg(form->Maxima.size()));

        delete form->Filtr->MaticeFiltru->takeItem(3, 3);
        const std::size_t said = f.reporter.messages.size();
        form->LokalMinBtn->click();
        QCOMPARE(f.reporter.messages.size(), said + 1);
        for (const char* button : {"\"Nastavit\"", "\"Gauss\"", "\"Nahrát\""})
            QVERIFY(f.LastMessage().find(button) != std::string::npos);
    }

    void aNumberTooWideForItsCellKeepsItsLeadingDigitsAndExponent()
    {
        const QFontMetrics metrics(QApplication::font());
        const QString number = QStringLiteral("1,96513478901234E-5");
        const QString shown = gui::ShortenedNumber(number, metrics, metrics.horizontalAdvance(QStringLiteral("1,9651…E-5")));
        QVERIFY2(shown.startsWith(QStringLiteral("1,9")) && shown.endsWith(QStringLiteral("E-5")) && shown.size() < number.size(),
                 qPrintable(shown));
    }

    void everyWindowShowsItsButtonsSideBySide()
    {
        GuiFixture f;
        const gui::Workbench& app = *f.app;
        // The crown editor's tools are actions, not buttons.
        const std::vector<QWidget*> windows = {app.MainForm.get(), app.VahFceForm.get(), app.EkvalizaceForm.get(),
                                               app.VyslForm.get(), app.ExtrForm.get(),   app.ExtrForm2.get()};
        for (QWidget* window : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            std::vector<std::pair<QRect, QString>> shown;
            for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
                if (button->isVisible() && !button->text().isEmpty())
                    shown.push_back({{button->mapTo(window, QPoint()), button->size()}, button->text()});
            QVERIFY2(!shown.empty(), qPrintable(window->objectName()));  // laid out, not left out of the window
            for (std::size_t i = 0; i < shown.size(); ++i)
                for (std::size_t j = i + 1; j < shown.size(); ++j)
                    QVERIFY2(!shown[i].first.intersects(shown[j].first),
                             qPrintable(window->objectName() + ": " + shown[i].second + " / " + shown[j].second));
            window->hide();
        }
    }

    void aPressOnAScaledPictureFindsTheDataPixelUnderIt()
    {
        QWidget view;
        gui::PictureView picture("Picture", &view);
        picture.FitInto(&view);
        view.resize(300, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        struct Case {
            QSize data, shown;
            QPoint press, pixel;
        };
        const Case cases[] = {{{20, 15}, {300, 225}, {1, 1}, {0, 0}},       {{20, 15}, {300, 225}, {14, 15}, {0, 1}},
                              {{20, 15}, {300, 225}, {299, 224}, {19, 14}},  {{15, 20}, {225, 300}, {224, 299}, {14, 19}},
                              {{600, 400}, {300, 200}, {151, 99}, {302, 198}}, {{300, 300}, {300, 300}, {7, 9}, {7, 9}}};
        for (const Case& c : cases) {
            picture.SetPictureSize(c.data.width(), c.data.height());
            QCOMPARE(picture.size(), c.shown);
            QSignalSpy presses(&picture, &gui::PictureView::MouseDown);
            QTest::mouseClick(&picture, Qt::LeftButton, {}, c.press);
            QCOMPARE(presses.size(), 1);
            QCOMPARE(QPoint(presses[0][0].toInt(), presses[0][1].toInt()), c.pixel);
        }
        const Bitmap pattern = PatternPicture(20, 15);  // shown as it is pressed: each data pixel under the pointer
        picture.SetPicture(pattern);
        const QImage shown = picture.grab().toImage();
        for (const QPoint at : {QPoint{14, 15}, QPoint{299, 224}, QPoint{151, 99}}) {
            const uint8_t* data = pattern.ScanLine(at.y() * 15 / shown.height()) + 3 * (at.x() * 20 / shown.width());
            QCOMPARE(shown.pixelColor(at), QColor(data[2], data[1], data[0]));
        }
    }
};

int main(int argc, char** argv)
{
    gui::PreferCzechEnvironment();
    QApplication application(argc, argv);
    gui::InstallCzechTranslations(application);
    RealScreenTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_real_screen.moc"
