// The Qibla window: the Qibla direction of the current location as a text, a
// needle in a compass circle and the location's name; the controls of the
// Qibla-times report; and the button of the Qibla world map. Modeless.
#pragma once

#include <functional>

#include <QFrame>
#include <QWidget>

class QLabel;
class QPushButton;
class QRadioButton;

namespace qiblawindow {

// A line of the window's design (a separator, the compass needle): a widget
// that draws the segment between two points given in twips of its parent and
// covers just their box, passing mouse input through.
class LineControl : public QWidget {
    Q_OBJECT
public:
    explicit LineControl(QWidget* parent);
    void setLine(int x1, int y1, int x2, int y2);
    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
};

// A circle drawn within its box (the compass).
class ShapeControl : public QWidget {
    Q_OBJECT
public:
    explicit ShapeControl(QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace qiblawindow

class frmqib : public QWidget {
    Q_OBJECT
public:
    // Builds the controls and runs Form_Load. A missing or short pref.zvd or
    // loc.zvd stops the program.
    frmqib();

    void Form_Load();
    void cmdclose_Click();
    void cmdshowqmap_Click();
    void cmdqib_Click();

    // The window's angle reductions (degrees, written back and returned).
    double range(double& var);
    double rangeh(double& var);

    // How the map button shows the Qibla world map; unset, the window opens
    // a map of its own and waits for it.
    std::function<void()> showMap;

    // The bearing, rounded to 0.1 degree; 0 before the load.
    float qibang = 0;
    // False at the Kaaba and at its antipode, where every direction is the Qibla.
    bool bearingDefined() const { return defined_; }

    QFrame* fraqib = nullptr;
    QLabel* lblhead = nullptr;
    QLabel* lblloc = nullptr;
    qiblawindow::ShapeControl* Shape1 = nullptr;
    QLabel *lbln = nullptr, *lble = nullptr, *lbls = nullptr, *lblw = nullptr;
    qiblawindow::LineControl* lin1 = nullptr;
    QLabel* lblang = nullptr;
    qiblawindow::LineControl* Line1 = nullptr;
    QLabel* lblqibtim = nullptr;
    QRadioButton* optsun = nullptr;
    QRadioButton* optsha = nullptr;
    QPushButton* cmdqib = nullptr;
    QPushButton* cmdshowqmap = nullptr;
    QPushButton* cmdclose = nullptr;

private:
    void createControls();
    void switchToArabic();
    bool english_ = true;
    bool defined_ = true;
};
