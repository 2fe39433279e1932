#include "frmdate.h"

#include <cmath>
#include <limits>

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "dialogsupport.h"
#include "engine/computableyears.h"
#include "engine/dateserial.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/textroom.h"
#include "settings/records.h"

using namespace dialogs;

namespace dialogs {

namespace {

std::optional<long long> toInt16(double value)
{
    const double n = std::nearbyint(value); // the default rounding: half to even
    if (!(n >= std::numeric_limits<short>::min() && n <= std::numeric_limits<short>::max()))
        return std::nullopt;
    return static_cast<long long>(n);
}

} // namespace

std::optional<long long> rolledDayNumber(double year, double month, double day)
{
    const auto y = toInt16(year), m = toInt16(month), d = toInt16(day);
    if (!y || !m || !d)
        return std::nullopt;
    // The parts are whole already; the rollover (month 13, day 0, ...) is the
    // engine's.
    return dateSerial(static_cast<double>(*y), static_cast<double>(*m), static_cast<double>(*d));
}

} // namespace dialogs

namespace {

QComboBox* numberCombo(QWidget* parent, const char* name, int last)
{
    QComboBox* combo = numberList(parent, name, 1, last, true);
    combo->setCurrentIndex(-1);
    combo->setEditText({});
    return combo;
}

} // namespace

frmdate::frmdate(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmdate"));
    setModal(true);
    createControls();
    Form_Load();
}

void frmdate::createControls()
{
    setWindowTitle(QStringLiteral("Date"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(twips(6600), twips(4080));

    fradate = make<QGroupBox>(this, "fradate", QStringLiteral("Date Settings"));
    place(fradate, 120, 120, 6360, 2640);
    optday =
        make<QRadioButton>(fradate, "optday", QStringLiteral("Do calculations for one day only:"));
    place(optday, 240, 300, 3600, 255);
    lbloyear = make<QLabel>(fradate, "lbloyear", QStringLiteral("Year:"));
    place(lbloyear, 600, 690, 480, 255);
    txtoyear = make<QLineEdit>(fradate, "txtoyear", QStringLiteral("2002"));
    place(txtoyear, 1080, 660, 480, 285);
    lblomonth = make<QLabel>(fradate, "lblomonth", QStringLiteral("Month:"));
    place(lblomonth, 1800, 690, 540, 255);
    cboomonth = numberCombo(fradate, "cboomonth", 12);
    place(cboomonth, 2340, 660, 600, 315);
    lbloday = make<QLabel>(fradate, "lbloday", QStringLiteral("Day:"));
    place(lbloday, 3180, 690, 480, 255);
    cbooday = numberCombo(fradate, "cbooday", 31);
    place(cbooday, 3660, 660, 600, 315);

    optper = make<QRadioButton>(fradate, "optper",
                                QStringLiteral("Do calculations for a period of time:"));
    place(optper, 240, 1080, 3600, 255);
    const auto periodRow = [this](int top, QLabel*& title, const char* titleName,
                                  const QString& titleText, QLabel*& yearLabel,
                                  const char* yearLabelName, QLineEdit*& year, const char* yearName,
                                  QLabel*& monthLabel, const char* monthLabelName,
                                  QComboBox*& month, const char* monthName, QLabel*& dayLabel,
                                  const char* dayLabelName, QComboBox*& day, const char* dayName) {
        title = make<QLabel>(fradate, titleName, titleText);
        place(title, 240, top + 30, 600, 255);
        yearLabel = make<QLabel>(fradate, yearLabelName, QStringLiteral("Year:"));
        place(yearLabel, 840, top + 30, 600, 255);
        year = make<QLineEdit>(fradate, yearName, QStringLiteral("2002"));
        place(year, 1440, top, 720, 285);
        monthLabel = make<QLabel>(fradate, monthLabelName, QStringLiteral("Month:"));
        place(monthLabel, 2280, top + 30, 600, 255);
        month = numberCombo(fradate, monthName, 12);
        place(month, 2880, top, 840, 315);
        dayLabel = make<QLabel>(fradate, dayLabelName, QStringLiteral("Day:"));
        place(dayLabel, 3840, top + 30, 480, 255);
        day = numberCombo(fradate, dayName, 31);
        place(day, 4320, top, 840, 315);
    };
    periodRow(1440, lblf, "lblf", QStringLiteral("From:"), lblfyear, "lblfyear", txtfyear,
              "txtfyear", lblfmonth, "lblfmonth", cbofmonth, "cbofmonth", lblfday, "lblfday",
              cbofday, "cbofday");
    periodRow(1800, lblt, "lblt", QStringLiteral("To:"), lbltyear, "lbltyear", txttyear, "txttyear",
              lbltmonth, "lbltmonth", cbotmonth, "cbotmonth", lbltday, "lbltday", cbotday,
              "cbotday");
    optsystem =
        make<QRadioButton>(fradate, "optsystem", QStringLiteral("Use the date of your system"));
    place(optsystem, 240, 2220, 3600, 255);
    optsystem->setChecked(true);

    Label1 = make<QLabel>(this, "Label1");
    place(Label1, 120, 2820, 120, 255);
    lindate = make<QFrame>(this, "lindate");
    lindate->setFrameShape(QFrame::HLine);
    place(lindate, 120, 2820, 6360, 30);
    lblthis = make<QLabel>(this, "lblthis",
                           QStringLiteral("The date in this menu is used to calculate prayer "
                                          "times, Moon times and Qibleh times. "));
    lblthis->setWordWrap(true);
    place(lblthis, 240, 2910, 6120, 450);
    lindate2 = make<QFrame>(this, "lindate2");
    lindate2->setFrameShape(QFrame::HLine);
    place(lindate2, 120, 3420, 6360, 30);

    cmdok = make<QPushButton>(this, "cmdok", QStringLiteral("&Ok"));
    place(cmdok, 960, 3540, 1215, 375);
    cmdcan = make<QPushButton>(this, "cmdcan", QStringLiteral("&Cancel"));
    place(cmdcan, 4560, 3540, 1215, 375);
    cmdok->setAutoDefault(false);
    cmdcan->setAutoDefault(false);

    for (QLineEdit* box : {txtfyear, txttyear, txtoyear})
        selectWholeTextOnFocus(box);

    connect(optday, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optday_Click();
    });
    connect(optper, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optper_Click();
    });
    connect(optsystem, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optsystem_Click();
    });
    connect(cmdok, &QPushButton::clicked, this, [this] { cmdok_Click(); });
    connect(cmdcan, &QPushButton::clicked, this, [this] { cmdcan_Click(); });
}

void frmdate::Form_Load()
{
    english_ = settings::readPreferences().eng;
    const settings::DateSelection d = settings::readDateSelection();

    QRadioButton* mode = d.period ? optper : d.oneday ? optday : d.sysdate ? optsystem : nullptr;
    if (mode) {
        setOption(mode, true);
        txtfyear->setText(numberText(d.fyear));
        setListText(cbofmonth, numberText(d.fmonth));
        setListText(cbofday, numberText(d.fday));
        txttyear->setText(numberText(d.tyear));
        setListText(cbotmonth, numberText(d.tmonth));
        setListText(cbotday, numberText(d.tday));
        txtoyear->setText(numberText(d.oyear));
        setListText(cboomonth, numberText(d.omonth));
        setListText(cbooday, numberText(d.oday));
    }
    if (d.oneday)
        optday_Click();
    else if (d.period)
        optper_Click();
    else if (d.sysdate)
        optsystem_Click();

    if (!english_)
        switchToArabic();
    platform::makeRoomForTexts(this, english_);
}

void frmdate::switchToArabic()
{
    setWindowTitle(QStringLiteral("التاريخ"));
    fradate->setTitle(QStringLiteral("تحديد التاريخ"));
    optday->setText(QStringLiteral("إجراء الحسابات ليوم واحد فقط"));
    optper->setText(QStringLiteral("إجراء الحسابات لفترة من الزمن"));
    optsystem->setText(QStringLiteral("اعتمد تاريخ الجهاز"));
    for (QLabel* l : {lbloyear, lblfyear, lbltyear})
        l->setText(QStringLiteral("السنة"));
    for (QLabel* l : {lblomonth, lblfmonth, lbltmonth})
        l->setText(QStringLiteral("الشهر"));
    for (QLabel* l : {lbloday, lblfday, lbltday})
        l->setText(QStringLiteral("اليوم"));
    lblf->setText(QStringLiteral("من"));
    lblt->setText(QStringLiteral("إلى"));
    cmdok->setText(QStringLiteral("&موافق"));
    cmdcan->setText(QStringLiteral("&خروج"));
    lblthis->setText(QStringLiteral("التاريخ في هذه القائمة يستخدم لحساب مواقيت الصلاة و مواعيد "
                                    "القمر و مواقيت القبلة"));

    setLayoutDirection(Qt::RightToLeft);
    fradate->setLayoutDirection(Qt::RightToLeft);
    // Only the window, the frame and the options turn; the labels, boxes and
    // lists keep the direction they were designed with.
    for (QWidget* w : std::initializer_list<QWidget*>{
             lbloyear, txtoyear, lblomonth, cboomonth, lbloday, cbooday, lblf,
             lblfyear, txtfyear, lblfmonth, cbofmonth, lblfday, cbofday, lblt,
             lbltyear, txttyear, lbltmonth, cbotmonth, lbltday, cbotday, lblthis})
        w->setLayoutDirection(Qt::LeftToRight);
    for (QRadioButton* o : {optday, optper, optsystem}) {
        setRightToLeft(o, true);
        setLeftWidth(o, 3300, 2800);
    }
    setLeft(lbloyear, 5640);
    setLeft(txtoyear, 5160);
    setLeft(lblomonth, 3600);
    setLeft(cboomonth, 3000);
    setLeft(lbloday, 1560);
    setLeft(cbooday, 950);
    setLeft(lblf, 5520);
    setLeft(lblt, 5520);
    for (QLabel* l : {lblfyear, lbltyear})
        setLeft(l, 4920);
    for (QLineEdit* box : {txtfyear, txttyear})
        setLeft(box, 4080);
    for (QLabel* l : {lblfmonth, lbltmonth})
        setLeft(l, 3120);
    for (QComboBox* c : {cbofmonth, cbotmonth})
        setLeft(c, 2040);
    for (QLabel* l : {lblfday, lbltday})
        setLeft(l, 1320);
    for (QComboBox* c : {cbofday, cbotday})
        setLeft(c, 240);
    setLeft(cmdok, 4560);
    setLeft(cmdcan, 960);
}

void frmdate::enableGroups(bool oneDay, bool period)
{
    for (QWidget* w : std::initializer_list<QWidget*>{lbloyear, txtoyear, lblomonth, cboomonth,
                                                      lbloday, cbooday})
        w->setEnabled(oneDay);
    for (QWidget* w : std::initializer_list<QWidget*>{
             lblf, lblfyear, txtfyear, lblfmonth, cbofmonth, lblfday, cbofday, lblt, lbltyear,
             txttyear, lbltmonth, cbotmonth, lbltday, cbotday})
        w->setEnabled(period);
}

void frmdate::optday_Click()
{
    if (optday->isChecked())
        enableGroups(true, false);
}

void frmdate::optper_Click()
{
    if (optper->isChecked())
        enableGroups(false, true);
}

void frmdate::optsystem_Click()
{
    enableGroups(false, false);
}

void frmdate::cmdok_Click()
{
    // Every box is saved, the disabled ones too, so a number beyond the range
    // in any of them would be stored as 0: refused under its own name.
    const struct {
        QWidget* box;
        QString text;
        QWidget* mode; // takes the focus while the box is disabled
        const char* english;
        const char* arabic;
    } numberBoxes[] = {
        {txtoyear, txtoyear->text(), optday, "The year of the one-day date is too large a number!",
         "السنة في تاريخ اليوم الواحد رقم كبير جدا"},
        {cboomonth, cboomonth->currentText(), optday,
         "The month of the one-day date is too large a number!",
         "الشهر في تاريخ اليوم الواحد رقم كبير جدا"},
        {cbooday, cbooday->currentText(), optday,
         "The day of the one-day date is too large a number!",
         "اليوم في تاريخ اليوم الواحد رقم كبير جدا"},
        {txtfyear, txtfyear->text(), optper,
         "The year of the beginning date is too large a number!",
         "السنة في التاريخ الأول رقم كبير جدا"},
        {cbofmonth, cbofmonth->currentText(), optper,
         "The month of the beginning date is too large a number!",
         "الشهر في التاريخ الأول رقم كبير جدا"},
        {cbofday, cbofday->currentText(), optper,
         "The day of the beginning date is too large a number!",
         "اليوم في التاريخ الأول رقم كبير جدا"},
        {txttyear, txttyear->text(), optper, "The year of the end date is too large a number!",
         "السنة في التاريخ الثاني رقم كبير جدا"},
        {cbotmonth, cbotmonth->currentText(), optper,
         "The month of the end date is too large a number!",
         "الشهر في التاريخ الثاني رقم كبير جدا"},
        {cbotday, cbotday->currentText(), optper, "The day of the end date is too large a number!",
         "اليوم في التاريخ الثاني رقم كبير جدا"},
    };
    for (const auto& b : numberBoxes)
        if (refuseOverflow(this, english_, b.text, b.box, QString::fromUtf8(b.english),
                           QStringLiteral("Date Error"), QString::fromUtf8(b.arabic),
                           QStringLiteral("خطأ"), b.mode))
            return;

    const double fy = boxNumber(txtfyear->text()), fm = boxNumber(cbofmonth->currentText()),
                 fd = boxNumber(cbofday->currentText());
    const double ty = boxNumber(txttyear->text()), tm = boxNumber(cbotmonth->currentText()),
                 td = boxNumber(cbotday->currentText());
    const double oy = boxNumber(txtoyear->text()), om = boxNumber(cboomonth->currentText()),
                 od = boxNumber(cbooday->currentText());

    // The years the engine computes, for the boxes the chosen mode uses; a
    // date near their ends may still be refused by the report, once the zone
    // takes its instant out of them.
    const QString firstYear = QString::number(kFirstComputableYear, 'f', 0);
    const QString lastYear = QString::number(kLastComputableYear, 'f', 0);
    const struct {
        bool used;
        QLineEdit* box;
        double year;
        const char* english;
        const char* arabic;
    } yearBoxes[] = {
        {optday->isChecked(), txtoyear, oy, "The year of the one-day date must be from %1 to %2!",
         "السنة في تاريخ اليوم الواحد يجب أن تكون من %1 إلى %2"},
        {optper->isChecked(), txtfyear, fy, "The year of the beginning date must be from %1 to %2!",
         "السنة في التاريخ الأول يجب أن تكون من %1 إلى %2"},
        {optper->isChecked(), txttyear, ty, "The year of the end date must be from %1 to %2!",
         "السنة في التاريخ الثاني يجب أن تكون من %1 إلى %2"},
    };
    for (const auto& b : yearBoxes) {
        if (!b.used || (b.year >= kFirstComputableYear && b.year <= kLastComputableYear))
            continue;
        warn(this, english_, QString::fromUtf8(b.english).arg(firstYear, lastYear),
             QStringLiteral("Date Error"),
             QString::fromUtf8(b.arabic).arg(platform::numberInMessage(firstYear, false),
                                             platform::numberInMessage(lastYear, false)),
             QStringLiteral("خطأ"));
        b.box->setFocus();
        return;
    }

    settings::DateSelection d;
    d.oneday = optday->isChecked();
    d.period = optper->isChecked();
    d.sysdate = optsystem->isChecked();
    if (d.oneday) {
        d.year1 = d.year2 = oy;
        d.month1 = d.month2 = om;
        d.day1 = d.day2 = od;
    } else {
        d.year1 = fy, d.month1 = fm, d.day1 = fd;
        d.year2 = ty, d.month2 = tm, d.day2 = td;
    }
    if (d.period) {
        // A date that cannot be formed counts as a refused period.
        const auto first = rolledDayNumber(fy, fm, fd);
        const auto last = rolledDayNumber(ty, tm, td);
        if (!first || !last || *last < *first) {
            warn(this, english_, QStringLiteral("The end date must be AFTER the beginning date!"),
                 QStringLiteral("Date Error"),
                 QStringLiteral("التاريخ الثاني يجب أن يكون بعد التاريخ الأول"),
                 QStringLiteral("خطأ"));
            txtfyear->setFocus();
            return;
        }
    }
    d.fyear = fy, d.fmonth = fm, d.fday = fd;
    d.tyear = ty, d.tmonth = tm, d.tday = td;
    d.oyear = oy, d.omonth = om, d.oday = od;

    const settings::SaveResult result = settings::writeDateSelection(d);
    if (!result) {
        reportSaveFailure(this, english_, QStringLiteral("date.zvd"), result.error);
        return;
    }
    emit saved();
    accept();
}

void frmdate::cmdcan_Click()
{
    reject();
}
