#include "gui_fixture.h"

using namespace lumera;
using namespace lumera::testing;

class VyslFormTest : public QObject {
    Q_OBJECT
private slots:
    void eachButtonOpensIntoItsOwnSlot()
    {
        GuiFixture f;
        auto* form = f.app->VyslForm.get();
        WriteBmp(f.dir.File("a.bmp"), PatternPicture(70, 70, 1));
        WriteBmp(f.dir.File("b.bmp"), PatternPicture(80, 80, 2));
        f.dialogs.answers = {f.dir.File("a.bmp"), f.dir.File("b.bmp"), std::nullopt, f.dir.File("b.bmp")};
        for (QPushButton* button : {form->Button3, form->Button2, form->Button1, form->Button4}) button->click();
        QCOMPARE(f.dialogs.initialDirs.back(), f.dir.File("obr"));
        QCOMPARE(form->Image3->Picture(), PatternPicture(70, 70, 1));
        QCOMPARE(form->Image2->Picture(), PatternPicture(80, 80, 2));
        QVERIFY(form->Image1->Picture().Empty());
        QCOMPARE(form->Image4->Picture(), PatternPicture(80, 80, 2));

        // The four slots and their buttons lie apart from each other.
        form->show();
        const QList<QWidget*> parts = {form->Image1, form->Image2, form->Image3, form->Image4,
                                       form->Button1, form->Button2, form->Button3, form->Button4};
        for (int i = 0; i < parts.size(); ++i)
            for (int j = i + 1; j < parts.size(); ++j)
                QVERIFY(!QRect(parts[i]->mapToGlobal(QPoint()), parts[i]->size())
                             .intersects(QRect(parts[j]->mapToGlobal(QPoint()), parts[j]->size())));
    }
};

QTEST_MAIN(VyslFormTest)
#include "test_vysl_form.moc"
