// The telescope tool: where to point a hand-set telescope at the Sun, the
// Moon and the crescent for a local date and time, and a picture of the
// crescent's orientation. Shown modally by the main window; its settings
// come from tele.zvd when it opens and go back there when Close is pressed.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmtele : public QDialog {
    Q_OBJECT

public:
    explicit frmtele(QWidget* parent = nullptr);

    void Form_Load();
    void cmdnow_Click();
    void cmdcalc_Click();
    void optair_Click() { cmdcalc_Click(); }
    void optref_Click() { cmdcalc_Click(); }
    void optnow_Click() { cmdcalc_Click(); }
    void optj2000_Click() { cmdcalc_Click(); }
    void chkflph_Click() { ShowCrescentPicture(); }
    void chkflpv_Click() { ShowCrescentPicture(); }
    void cmdclose_Click();

    double crsang = 0; // bright-limb orientation of the last calculation, degrees

private:
    struct ValueRow {
        QLabel *ra, *dec, *alt, *azm;     // captions
        QLabel *rav, *decv, *altv, *azmv; // values
    };

    void createControls();
    QGroupBox* valueBlock(const char* frameName, const QString& title, const char* prefix,
                          ValueRow& row);
    void switchToArabic();
    void ShowCrescentPicture();
    // Refuses, naming the box, a number too large for a double; the focus
    // goes back to that box.
    bool numbersFit();

    bool english_ = true;

    QGroupBox* fratele;
    QLabel* lblyear;
    QLineEdit* txtyear;
    QLabel* lblmonth;
    QComboBox* cbomonth;
    QLabel* lblday;
    QComboBox* cboday;
    QLabel* lblhour;
    QComboBox* cbohour;
    QLabel* lblminutes;
    QComboBox* cbominutes;
    QLabel* lbllocalt;
    QPushButton *cmdnow, *cmdcalc;
    QGroupBox *frasettings, *fracoorref, *fracoor;
    QRadioButton *optnow, *optj2000, *optair, *optref;
    QGroupBox *frasun, *framoon, *fracres;
    ValueRow sun_{}, moon_{}, crs_{};
    QGroupBox* fracresimage;
    QLabel* pctcresimg;
    QCheckBox *chkflph, *chkflpv;
    QLabel* lblnote;
    QPushButton* cmdclose;
};
