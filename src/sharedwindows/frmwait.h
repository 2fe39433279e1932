// The progress window of the long computations, and the guard that lets only
// one of them run at a time.
//
// A computation follows the protocol through LongComputation:
//
//     LongComputation run(this);        // shows frmwait, clears cancelflag
//     if (!run.started())
//         return;                       // another one runs: refused with a message
//     for (double jd = jd1; jd <= jd2; ++jd) {
//         run.stepStarts(jd, jd1, jd2); // Pro1 and lblpro1
//         ...compute and write the day...
//         if (run.handOverCancelled())  // DoEvents, then test cancelflag
//             break;
//     }
//     // leaving the scope unloads frmwait
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

class frmwait : public QWidget {
    Q_OBJECT
public:
    // The loaded window; the first use after an unload loads it (hidden) and
    // runs Form_Load, which reads pref.zvd again.
    static frmwait& form();
    static bool isLoaded();
    // Unloads the window; no effect when it is not loaded.
    static void unload();

    // The share done, 0..100: 100 * ((JD - JD1) / (JD2 - JD1)), the quotient
    // first; 100 for a run of one day (JD1 = JD2).
    static double share(double jd, double jd1, double jd2);
    // Pro1 = p and lblpro1 = Int(p) followed by " %".
    void showShare(double p);

    void Form_Load();
    void bcancel_Click();

    QLabel* Label1 = nullptr;
    QLabel* lbllong = nullptr;
    QProgressBar* Pro1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblpro1 = nullptr;
    QPushButton* bcancel = nullptr;

protected:
    // Closing the window is a Cancel: the run cannot go on without its window.
    void closeEvent(QCloseEvent* event) override;

private:
    frmwait();
    void createControls();
};

// One long computation: steps 1 to 4 of the protocol when it is constructed,
// the unload of frmwait when it ends. While one exists a second one is refused
// with a message box in the interface language and started() is false; the
// window, cancelflag and the running computation are left alone.
class LongComputation {
public:
    explicit LongComputation(QWidget* requester = nullptr);
    // A computation that shows its own progress (the visibility map draws
    // block by block): only the one-run guard, no frmwait and no cancelflag.
    enum class OwnProgress { Shown };
    LongComputation(QWidget* requester, OwnProgress);
    ~LongComputation();
    LongComputation(const LongComputation&) = delete;
    LongComputation& operator=(const LongComputation&) = delete;

    bool started() const { return started_; }
    static bool running();

    // Step 5.1 for the day jd of the range jd1..jd2, or a share already known.
    void stepStarts(double jd, double jd1, double jd2);
    void stepStarts(double percent);
    // Step 5.3: hands control to the message loop once, then true when the
    // user has pressed Cancel (cancelflag = -1).
    bool handOverCancelled();

private:
    bool started_ = false;
    bool window_ = true; // frmwait shown, unloaded at the end
};
