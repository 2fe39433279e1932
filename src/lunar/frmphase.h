// The moon-phases window: a year, the reference (geocentric or topocentric)
// and the time reference (local time from UT1 with its Delta T, or from TT);
// Calculate writes the year's phases into results.out and opens it; Close
// keeps the three choices in phase.zvd.
#pragma once

#include <QWidget>

#include "moonphases.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lunar {
struct PhaseChoices;
}

// The window's settings file and its design values, used where the file is
// missing or short.
inline constexpr const char* kPhaseSettingsFile = "phase.zvd";

class frmphase : public QWidget {
    Q_OBJECT
public:
    explicit frmphase(QWidget* parent = nullptr);

    void Form_Load();
    void txtyear_Change();
    void opttdt_Click();
    void optut_Click();
    void txtyear_GotFocus();
    void txtdelta_GotFocus();
    void cmdcalc_Click();
    void cmdclose_Click();

    // The options as they stand (the run reads them before each lunation).
    lunar::PhaseChoices choices() const;
    bool running() const { return running_; }

    QLabel* lblhphase = nullptr;
    QGroupBox* fradate = nullptr;
    QLabel* lblyear = nullptr;
    QLineEdit* txtyear = nullptr;
    QGroupBox* fraref = nullptr;
    QRadioButton* optgeo = nullptr;
    QRadioButton* opttopo = nullptr;
    QGroupBox* fratime = nullptr;
    QRadioButton* optut = nullptr;
    QRadioButton* opttdt = nullptr;
    QGroupBox* fradelta = nullptr;
    QLineEdit* txtdelta = nullptr;
    QLabel* lblsec = nullptr;
    QLabel* lbldeltan = nullptr;
    QLabel* lblchoose = nullptr;
    QPushButton* cmdcalc = nullptr;
    QPushButton* cmdclose = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The title-bar button closes without saving, but not while a run is
    // using the window.
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void switchToArabic();
    void message(const QString& english, const QString& arabic);

    bool english_ = true;
    bool running_ = false;
    mutable double lastDeltaT_ = 0;
    // The Delta T a run may take (its year's), against which a Delta T typed
    // during it is judged.
    lunar::DeltaTRange runDeltaTRange_;
};
