// frmcresv: the crescent-visibility window. It collects an approximate
// conjunction date, the crescent, the frame and the day and time of the
// calculation, keeps them in visib.zvd, finds the conjunction (Preview), and
// only then lets the user calculate the report or open the world map. Any
// change of the date, calendar, crescent or frame withdraws the preview.
#pragma once

#include <string>

#include <QDialog>

#include "lunar/conjunction.h"
#include "lunar/onedayengines.h"
#include "lunar/visibsettings.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmcresv : public QDialog {
    Q_OBJECT

public:
    explicit frmcresv(lunar::OneDayEngines engines, QWidget* parent = nullptr);

    void Form_Load();
    void cmdprev_Click();
    void cmdcalc_Click();
    void cmdmap_Click();
    void cmdclose_Click();
    void optgre_Click();
    void opthej_Click();
    void optnew_Click();
    void optold_Click();
    void optgeo_Click();
    void opttopo_Click();
    void optsun_Click();
    void optmoon_Click();
    void optbest_Click();
    void optspe_Click();
    void cboday_Click();
    void cbomonth_Click();
    void cbomh_Click();
    void txtyear_Change();
    void txtyearh_Change();

    // The record the controls stand for now.
    lunar::VisibilitySettings currentSettings() const;

private:
    void createControls();
    void connectHandlers();
    void switchToArabic();
    void ResetPreview();
    // Says why the Preview cannot run, naming the box to mend.
    void refusePreview(lunar::PreviewRefusal why);
    void readPreferenceCopies();
    void setTimeListsEnabled(bool enabled);
    void setSunMoonCaptions();
    bool saveSettings();

    lunar::OneDayEngines engines_;

    // Window fields.
    bool eng = true;
    std::string min = "0";
    double pi_ = 0;
    double conjlocal_ = 0;
    std::string summertext_ = "Off";

    QLabel* lblhcresv;
    QGroupBox* fradate;
    QRadioButton* optgre;
    QLabel* lblday;
    QComboBox* cboday;
    QLabel* lblmonth;
    QComboBox* cbomonth;
    QLabel* lblyear;
    QLineEdit* txtyear;
    QRadioButton* opthej;
    QLabel* lblhmonth;
    QComboBox* cbomh;
    QLabel* lblhyear;
    QLineEdit* txtyearh;
    QPushButton* cmdprev;
    QLabel* lblprev;
    QGroupBox* frawax;
    QRadioButton* optnew;
    QRadioButton* optold;
    QLabel* lblchange2;
    QGroupBox* fraref;
    QRadioButton* optgeo;
    QRadioButton* opttopo;
    QLabel* lblchange;
    QGroupBox* frawhend;
    QRadioButton* optconj;
    QRadioButton* optone;
    QRadioButton* opttwo;
    QGroupBox* frawhent;
    QRadioButton* optsun;
    QRadioButton* optmoon;
    QRadioButton* optbest;
    QRadioButton* optspe;
    QLabel* lblh;
    QComboBox* cboh;
    QLabel* lblm;
    QComboBox* cbom;
    QPushButton* cmdcalc;
    QPushButton* cmdmap;
    QPushButton* cmdclose;
    QLabel* lblnote;
};
