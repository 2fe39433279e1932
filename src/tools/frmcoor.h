// The "Sun and Moon Ephemeris" window: body, time reference, frame, the start
// and end local date-times, the step and the summer-time box; Calculate runs
// the ephemeris report. The window keeps its last settings in coor.zvd.
#pragma once

#include <QWidget>

#include "tools/ephemeris.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmcoor : public QWidget {
    Q_OBJECT
public:
    // Builds the window and runs Form_Load. It unloads (is deleted) when it
    // closes.
    explicit frmcoor(QWidget* parent = nullptr);

    void Form_Load();
    void cmdcalc_Click();
    void cmdclose_Click();

    // The record the controls hold now (what Close and Calculate write).
    ephemeris::EphemerisSettings settingsFromControls() const;

    QLabel* lblhead = nullptr;
    QGroupBox* fracoor = nullptr;
    QLabel* lblobj = nullptr;
    QComboBox* cboobj = nullptr;
    QGroupBox* fraloc = nullptr;
    QRadioButton* optgeo = nullptr;
    QRadioButton* opttopo = nullptr;
    QGroupBox* fratime = nullptr;
    QRadioButton* optut = nullptr;
    QRadioButton* opttdt = nullptr;
    QLabel* lblstart = nullptr;
    QLabel* lbly = nullptr;
    QLineEdit* txty = nullptr;
    QLabel* lblm = nullptr;
    QComboBox* cbom = nullptr;
    QLabel* lbld = nullptr;
    QComboBox* cbod = nullptr;
    QLabel* lblh = nullptr;
    QComboBox* cboh = nullptr;
    QLabel* lblmn = nullptr;
    QComboBox* cbomn = nullptr;
    QLabel* lbls = nullptr;
    QComboBox* cbos = nullptr;
    QLabel* lblend = nullptr;
    QLabel* lbly2 = nullptr;
    QLineEdit* txt2y = nullptr;
    QLabel* lblm2 = nullptr;
    QComboBox* cbo2m = nullptr;
    QLabel* lbld2 = nullptr;
    QComboBox* cbo2d = nullptr;
    QLabel* lblh2 = nullptr;
    QComboBox* cbo2h = nullptr;
    QLabel* lblmn2 = nullptr;
    QComboBox* cbo2mn = nullptr;
    QLabel* lbls2 = nullptr;
    QComboBox* cbo2s = nullptr;
    QLabel* lblinc = nullptr;
    QLineEdit* txti = nullptr;
    QComboBox* cboi = nullptr;
    QCheckBox* chksummer = nullptr;
    QPushButton* cmdcalc = nullptr;
    QPushButton* cmdclose = nullptr;

private:
    void createControls();
    void switchToArabic();
    void putSettings(const ephemeris::EphemerisSettings& s);
    // Refuses, naming the box, a number too large for a double; the focus
    // goes back to that box.
    bool numbersFit();
    bool english_ = true;
};
