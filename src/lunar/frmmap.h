// The crescent-visibility world map window: the map picture with the drawn
// circles, the day options, the criterion list, the mouse read-out and the
// Draw, Stop Drawing, Save Image and Close buttons.
#pragma once

#include <functional>

#include <QDialog>
#include <QImage>
#include <QString>

#include "lunar/vismapcompute.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The map picture: paints its image and reports the mouse in its pixels.
class MapPicture : public QWidget {
    Q_OBJECT
public:
    explicit MapPicture(QWidget* parent);
    QImage image;

signals:
    void mouseMoved(int x, int y);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

class frmmap : public QDialog {
    Q_OBJECT
public:
    frmmap();

    // The save-file dialog: returns the chosen path, empty when cancelled.
    // Tests replace it.
    using SaveDialog =
        std::function<QString(QWidget* parent, const QString& folder, const QString& fileName)>;
    static SaveDialog setSaveDialog(SaveDialog dialog);
    // The GIF file that Save Image writes for the name chosen in the dialog.
    static QString gifPathFor(const QString& chosen);

    void Form_Load();
    void cmddraw_Click();
    void cmdstop_Click();
    void cmdsave_Click();
    void cmdclose_Click();
    void pic_MouseMove(int x, int y);
    static void TopMost(QWidget* form, bool state);

    MapPicture* pic = nullptr;
    QLabel* lblinf = nullptr;
    QLabel* lblleg = nullptr;
    QGroupBox* fravis = nullptr;
    QRadioButton* opt0 = nullptr;
    QRadioButton* opt1 = nullptr;
    QRadioButton* opt2 = nullptr;
    QGroupBox* fracri = nullptr;
    QComboBox* cbocri = nullptr;
    QLabel* lblmouse = nullptr;
    QPushButton* cmddraw = nullptr;
    QPushButton* cmdstop = nullptr;
    QPushButton* cmdsave = nullptr;
    QPushButton* cmdclose = nullptr;

    lunar::VisibilityMapComputation map;
    QString maptitle;
    bool stopflag = false;
    bool drawing() const { return drawing_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void placeInFrames();
    void createControls();
    void setLegendAndInformation(bool newCrescent);
    void fitLabels();
    QImage savedPicture();
    void plot(double lon, double lat, int code);
    bool eng_ = true;
    bool drawing_ = false;
};
