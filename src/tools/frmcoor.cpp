#include "frmcoor.h"

#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/messagebox.h"
#include "platform/qt/textroom.h"
#include "platform/qt/textviewer.h"
#include "settings/dialogs/dialogsupport.h"
#include "settings/records.h"
#include "settings/settingsline.h"
#include "sharedwindows/frmwait.h"

using namespace dialogs;

namespace {

// The width of the input frame, in twips: the English layout mirrors the
// Arabic positions within it.
constexpr int kFrameWidth = 8300;

// Where a control of the date rows, the increment row and the buttons stands
// in English and in Arabic, left edge and width. The Arabic lefts are fixed;
// the English places give the English captions the room they need.
struct RowPlace {
    int englishLeft, englishWidth, arabicLeft, arabicWidth;
};

constexpr RowPlace kYearLabel{120, 500, 7550, 700}, kYearBox{620, 700, 6750, 750};
constexpr RowPlace kMonthLabel{1420, 700, 6200, 550}, kMonthBox{2120, 600, 5250, 900};
constexpr RowPlace kDayLabel{2820, 450, 4800, 450}, kDayBox{3270, 600, 4000, 750};
constexpr RowPlace kHourLabel{3970, 550, 3400, 600}, kHourBox{4520, 600, 2750, 600};
constexpr RowPlace kMinuteLabel{5220, 750, 2150, 600}, kMinuteBox{5970, 600, 1450, 650};
constexpr RowPlace kSecondLabel{6670, 830, 950, 500}, kSecondBox{7500, 600, 250, 650};
constexpr RowPlace kIncLabel{120, 1200, 7000, 1200}, kIncBox{1400, 700, 6200, 700},
    kUnitList{2300, 1300, 4700, 1300};
constexpr RowPlace kSummerBox{3800, 2500, 2000, 2500};
constexpr RowPlace kCalcButton{2140, 1600, 4560, 1600}, kCloseButton{4540, 1600, 2160, 1600};

constexpr int kRowHeight = 315;
constexpr int kStartTop = 1560, kEndTop = 2300, kIncTop = 2860, kButtonTop = 3420;

// The fixed Arabic widths were made for a narrower face than the one
// installed here: a caption that would be cut shrinks its font instead.
void fitText(QLabel* label)
{
    QFont f = label->font();
    while (f.pointSizeF() > 6 && QFontMetrics(f).horizontalAdvance(label->text()) > label->width())
        f.setPointSizeF(f.pointSizeF() - 0.5);
    label->setFont(f);
}

template <class T> T* named(T* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// A list index read from coor.zvd: an index outside the list shows nothing
// selected rather than stopping the program over a hand-edited file.
void setListIndex(QComboBox* box, int index)
{
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

// What a run needs of the windows: the progress window of the one long
// computation, the message boxes and the viewer.
class WindowRunHost : public ephemeris::RunHost {
public:
    WindowRunHost(LongComputation& run, QWidget* window) : run_(run), window_(window) {}

    void progress(double p) override { run_.stepStarts(p); }
    bool handOverCancelled() override { return run_.handOverCancelled(); }
    void dateError(bool english) override
    {
        if (frmwait::isLoaded())
            frmwait::form().hide();
        warn(window_, english, QStringLiteral("The end date must be AFTER the beginning date!"),
             QStringLiteral("Date Error"),
             QStringLiteral("تاريخ النهاية يجب أن يكون بعد التاريخ البداية"),
             QStringLiteral("خطأ"));
    }
    void farDates(const std::string& text, bool english) override
    {
        if (frmwait::isLoaded())
            frmwait::form().hide();
        const QString shown = QString::fromStdString(text);
        warn(window_, english, shown, QStringLiteral("Date Error"), shown, QStringLiteral("خطأ"));
    }
    void writeFailed(const std::string& error, bool english) override
    {
        const QString reason = platform::reasonText(error, english);
        platform::msgBox(
            window_,
            english ? QStringLiteral("The report ephemeris.out could not be written: ") + reason
                    : QStringLiteral("تعذرت كتابة التقرير ") +
                          platform::pathInMessage(QStringLiteral("ephemeris.out"), false) +
                          QStringLiteral(": ") + reason,
            english ? QStringLiteral("Ephemeris") : QStringLiteral("خطأ"), english,
            platform::MsgIcon::Critical);
    }
    void openReport(const std::filesystem::path& file) override { platform::showTextFile(file); }

private:
    LongComputation& run_;
    QPointer<QWidget> window_; // the window may be closed while the run hands over
};

} // namespace

frmcoor::frmcoor(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmcoor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    createControls();
    Form_Load();
}

void frmcoor::createControls()
{
    setWindowTitle(QStringLiteral("Sun and Moon Ephemeris"));
    setFixedSize(twips(kFrameWidth + 480), twips(5000));

    lblhead = named(new QLabel(QStringLiteral("Sun and Moon Ephemeris"), this), "lblhead");
    QFont headFont = lblhead->font();
    headFont.setPointSize(14);
    headFont.setBold(true);
    lblhead->setFont(headFont);
    lblhead->setAlignment(Qt::AlignCenter);
    place(lblhead, 240, 120, kFrameWidth, 480);

    fracoor = named(new QGroupBox(QStringLiteral("Sun and Moon Ephemeris"), this), "fracoor");
    place(fracoor, 240, 700, kFrameWidth, 4100);

    lblobj = named(new QLabel(QStringLiteral("Object:"), fracoor), "lblobj");
    place(lblobj, 200, 520, 850, kRowHeight);
    cboobj = named(new QComboBox(fracoor), "cboobj");
    place(cboobj, 1100, 480, 1500, kRowHeight);

    fraloc = named(new QGroupBox(QStringLiteral("Location Reference"), fracoor), "fraloc");
    place(fraloc, 5400, 240, 2400, 920);
    optgeo = named(new QRadioButton(QStringLiteral("Geocentric"), fraloc), "optgeo");
    place(optgeo, 120, 280, 2160, 280);
    opttopo = named(new QRadioButton(QStringLiteral("Topocentric"), fraloc), "opttopo");
    place(opttopo, 120, 580, 2160, 280);

    fratime = named(new QGroupBox(QStringLiteral("Time Reference"), fracoor), "fratime");
    place(fratime, 2900, 240, 2400, 920);
    optut = named(new QRadioButton(QStringLiteral("Local (UT1)"), fratime), "optut");
    place(optut, 120, 280, 2160, 280);
    opttdt = named(new QRadioButton(QStringLiteral("Local (TDT)"), fratime), "opttdt");
    place(opttdt, 120, 580, 2160, 280);

    lblstart = named(new QLabel(QStringLiteral("Start LOCAL Time:"), fracoor), "lblstart");
    place(lblstart, 240, kStartTop - 330, 1800, 280);

    struct DateRow {
        QLabel*& yl;
        QLineEdit*& y;
        QLabel*& ml;
        QComboBox*& m;
        QLabel*& dl;
        QComboBox*& d;
        QLabel*& hl;
        QComboBox*& h;
        QLabel*& nl;
        QComboBox*& n;
        QLabel*& sl;
        QComboBox*& s;
        const char* names[12];
        int top;
    };
    auto makeRow = [this](const DateRow& r) {
        auto label = [this](const char* name, const char* caption, const RowPlace& at, int top) {
            auto* l = named(new QLabel(QString::fromLatin1(caption), fracoor), name);
            place(l, at.englishLeft, top, at.englishWidth, kRowHeight);
            return l;
        };
        auto box = [this](QWidget* w, const RowPlace& at, int top) {
            place(w, at.englishLeft, top, at.englishWidth, kRowHeight);
        };
        r.yl = label(r.names[0], "Year:", kYearLabel, r.top);
        r.y = named(new QLineEdit(QStringLiteral("2004"), fracoor), r.names[1]);
        box(r.y, kYearBox, r.top);
        r.ml = label(r.names[2], "Month:", kMonthLabel, r.top);
        r.m = numberList(fracoor, r.names[3], 1, 12, true);
        box(r.m, kMonthBox, r.top);
        r.dl = label(r.names[4], "Day:", kDayLabel, r.top);
        r.d = numberList(fracoor, r.names[5], 1, 31, true);
        box(r.d, kDayBox, r.top);
        r.hl = label(r.names[6], "Hour:", kHourLabel, r.top);
        r.h = numberList(fracoor, r.names[7], 0, 23, true);
        box(r.h, kHourBox, r.top);
        r.nl = label(r.names[8], "Minute:", kMinuteLabel, r.top);
        r.n = numberList(fracoor, r.names[9], 0, 59, true);
        box(r.n, kMinuteBox, r.top);
        r.sl = label(r.names[10], "Second:", kSecondLabel, r.top);
        r.s = numberList(fracoor, r.names[11], 0, 59, true);
        box(r.s, kSecondBox, r.top);
    };
    makeRow({lbly,
             txty,
             lblm,
             cbom,
             lbld,
             cbod,
             lblh,
             cboh,
             lblmn,
             cbomn,
             lbls,
             cbos,
             {"lbly", "txty", "lblm", "cbom", "lbld", "cbod", "lblh", "cboh", "lblmn", "cbomn",
              "lbls", "cbos"},
             kStartTop});

    lblend = named(new QLabel(QStringLiteral("End LOCAL Time:"), fracoor), "lblend");
    place(lblend, 240, kEndTop - 330, 1800, 280);
    makeRow({lbly2,
             txt2y,
             lblm2,
             cbo2m,
             lbld2,
             cbo2d,
             lblh2,
             cbo2h,
             lblmn2,
             cbo2mn,
             lbls2,
             cbo2s,
             {"lbly2", "txt2y", "lblm2", "cbo2m", "lbld2", "cbo2d", "lblh2", "cbo2h", "lblmn2",
              "cbo2mn", "lbls2", "cbo2s"},
             kEndTop});

    lblinc = named(new QLabel(QStringLiteral("Increment:"), fracoor), "lblinc");
    place(lblinc, kIncLabel.englishLeft, kIncTop, kIncLabel.englishWidth, kRowHeight);
    txti = named(new QLineEdit(QStringLiteral("1"), fracoor), "txti");
    place(txti, kIncBox.englishLeft, kIncTop, kIncBox.englishWidth, kRowHeight);
    cboi = named(new QComboBox(fracoor), "cboi");
    place(cboi, kUnitList.englishLeft, kIncTop, kUnitList.englishWidth, kRowHeight);

    chksummer = named(new QCheckBox(QStringLiteral("Enable Summer Time"), fracoor), "chksummer");
    place(chksummer, kSummerBox.englishLeft, kIncTop, kSummerBox.englishWidth, kRowHeight);

    cmdcalc = named(new QPushButton(QStringLiteral("&Calculate"), fracoor), "cmdcalc");
    place(cmdcalc, kCalcButton.englishLeft, kButtonTop, kCalcButton.englishWidth, 450);
    cmdclose = named(new QPushButton(QStringLiteral("Clo&se"), fracoor), "cmdclose");
    place(cmdclose, kCloseButton.englishLeft, kButtonTop, kCloseButton.englishWidth, 450);

    connect(cmdcalc, &QPushButton::clicked, this, &frmcoor::cmdcalc_Click);
    connect(cmdclose, &QPushButton::clicked, this, &frmcoor::cmdclose_Click);
}

void frmcoor::switchToArabic()
{
    const QString title = QStringLiteral("أزياج الشمس و القمر");
    setWindowTitle(title);
    setLayoutDirection(Qt::RightToLeft);
    fracoor->setTitle(title);
    fracoor->setLayoutDirection(Qt::RightToLeft);
    lblhead->setText(title);
    setLeftWidth(lblhead, 2200, 4000);

    fraloc->setTitle(QStringLiteral("مرجعية الموقع"));
    fraloc->setLayoutDirection(Qt::RightToLeft);
    setLeft(fraloc, 500);
    fratime->setTitle(QStringLiteral("مرجعية الوقت"));
    fratime->setLayoutDirection(Qt::RightToLeft);
    setLeft(fratime, 3000);

    const struct {
        QRadioButton* option;
        const char* caption;
    } options[] = {
        {optgeo, "مركزي"}, {opttopo, "سطحي"}, {optut, "محلي (UT1)"}, {opttdt, "محلي (TDT)"}};
    for (const auto& o : options) {
        o.option->setText(QString::fromUtf8(o.caption));
        o.option->setLayoutDirection(Qt::RightToLeft); // the button's text right-aligned
    }
    setLeft(opttopo, 120);

    lblobj->setText(QStringLiteral("الجرم"));
    setLeftWidth(lblobj, 7300, 500);
    cboobj->addItems({QStringLiteral("الشمس"), QStringLiteral("القمر")});
    setLeft(cboobj, 5700);

    for (QLabel* l : {lblstart, lblend}) {
        l->setLayoutDirection(Qt::RightToLeft);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setLeftWidth(l, 6100, 1800);
    }
    lblstart->setText(QStringLiteral("الوقت المحلي لبداية الفترة"));
    lblend->setText(QStringLiteral("الوقت المحلي لنهاية الفترة"));
    fitText(lblstart);
    fitText(lblend);

    const struct {
        QWidget *first, *second;
        const char* caption; // a label's caption, or nullptr for a box
        RowPlace at;
    } rows[] = {
        {lbly, lbly2, "السنة", kYearLabel},       {txty, txt2y, nullptr, kYearBox},
        {lblm, lblm2, "الشهر", kMonthLabel},      {cbom, cbo2m, nullptr, kMonthBox},
        {lbld, lbld2, "اليوم", kDayLabel},        {cbod, cbo2d, nullptr, kDayBox},
        {lblh, lblh2, "الساعة", kHourLabel},      {cboh, cbo2h, nullptr, kHourBox},
        {lblmn, lblmn2, "الدقيقة", kMinuteLabel}, {cbomn, cbo2mn, nullptr, kMinuteBox},
        {lbls, lbls2, "الثانية", kSecondLabel},   {cbos, cbo2s, nullptr, kSecondBox},
    };
    for (const auto& r : rows)
        for (QWidget* w : {r.first, r.second}) {
            setLeftWidth(w, r.at.arabicLeft, r.at.arabicWidth);
            if (r.caption)
                static_cast<QLabel*>(w)->setText(QString::fromUtf8(r.caption));
        }

    lblinc->setText(QStringLiteral("مقدار الزيادة"));
    lblinc->setLayoutDirection(Qt::RightToLeft);
    lblinc->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setLeft(lblinc, kIncLabel.arabicLeft);
    setLeft(txti, kIncBox.arabicLeft);
    cboi->addItems({QStringLiteral("ثانية"), QStringLiteral("دقيقة"), QStringLiteral("ساعة"),
                    QStringLiteral("يوم")});
    setLeft(cboi, kUnitList.arabicLeft);
    chksummer->setText(QStringLiteral("تفعيل التوقيت الصيفي"));
    chksummer->setLayoutDirection(Qt::RightToLeft);
    setLeft(chksummer, kSummerBox.arabicLeft);
    cmdcalc->setText(QStringLiteral("إجراء ال&حسابات"));
    setLeft(cmdcalc, kCalcButton.arabicLeft);
    cmdclose->setText(QStringLiteral("إ&غلاق"));
    setLeft(cmdclose, kCloseButton.arabicLeft);
}

void frmcoor::Form_Load()
{
    english_ = settings::readPreferences().eng;
    if (!english_) {
        switchToArabic();
    } else {
        cboobj->addItems({QStringLiteral("Sun"), QStringLiteral("Moon")});
        cboi->addItems({QStringLiteral("Second"), QStringLiteral("Minute"), QStringLiteral("Hour"),
                        QStringLiteral("Day")});
    }
    putSettings(ephemeris::readEphemerisSettings());
    platform::makeRoomForTexts(this, english_);
}

void frmcoor::putSettings(const ephemeris::EphemerisSettings& s)
{
    setListIndex(cboobj, s.body);
    txty->setText(numberText(s.year1));
    cbom->setEditText(numberText(s.month1));
    cbod->setEditText(numberText(s.day1));
    cboh->setEditText(numberText(s.hour1));
    cbomn->setEditText(numberText(s.minute1));
    cbos->setEditText(numberText(s.second1));
    txt2y->setText(numberText(s.year2));
    cbo2m->setEditText(numberText(s.month2));
    cbo2d->setEditText(numberText(s.day2));
    cbo2h->setEditText(numberText(s.hour2));
    cbo2mn->setEditText(numberText(s.minute2));
    cbo2s->setEditText(numberText(s.second2));
    txti->setText(numberText(s.increment));
    setListIndex(cboi, s.unit);
    chksummer->setChecked(s.summer == 1);
    (s.ut ? optut : opttdt)->setChecked(true);
    (s.geocentric ? optgeo : opttopo)->setChecked(true);
}

ephemeris::EphemerisSettings frmcoor::settingsFromControls() const
{
    ephemeris::EphemerisSettings s;
    s.body = cboobj->currentIndex();
    s.ut = optut->isChecked();
    s.geocentric = optgeo->isChecked();
    s.year1 = boxNumber(txty->text());
    s.month1 = boxNumber(cbom->currentText());
    s.day1 = boxNumber(cbod->currentText());
    s.hour1 = boxNumber(cboh->currentText());
    s.minute1 = boxNumber(cbomn->currentText());
    s.second1 = boxNumber(cbos->currentText());
    s.year2 = boxNumber(txt2y->text());
    s.month2 = boxNumber(cbo2m->currentText());
    s.day2 = boxNumber(cbo2d->currentText());
    s.hour2 = boxNumber(cbo2h->currentText());
    s.minute2 = boxNumber(cbo2mn->currentText());
    s.second2 = boxNumber(cbo2s->currentText());
    s.increment = ephemeris::incrementOf(txti->text().toStdString());
    s.unit = cboi->currentIndex();
    s.summer = chksummer->isChecked() ? 1 : 0;
    return s;
}

namespace {

// A settings write that failed is said, in the interface language.
void reportSaveFailure(QWidget* parent, const settings::SaveResult& r, bool english)
{
    const QString reason = platform::reasonText(r.error, english);
    platform::msgBox(parent,
                     english
                         ? QStringLiteral("The settings could not be saved to coor.zvd: ") + reason
                         : QStringLiteral("تعذر حفظ الإعدادات في الملف ") +
                               platform::pathInMessage(QStringLiteral("coor.zvd"), false) +
                               QStringLiteral(": ") + reason,
                     english ? QStringLiteral("Ephemeris") : QStringLiteral("خطأ"), english,
                     platform::MsgIcon::Critical);
}

} // namespace

bool frmcoor::numbersFit()
{
    // A box read as 0 for a number beyond every double would save and
    // compute a date the user never typed.
    return !dialogs::refuseOverflowingBox(
        this, english_,
        {{txty, txty->text(), "start Year", "السنة (بداية الفترة)"},
         {cbom, cbom->currentText(), "start Month", "الشهر (بداية الفترة)"},
         {cbod, cbod->currentText(), "start Day", "اليوم (بداية الفترة)"},
         {cboh, cboh->currentText(), "start Hour", "الساعة (بداية الفترة)"},
         {cbomn, cbomn->currentText(), "start Minute", "الدقيقة (بداية الفترة)"},
         {cbos, cbos->currentText(), "start Second", "الثانية (بداية الفترة)"},
         {txt2y, txt2y->text(), "end Year", "السنة (نهاية الفترة)"},
         {cbo2m, cbo2m->currentText(), "end Month", "الشهر (نهاية الفترة)"},
         {cbo2d, cbo2d->currentText(), "end Day", "اليوم (نهاية الفترة)"},
         {cbo2h, cbo2h->currentText(), "end Hour", "الساعة (نهاية الفترة)"},
         {cbo2mn, cbo2mn->currentText(), "end Minute", "الدقيقة (نهاية الفترة)"},
         {cbo2s, cbo2s->currentText(), "end Second", "الثانية (نهاية الفترة)"},
         {txti, txti->text(), "Increment", "مقدار الزيادة"}},
        QStringLiteral("Ephemeris"), QStringLiteral("خطأ"));
}

void frmcoor::cmdclose_Click()
{
    if (!numbersFit())
        return;
    const settings::SaveResult saved = ephemeris::writeEphemerisSettings(settingsFromControls());
    if (!saved) {
        // The window stays open so that its values are not lost.
        reportSaveFailure(this, saved, english_);
        return;
    }
    close();
}

void frmcoor::cmdcalc_Click()
{
    if (!numbersFit())
        return; // nothing is saved over a number that cannot be read
    const ephemeris::EphemerisSettings s = settingsFromControls();
    const settings::SaveResult saved = ephemeris::writeEphemerisSettings(s);
    if (!saved)
        reportSaveFailure(this, saved, english_); // the table can still be made
    LongComputation run(this);
    if (!run.started())
        return;
    WindowRunHost host(run, this);
    // Nothing of this window is used from here on: it may close while the
    // run hands control to the message loop.
    ephemeris::runEphemeris(s, host);
}
