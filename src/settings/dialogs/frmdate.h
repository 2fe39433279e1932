// The calculation dates dialog: one day, a period, or the computer's date,
// for the prayer-times, moon-times and Qibla-times reports. The only writer
// of date.zvd.
#pragma once

#include <optional>

#include <QDialog>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace dialogs {

// The day number of a calendar date whose month and day may lie outside
// their ranges: they roll over into the next or the previous months and
// years, as 31 February is 3 March (2 March in a leap year). Each number is
// first taken to the nearest whole number (an exact half to the even one).
// Empty when a number does not fit a 16-bit integer.
std::optional<long long> rolledDayNumber(double year, double month, double day);

} // namespace dialogs

class frmdate : public QDialog {
    Q_OBJECT

public:
    explicit frmdate(QWidget* parent = nullptr);

    // Shown modally by the main window with exec(); saved() follows a write.

    void Form_Load();
    void cmdok_Click();
    void cmdcan_Click();
    void optday_Click();
    void optper_Click();
    void optsystem_Click();

signals:
    void saved();

private:
    void createControls();
    void switchToArabic();
    void enableGroups(bool oneDay, bool period);

    bool english_ = true;

    QGroupBox* fradate;
    QRadioButton *optday, *optper, *optsystem;
    QLabel *lbloyear, *lblomonth, *lbloday;
    QLineEdit* txtoyear;
    QComboBox *cboomonth, *cbooday;
    QLabel *lblf, *lblfyear, *lblfmonth, *lblfday;
    QLineEdit* txtfyear;
    QComboBox *cbofmonth, *cbofday;
    QLabel *lblt, *lbltyear, *lbltmonth, *lbltday;
    QLineEdit* txttyear;
    QComboBox *cbotmonth, *cbotday;
    QLabel *lblthis, *Label1;
    QFrame *lindate, *lindate2;
    QPushButton *cmdok, *cmdcan;
};
