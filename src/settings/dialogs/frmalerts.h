// The prayer-alert dialog: which alerts adhanbell gives and which adhan it
// plays. The only writer of alert.zvd; on OK it also makes adhanbell start
// at login (or stops that when every alert is off) and starts it when it
// does not run.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmalerts : public QDialog {
    Q_OBJECT

public:
    explicit frmalerts(QWidget* parent = nullptr);

    // Shown modally by the main window with exec(); saved() follows a write.

    void Form_Load();
    void chkpep_Click();
    void chkpra_Click();
    void chkpopup_Click();
    void cmdok_Click();
    void cmdcan_Click();

    // Makes `TargetPath` start at login from `WorkPath`, as the autostart
    // entry `ShortCutname`. False and a reason when the entry cannot be made.
    bool Create_ShortCut(const QString& TargetPath, const QString& ShortCutname,
                         const QString& WorkPath, QString& error);

signals:
    void saved();

private:
    void createControls();
    void switchToArabic();
    void enableAdhanChoices(bool enabled);
    void tellFailure(const QString& englishText, const QString& arabicText, const QString& why);
    // alert.zvd could not be written: says so, and what OK did all the same.
    void tellSaveFailure(const QString& why, bool started, bool undone, const QString& undoWhy);

    bool english_ = true;

    QGroupBox* fraale;
    QCheckBox *chkpep, *chkpra, *chkpopup;
    QLineEdit* txtpep;
    QLabel *lblpep, *lblprao;
    QGroupBox *fradoh, *fraasr, *framag, *fraish;
    QRadioButton *optdhrh, *optasrh, *optmagh, *optishh;
    QRadioButton *optdhre, *optasre, *optmage, *optishe;
    QPushButton *cmdok, *cmdcan;
};
