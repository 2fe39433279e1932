// The adhan pop-up window: names the prayer and its time, today's date and
// the place with its coordinates, elevation and zone; stays on top of every
// other window; its Close button stops the adhan. The alert loop keeps one
// at most and fills its heading and time at each prayer.
#pragma once

#include <QWidget>
#include <functional>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace alerts {

class frmadan : public QWidget {
    Q_OBJECT
public:
    // `stopAdhan` ends the recording of the hidden window's player.
    explicit frmadan(std::function<void()> stopAdhan, QWidget* parent = nullptr);

    QLabel* heading() const { return lblhead; }
    QLabel* timeLabel() const { return lbltim2; }

    // Shows the window (not modal) on top of every other window.
    void showOnTop();

    void cmdclose_Click();
    void cmdmin_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void applyArabicLayout();
    void putOnTop();
    int twips(int t) const;
    void place(QWidget* w, int left, int top, int width, int height = 0);

    std::function<void()> stopAdhan_;

    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QFrame* Line3 = nullptr;
    QFrame* Line4 = nullptr;
    QGroupBox* fraann = nullptr;
    QLabel* lblhead1 = nullptr;
    QLabel* lblloc2 = nullptr;
    QLabel* lblhead = nullptr;
    QLabel* lbltim2 = nullptr;
    QLabel* lbldat = nullptr;
    QLabel* lbldat2 = nullptr;
    QLabel* lbllon = nullptr;
    QLabel* lbllon2 = nullptr;
    QLabel* lbllat = nullptr;
    QLabel* lbllat2 = nullptr;
    QLabel* lblele = nullptr;
    QLabel* lblele2 = nullptr;
    QLabel* lblzon = nullptr;
    QLabel* lblzon2 = nullptr;
    QPushButton* cmdmin = nullptr;
    QPushButton* cmdclose = nullptr;
};

// The twips of a window's design as pixels of `w`'s screen (1440 twips to
// the inch at the screen's logical dots per inch).
int twipsToPixels(int twips, const QWidget* w);

} // namespace alerts
