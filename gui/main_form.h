#pragma once
#include <string>

#include <QMainWindow>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace lumera::gui {

class PictureView;
class Workbench;

// The main window: the menu to everything else, the views of the loaded
// cut-out and the panels of the spectral analysis.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(Workbench& workbench);

    // Loads a cut-out file into the cube; on failure reports it and changes nothing.
    bool LoadCutout(const std::string& path);
    // The close question; true when the user agreed and the data were released.
    bool FormCloseQuery();

    // Pixel controls
    PictureView* SpektrumImage;
    QPushButton* Button3;
    QPushButton* TrueColorBtn;
    QFrame* ValuePanel;
    QLabel *Label1, *Label2, *Label3, *Label4, *ValueLabel;
    QSpinBox *XSpin, *YSpin, *BandSpin;
    QPushButton* SpektrumBtn;
    QPushButton* BandMapBtn;
    QPlainTextEdit* SpektrumMemo;
    // Pictures
    QScrollArea* VzorScrollBox;
    PictureView* VzorImage;
    QScrollArea* BandMapScrollBox;
    PictureView* BandMapImage;
    QLabel* SouborLabel;
    QLabel *Label17, *DetailLabel;
    PictureView* DetailImage;
    QCheckBox* SavePictureCheck;
    QPushButton* SavePictureBtn;
    // Panels sharing the left part of the window
    QFrame* OBandechPanel;
    QLabel* Label14;
    QPlainTextEdit* Memo1;
    QFrame* NDVIPanel;
    QFrame* JehlicePanel2;
    QFrame* VysledkyPanel;
    // Menu
    QMenuBar* MainMenu1;
    QMenu *Data1, *Informace1, *Analza1, *Anal1, *Vsledky1;
    QAction *Nahrvn1, *Obandech1, *NDVI1, *Jehlice21, *Odmaskov8n1, *Vsledkyanalzy1, *Adaptivnekvalizace1,
        *Loklnextrmy1, *Zpracovnloklnchextrm1, *Srovnvn1;

public slots:
    // The true-colour composite of the loaded cut-out into VzorImage.
    void TrueColorBtnClick();

public slots:
    void Nahrvn1Click();
    void Obandech1Click();
    void Adaptivnekvalizace1Click();
    void Loklnextrmy1Click();
    void Zpracovnloklnchextrm1Click();
    void Srovnvn1Click();

    // --- Views of the loaded cut-out in main_form_views.cpp ---
public slots:
    void XSpinChange();  // any of XSpin, YSpin, BandSpin
    void SpektrumBtnClick();
    void Button3Click();
    void BandMapBtnClick();
    void BandMapImageMouseDown(int X, int Y);
    void VzorImageMouseDown(int X, int Y);
    void DetailImageMouseDown(int X, int Y);
    void SavePictureBtnClick();

public:
    // Writes the upper picture (`VzorImage`) when "horní" is checked, else the
    // lower one (`BandMapImage`), as a 24-bit BMP; ".bmp" is appended to a
    // name without extension. Reports a failure; true when written.
    bool SavePicture(const std::string& path);

private:
    // False, after saying so, while no cut-out is loaded.
    bool CutoutLoaded();
    // The detail of a click on one of the two pictures.
    void ShowPictureDetail(PictureView* picture, int X, int Y);
    // Limits the spins to the loaded cut-out's columns, rows and bands.
    void LimitSpinsToCutout();
    // --- end of the views ---

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void CreateControls();
    void CreateMenu();
    void FillBandList();

    Workbench& App;
};

}  // namespace lumera::gui
