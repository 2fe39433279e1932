// The Hijri-Gregorian converter: a date of one calendar in, the same day of
// the other calendar and its weekday out. Shown modally by the main window;
// it writes no file and keeps nothing between openings.
#pragma once

#include <QDialog>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmhej : public QDialog {
    Q_OBJECT

public:
    explicit frmhej(QWidget* parent = nullptr);

    void Form_Load();
    void opthtg_Click();
    void optgth_Click();
    void opthtg_GotFocus();
    void cmdcon_Click();
    void cmdcan_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void switchToArabic();
    void fillMonths(bool hijri);
    void fillDays(int last);

    bool english_ = true;

    QGroupBox* frahej;
    QRadioButton *opthtg, *optgth;
    QFrame* Line1;
    QLabel *lblhej, *lbly;
    QLineEdit* txty;
    QLabel* lblm;
    QComboBox* cbom;
    QLabel* lbld;
    QComboBox* cbod;
    QFrame* Line2;
    QLabel *lblres, *lblday, *lbldt, *lblmt, *lblyt, *lblvis, *lbler;
    QPushButton *cmdcon, *cmdcan;
};
