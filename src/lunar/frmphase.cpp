#include "frmphase.h"

#include <algorithm>
#include <cmath>

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QVBoxLayout>

#include "engine/modgeneral.h"
#include "moonphases.h"
#include "platform/fault.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/textviewer.h"
#include "settings/records.h"
#include "settings/settingsline.h"
#include "sharedwindows/frmwait.h"
#include "sharedwindows/progresshost.h"

namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

// The Delta T box as a whole number (blanks around it allowed). A number
// beyond the double range is not one: `overflow` tells it apart from a text.
bool deltaTNumber(const QString& text, double& value, bool* overflow = nullptr)
{
    const std::string s = text.trimmed().toStdString();
    size_t used = 0;
    bool beyond = false;
    const bool number =
        !s.empty() && settings::leadingNumber(s, value, &used, &beyond) && used == s.size();
    if (overflow)
        *overflow = number && beyond;
    return number && !beyond;
}

// The Delta T box for the year box's text: "----" for a year whose Delta T
// cannot be computed, a year too large to be read among them.
QString deltaTOfYearBox(const std::string& yearText)
{
    if (settings::lenientNumberOverflows(yearText))
        return QStringLiteral("----");
    return q(lunar::deltaTText(lunar::deltaTSecondsOfYear(lunar::phaseYear(yearText))));
}

// Widens a box to show `widest` whole, in its own font and style, however
// narrow the window is made, with the air that a text keeps from a box's edge.
void holdWhole(QLineEdit* box, const QString& widest)
{
    // QLineEdit draws its text two pixels inside its frame on the side it is
    // aligned to and keeps two beyond the text's end for its cursor (the left
    // end of an Arabic box's right-aligned text); the style adds its frame
    // around that.
    constexpr int kInnerMargins = 2 + 2;
    // The least room between a text and the edge of its box, on the far side
    // as well: as a caption keeps from the box beside it.
    constexpr int kAir = 3;
    const QMargins m = box->textMargins();
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const int advance =
        static_cast<int>(std::ceil(QFontMetricsF(box->font()).horizontalAdvance(widest)));
    const QSize inner(advance + kInnerMargins + kAir + m.left() + m.right(),
                      box->fontMetrics().height());
    box->setMinimumWidth(
        box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, inner, box).width());
}

// A window whose notes wrap: the least height its layout gives it holds the
// notes at their fewest lines, as on a wide window, so a window made narrow
// and low would squeeze the options above them. Its least height is the one
// its narrowest width needs, where everything fits.
void holdTheLeastHeight(QWidget* window)
{
    QLayout* layout = window->layout();
    layout->activate();
    const QSize least = layout->totalMinimumSize();
    window->setMinimumHeight(std::max(least.height(), layout->totalHeightForWidth(least.width())));
}

// The window side of a run, and the options of the window as they stand at
// each lunation.
class WindowHost : public ProgressHost<lunar::PhaseRunHost> {
public:
    WindowHost(LongComputation& run, frmphase* window) : ProgressHost(&run), window_(window) {}

    lunar::PhaseChoices choices() override
    {
        if (window_)
            last_ = window_->choices();
        return last_;
    }

private:
    QPointer<frmphase> window_;
    lunar::PhaseChoices last_;
};

} // namespace

frmphase::frmphase(QWidget* parent) : QWidget(parent)
{
    createControls();
    Form_Load();
    holdTheLeastHeight(this); // in the language Form_Load chose
}

void frmphase::createControls()
{
    setObjectName(QStringLiteral("frmphase"));
    setWindowTitle(QStringLiteral("Moon Phases"));

    auto* top = new QVBoxLayout(this);

    lblhphase = new QLabel(QStringLiteral("Moon Phases"), this);
    lblhphase->setObjectName(QStringLiteral("lblhphase"));
    QFont heading = lblhphase->font();
    heading.setPointSize(14);
    heading.setBold(true);
    lblhphase->setFont(heading);
    lblhphase->setAlignment(Qt::AlignCenter);
    top->addWidget(lblhphase);

    auto* frames = new QHBoxLayout;
    top->addLayout(frames);

    fradate = new QGroupBox(QStringLiteral("Date"), this);
    fradate->setObjectName(QStringLiteral("fradate"));
    auto* dateLayout = new QHBoxLayout(fradate);
    lblyear = new QLabel(QStringLiteral("Year:"), fradate);
    lblyear->setObjectName(QStringLiteral("lblyear"));
    txtyear = new QLineEdit(QStringLiteral("2004"), fradate);
    txtyear->setObjectName(QStringLiteral("txtyear"));
    dateLayout->addWidget(lblyear);
    dateLayout->addWidget(txtyear);
    frames->addWidget(fradate);

    fraref = new QGroupBox(QStringLiteral("Reference"), this);
    fraref->setObjectName(QStringLiteral("fraref"));
    auto* refLayout = new QVBoxLayout(fraref);
    optgeo = new QRadioButton(QStringLiteral("Geocentric"), fraref);
    optgeo->setObjectName(QStringLiteral("optgeo"));
    optgeo->setChecked(true);
    opttopo = new QRadioButton(QStringLiteral("Topocentric"), fraref);
    opttopo->setObjectName(QStringLiteral("opttopo"));
    refLayout->addWidget(optgeo);
    refLayout->addWidget(opttopo);
    frames->addWidget(fraref);

    fratime = new QGroupBox(QStringLiteral("Time"), this);
    fratime->setObjectName(QStringLiteral("fratime"));
    auto* timeLayout = new QVBoxLayout(fratime);
    optut = new QRadioButton(QStringLiteral("Local (UT1)"), fratime);
    optut->setObjectName(QStringLiteral("optut"));
    optut->setChecked(true);
    opttdt = new QRadioButton(QStringLiteral("Local (TDT)"), fratime);
    opttdt->setObjectName(QStringLiteral("opttdt"));
    timeLayout->addWidget(optut);
    timeLayout->addWidget(opttdt);
    frames->addWidget(fratime);

    fradelta = new QGroupBox(QStringLiteral("Delta T"), this);
    fradelta->setObjectName(QStringLiteral("fradelta"));
    auto* deltaLayout = new QHBoxLayout(fradelta);
    txtdelta = new QLineEdit(QStringLiteral("65"), fradelta);
    txtdelta->setObjectName(QStringLiteral("txtdelta"));
    lblsec = new QLabel(QStringLiteral("Second(s)"), fradelta);
    lblsec->setObjectName(QStringLiteral("lblsec"));
    // Both boxes show their longest values whole however narrow the window:
    // a year at the ends of the accepted range, and a Delta T of eight
    // digits, which far years and a value typed in may reach.
    holdWhole(txtyear, QStringLiteral("-00000"));
    holdWhole(txtdelta, QStringLiteral("-00000000.00"));
    deltaLayout->addWidget(txtdelta);
    deltaLayout->addWidget(lblsec);
    frames->addWidget(fradelta);

    lbldeltan = new QLabel(QStringLiteral(" For \"Local (UT1)\"  Calculations, If you are not "
                                          "satisfied by the above Delta T  value, then kindly "
                                          "enter above the value you prefer."),
                           this);
    lbldeltan->setObjectName(QStringLiteral("lbldeltan"));
    lbldeltan->setWordWrap(true);
    top->addWidget(lbldeltan);

    // The design padded the line with blanks to break it before "Preferences"
    // in its own font; here the label wraps the sentence itself.
    lblchoose = new QLabel(QStringLiteral("Please choose the Precision and Summer Time settings "
                                          "from the Preferences Menu, and your location from the "
                                          "Location Menu."),
                           this);
    lblchoose->setObjectName(QStringLiteral("lblchoose"));
    lblchoose->setWordWrap(true);
    top->addWidget(lblchoose);

    auto* buttons = new QHBoxLayout;
    top->addLayout(buttons);
    cmdcalc = new QPushButton(QStringLiteral("&Calculate"), this);
    cmdcalc->setObjectName(QStringLiteral("cmdcalc"));
    cmdclose = new QPushButton(QStringLiteral("Clo&se"), this);
    cmdclose->setObjectName(QStringLiteral("cmdclose"));
    buttons->addStretch();
    buttons->addWidget(cmdcalc);
    buttons->addWidget(cmdclose);
    buttons->addStretch();

    connect(txtyear, &QLineEdit::textChanged, this, &frmphase::txtyear_Change);
    connect(opttdt, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            opttdt_Click();
    });
    connect(optut, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optut_Click();
    });
    txtyear->installEventFilter(this);
    txtdelta->installEventFilter(this);
    connect(cmdcalc, &QPushButton::clicked, this, &frmphase::cmdcalc_Click);
    connect(cmdclose, &QPushButton::clicked, this, &frmphase::cmdclose_Click);
}

void frmphase::Form_Load()
{
    const settings::Preferences pref = settings::readPreferences();
    english_ = pref.eng;

    // A missing or short phase.zvd falls back to the design values.
    std::string yearText = "2004";
    bool geocentric = true, ut1 = true;
    const auto f = settings::readRecordTolerant(kPhaseSettingsFile, "tbb");
    if (f.size() == 3) {
        yearText = f[0].asText();
        geocentric = f[1].asTruth();
        ut1 = f[2].asTruth();
    }

    txtdelta->setText(deltaTOfYearBox(yearText));
    (geocentric ? optgeo : opttopo)->setChecked(true);
    (ut1 ? optut : opttdt)->setChecked(true);
    txtdelta->setEnabled(ut1);
    // Sets the Delta T box again when the text changes.
    txtyear->setText(q(yearText));

    if (!english_)
        switchToArabic();
}

void frmphase::txtyear_Change()
{
    txtdelta->setText(deltaTOfYearBox(txtyear->text().toStdString()));
}

void frmphase::opttdt_Click()
{
    txtdelta->setEnabled(false);
}

void frmphase::optut_Click()
{
    txtdelta->setEnabled(true);
}

void frmphase::txtyear_GotFocus()
{
    txtyear->selectAll();
}

void frmphase::txtdelta_GotFocus()
{
    txtdelta->selectAll();
}

bool frmphase::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the cursor.
        if (watched == txtyear)
            QTimer::singleShot(0, this, &frmphase::txtyear_GotFocus);
        else if (watched == txtdelta)
            QTimer::singleShot(0, this, &frmphase::txtdelta_GotFocus);
    }
    return QWidget::eventFilter(watched, event);
}

lunar::PhaseChoices frmphase::choices() const
{
    lunar::PhaseChoices c;
    c.geocentric = optgeo->isChecked();
    c.ut1 = optut->isChecked();
    // A box emptied during a run keeps the value the run had, and so does
    // one that would carry the rest of the run beyond the series.
    double v = 0;
    if (deltaTNumber(txtdelta->text(), v) && (!running_ || !c.ut1 || runDeltaTRange_.holds(v)))
        lastDeltaT_ = v;
    c.deltaTSeconds = lastDeltaT_;
    return c;
}

void frmphase::message(const QString& english, const QString& arabic)
{
    platform::msgBox(this, english_ ? english : arabic,
                     english_ ? QStringLiteral("Moon Phases") : QStringLiteral("أطوار القمر"),
                     english_, platform::MsgIcon::Warning);
}

void frmphase::cmdcalc_Click()
{
    if (running_)
        return;
    // The year first: beyond the computable years the Delta T box shows
    // "----", and the year is what the user has to mend.
    const std::string yearText = txtyear->text().toStdString();
    // loc.zvd and pref.zvd once for both refusals; the run reads its own.
    const settings::CurrentLocation loc = settings::readCurrentLocation();
    const double zone = lunar::phaseZone(loc);
    const std::string yearRefused =
        lunar::phaseYearRefusal(yearText, loc, settings::readPreferences(), english_);
    if (!yearRefused.empty()) {
        message(q(yearRefused), q(yearRefused));
        txtyear->setFocus();
        return;
    }
    const double year = lunar::phaseYear(yearText);
    double deltaT = 0;
    bool deltaTOverflows = false;
    if (optut->isChecked() && !deltaTNumber(txtdelta->text(), deltaT, &deltaTOverflows)) {
        if (deltaTOverflows)
            message(QStringLiteral("Delta T is too large a number: please enter it in seconds."),
                    QStringLiteral("قيمة Delta T رقم كبير جداً: يرجى إدخالها بالثواني"));
        else
            message(QStringLiteral("Please enter Delta T as a number of seconds."),
                    QStringLiteral("يرجى إدخال قيمة Delta T بالثواني رقماً"));
        txtdelta->setFocus();
        return;
    }
    if (optut->isChecked()) {
        const std::string deltaTRefused = lunar::phaseDeltaTRefusal(year, deltaT, zone, english_);
        if (!deltaTRefused.empty()) {
            message(q(deltaTRefused), q(deltaTRefused));
            txtdelta->setFocus();
            return;
        }
    }
    lastDeltaT_ = deltaT;
    runDeltaTRange_ = lunar::phaseDeltaTRange(year, zone);

    LongComputation run(this);
    if (!run.started())
        return;
    QPointer<frmphase> self(this);
    running_ = true;
    cmdcalc->setEnabled(false);
    cmdclose->setEnabled(false);
    WindowHost host(run, this);
    lunar::MoonPhasesResult result;
    try {
        result = lunar::runMoonPhases(yearText, host);
    } catch (...) {
        if (self) {
            running_ = false;
            cmdcalc->setEnabled(true);
            cmdclose->setEnabled(true);
        }
        throw;
    }
    if (!self)
        return;
    running_ = false;
    cmdcalc->setEnabled(true);
    cmdclose->setEnabled(true);
    if (!result.written) {
        const QString why = platform::reasonText(result.writeError, english_);
        message(QStringLiteral("The report could not be written to results.out: %1").arg(why),
                QStringLiteral("تعذرت كتابة التقرير في الملف %1: %2")
                    .arg(platform::pathInMessage(QStringLiteral("results.out"), false), why));
    }
}

void frmphase::cmdclose_Click()
{
    if (running_)
        return;
    const settings::SaveResult saved = settings::writeRecord(
        kPhaseSettingsFile, {settings::SettingsField::text(txtyear->text().toStdString()),
                             settings::SettingsField::truth(optgeo->isChecked()),
                             settings::SettingsField::truth(optut->isChecked())});
    if (!saved) {
        message(QStringLiteral("The settings could not be saved to phase.zvd: %1")
                    .arg(platform::reasonText(saved.error, true)),
                QStringLiteral("تعذر حفظ الإعدادات في الملف %1: %2")
                    .arg(platform::pathInMessage(QStringLiteral("phase.zvd"), false),
                         platform::reasonText(saved.error, false)));
        return;
    }
    tdtmode = 0;
    close();
}

void frmphase::closeEvent(QCloseEvent* event)
{
    if (running_) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void frmphase::switchToArabic()
{
    setLayoutDirection(Qt::RightToLeft);
    const QString title = QStringLiteral("أطوار القمر");
    setWindowTitle(title);
    lblhphase->setText(title);
    QFont arabic = lblhphase->font();
    arabic.setFamily(QStringLiteral("Arabic Transparent"));
    lblhphase->setFont(arabic);
    fraref->setTitle(QStringLiteral("المرجع"));
    optgeo->setText(QStringLiteral("مركزي"));
    opttopo->setText(QStringLiteral("سطحي"));
    fratime->setTitle(QStringLiteral("الوقت"));
    optut->setText(QStringLiteral("محلي (UT1)"));
    opttdt->setText(QStringLiteral("محلي (TDT)"));
    fradate->setTitle(QStringLiteral("التاريخ"));
    lblyear->setText(QStringLiteral("السنة"));
    lblsec->setText(QStringLiteral("ثانية"));
    cmdcalc->setText(QStringLiteral("إجراء ال&حسابات"));
    cmdclose->setText(QStringLiteral("إ&غلاق"));
    lbldeltan->setText(QStringLiteral(" لحسابات 'محلي (UT1)' إذا كنت تفضل قيمة أخرى لـ Delta-T، "
                                      "يرجى إدخال هذه القيمة أعلاه"));
    lblchoose->setText(QStringLiteral(" يرجى اختيار الدقة و التوقيت الصيفي من قائمة الخيارات، و "
                                      "اختيار الموقع من قائمة الموقع"));
    for (QLineEdit* box : {txtyear, txtdelta}) {
        box->setLayoutDirection(Qt::RightToLeft);
        box->setAlignment(Qt::AlignRight);
    }
    // Right-to-left turns a plain AlignRight to the left edge: the notes are
    // aligned to the right edge absolutely, where Arabic lines begin.
    for (QLabel* label : {lbldeltan, lblchoose}) {
        label->setLayoutDirection(Qt::RightToLeft);
        label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    }
}
