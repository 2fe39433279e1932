// The Qibla world map: a fixed picture of the bands of equal Qibla bearing
// and a line that explains it. Shown modally by the Qibla window, and kept
// above every other window until it closes.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class frmqmap : public QDialog {
    Q_OBJECT
public:
    // Builds the controls and runs Form_Load (a missing or short pref.zvd
    // stops the program).
    explicit frmqmap(QWidget* parent = nullptr);

    void Form_Load();
    void cmdclose_Click();
    // Keeps `form` above every other window (State true) or lets it go back
    // into the normal order; only the stacking changes.
    static void TopMost(QWidget* form, bool State);

    QLabel* imgqmap = nullptr;
    QLabel* lblqmap = nullptr;
    QPushButton* cmdclose = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void Form_Resize();
};

// The name of the picture in the program folder.
inline constexpr const char* kQiblaMapPicture = "qmap.png";
