// The preferences dialog: how prayer times are computed and shown, and the
// interface language. The only writer of pref.zvd.
#pragma once

#include <QDialog>
#include <QString>

#include "settings/records.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmpreferences : public QDialog {
    Q_OBJECT

public:
    explicit frmpreferences(QWidget* parent = nullptr);

    // Shown modally by the main window with exec(); saved() tells it to
    // rebuild itself from the new preferences.

    void Form_Load();
    void cbotwi_Click();
    void optnosum_Click();
    void optsum_Click();
    void cmdok_Click();
    void cmddef_Click();
    void cmdcan_Click();

signals:
    void saved();

private:
    void createControls();
    void switchToArabic();
    void setAngleBoxes(const QString& fajr, const QString& isha, bool enabled);
    void setSummerControlsEnabled(bool enabled);

    bool english_ = false; // the language read at load
    double fajang_ = 0;    // the held angles
    double ishang_ = 0;
    std::string opttwi_; // the convention read at load

    QGroupBox *fratwi, *fraadd, *frasum, *fraasr, *frapre, *fraele, *frahl, *Fra24, *fralan;
    QComboBox* cbotwi;
    QLabel *lblfaj, *lblisha, *lblfajd, *lblishd;
    QLineEdit *txtfaj, *txtisha;
    QLabel *lblsubfaj, *lblsubfaj2, *lblsubsho, *lblsubsho2, *lbladddoh, *lbladddoh2;
    QLabel *lbladdasr, *lbladdasr2, *lbladdmag, *lbladdmag2;
    QLineEdit *txtsubfaj, *txtsubsho, *txtadddoh, *txtaddasr, *txtaddmag;
    QRadioButton *optnosum, *optsum;
    QLabel *lblfrom, *lblfmonth, *lblfday, *lblto, *lbltmonth, *lbltday;
    QComboBox *cbofmonth, *cbofday, *cbotmonth, *cbotday;
    QRadioButton *optsha, *opthan, *optmin, *optsec;
    QCheckBox *chkeleset, *chkhl, *chkelefaj;
    QRadioButton *Opt24, *Opt12, *opten, *optar;
    QPushButton *cmdok, *cmddef, *cmdcan;
};
