#include "frmcresv.h"

#include <cmath>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "engine/modgeneral.h"
#include "lunar/conjunction.h"
#include "lunar/crescentcalc.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/textroom.h"
#include "platform/qt/textviewer.h"
#include "settings/dialogs/dialogsupport.h"
#include "settings/records.h"
#include "settings/settingsline.h"
#include "sharedwindows/windowregistry.h"

namespace {

const char* const kHijriMonthsEnglish[12] = {
    "Muharram", "Safar",   "Rabeea' Awwal", "Rabeea' Thani", "Jamada Aula",  "Jamada Aakherah",
    "Rajab",    "Sha'ban", "Ramadan",       "Shawwal",       "Thul Kea'deh", "Thul Hejjah",
};
const char* const kHijriMonthsArabic[12] = {
    "محرم", "صفر",   "ربيع أول", "ربيع ثاني", "جمادى الأولى", "جمادى الآخرة",
    "رجب",  "شعبان", "رمضان",    "شوال",      "ذو القعدة",    "ذو الحجة",
};

QString u8(const char* s)
{
    return QString::fromUtf8(s);
}

std::string text(const QComboBox* list)
{
    return list->currentIndex() < 0 ? std::string() : list->currentText().toStdString();
}

void selectOption(QRadioButton* option)
{
    dialogs::setOption(option, true);
}

// Calls `handler` when `option` becomes selected, by the user or by code.
template <class Handler> void onSelected(QRadioButton* option, frmcresv* w, Handler handler)
{
    QObject::connect(option, &QRadioButton::toggled, w, [w, handler](bool checked) {
        if (checked)
            (w->*handler)();
    });
}

} // namespace

frmcresv::frmcresv(lunar::OneDayEngines engines, QWidget* parent)
    : QDialog(parent), engines_(std::move(engines))
{
    createControls();
    connectHandlers();
    Form_Load();
}

void frmcresv::createControls()
{
    setObjectName("frmcresv");
    setWindowTitle("Crescent Visibility");
    auto* top = new QVBoxLayout(this);

    lblhcresv = new QLabel("Crescent Visibility", this);
    lblhcresv->setObjectName("lblhcresv");
    lblhcresv->setAlignment(Qt::AlignCenter);
    lblhcresv->setAutoFillBackground(true);
    lblhcresv->setStyleSheet("background-color: rgb(0, 0, 128); color: white; font-weight: bold;"
                             " font-size: 14pt; padding: 4px;");
    top->addWidget(lblhcresv);

    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(name);
        return w;
    };

    // Approximate conjunction date.
    fradate = new QGroupBox("Approximate Conjunction Date", this);
    named(fradate, "fradate");
    auto* date = new QGridLayout(fradate);
    optgre = new QRadioButton("Gregorian Date", fradate);
    named(optgre, "optgre");
    optgre->setChecked(true);
    lblday = new QLabel("Day:", fradate);
    named(lblday, "lblday");
    cboday = new QComboBox(fradate);
    named(cboday, "cboday");
    for (int d = 1; d <= 31; ++d)
        cboday->addItem(QString::number(d));
    lblmonth = new QLabel("Month:", fradate);
    named(lblmonth, "lblmonth");
    cbomonth = new QComboBox(fradate);
    named(cbomonth, "cbomonth");
    for (int m = 1; m <= 12; ++m)
        cbomonth->addItem(QString::number(m));
    lblyear = new QLabel("Year:", fradate);
    named(lblyear, "lblyear");
    txtyear = new QLineEdit("2005", fradate);
    named(txtyear, "txtyear");
    opthej = new QRadioButton("Hejric Date", fradate);
    named(opthej, "opthej");
    lblhmonth = new QLabel("Month:", fradate);
    named(lblhmonth, "lblhmonth");
    cbomh = new QComboBox(fradate);
    named(cbomh, "cbomh");
    cbomh->setMinimumContentsLength(14);
    lblhyear = new QLabel("Year:", fradate);
    named(lblhyear, "lblhyear");
    txtyearh = new QLineEdit("Text1", fradate);
    named(txtyearh, "txtyearh");
    for (QWidget* w : std::initializer_list<QWidget*>{lblhmonth, cbomh, lblhyear, txtyearh})
        w->setEnabled(false);
    cmdprev = new QPushButton("&Preview", fradate);
    named(cmdprev, "cmdprev");
    lblprev = new QLabel("Please Click On The 'Preview' Button After Selecting The Date", fradate);
    named(lblprev, "lblprev");
    lblprev->setStyleSheet("color: red; font-weight: bold;");
    date->addWidget(optgre, 0, 0);
    date->addWidget(lblday, 0, 1);
    date->addWidget(cboday, 0, 2);
    date->addWidget(lblmonth, 0, 3);
    date->addWidget(cbomonth, 0, 4);
    date->addWidget(lblyear, 0, 5);
    date->addWidget(txtyear, 0, 6);
    date->addWidget(opthej, 1, 0);
    date->addWidget(lblhmonth, 1, 1);
    date->addWidget(cbomh, 1, 2, 1, 3);
    date->addWidget(lblhyear, 1, 5);
    date->addWidget(txtyearh, 1, 6);
    date->addWidget(cmdprev, 2, 0);
    date->addWidget(lblprev, 2, 1, 1, 6);
    top->addWidget(fradate);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    middle->addLayout(left);
    middle->addLayout(right);

    frawax = new QGroupBox("Waxing / Waning Crescent", this);
    named(frawax, "frawax");
    auto* wax = new QVBoxLayout(frawax);
    optnew = new QRadioButton("New Crescent (Evening)", frawax);
    named(optnew, "optnew");
    optnew->setChecked(true);
    optold = new QRadioButton("Old Crescent (Morning)", frawax);
    named(optold, "optold");
    lblchange2 = new QLabel("Click On 'Preview' After Changing", frawax);
    named(lblchange2, "lblchange2");
    wax->addWidget(optnew);
    wax->addWidget(optold);
    wax->addWidget(lblchange2);
    left->addWidget(frawax);

    fraref = new QGroupBox("Calculations", this);
    named(fraref, "fraref");
    auto* ref = new QVBoxLayout(fraref);
    optgeo = new QRadioButton("Geocentric Calculations", fraref);
    named(optgeo, "optgeo");
    optgeo->setChecked(true);
    opttopo = new QRadioButton("Topocentric Calculations", fraref);
    named(opttopo, "opttopo");
    lblchange = new QLabel("Click On 'Preview' After Changing", fraref);
    named(lblchange, "lblchange");
    ref->addWidget(optgeo);
    ref->addWidget(opttopo);
    ref->addWidget(lblchange);
    left->addWidget(fraref);

    frawhend = new QGroupBox("Day of Calculations", this);
    named(frawhend, "frawhend");
    auto* whend = new QVBoxLayout(frawhend);
    optconj = new QRadioButton("The Day of Conjunction", frawhend);
    named(optconj, "optconj");
    optconj->setChecked(true);
    optone = new QRadioButton("One Day After Conjunction", frawhend);
    named(optone, "optone");
    opttwo = new QRadioButton("Two Days After Conjunction", frawhend);
    named(opttwo, "opttwo");
    whend->addWidget(optconj);
    whend->addWidget(optone);
    whend->addWidget(opttwo);
    right->addWidget(frawhend);

    frawhent = new QGroupBox("Time of Calculations", this);
    named(frawhent, "frawhent");
    auto* whent = new QGridLayout(frawhent);
    optsun = new QRadioButton("Sunset", frawhent);
    named(optsun, "optsun");
    optsun->setChecked(true);
    optmoon = new QRadioButton("Moonset", frawhent);
    named(optmoon, "optmoon");
    optbest = new QRadioButton("Best Time", frawhent);
    named(optbest, "optbest");
    optspe = new QRadioButton("Specific LOCAL Time:", frawhent);
    named(optspe, "optspe");
    lblh = new QLabel("Hour:", frawhent);
    named(lblh, "lblh");
    cboh = new QComboBox(frawhent);
    named(cboh, "cboh");
    for (int h = 0; h < 24; ++h)
        cboh->addItem(QString::asprintf("%02d", h));
    lblm = new QLabel("Minute:", frawhent);
    named(lblm, "lblm");
    cbom = new QComboBox(frawhent);
    named(cbom, "cbom");
    for (int m = 0; m < 60; ++m)
        cbom->addItem(QString::asprintf("%02d", m));
    whent->addWidget(optsun, 0, 0, 1, 4);
    whent->addWidget(optmoon, 1, 0, 1, 4);
    whent->addWidget(optbest, 2, 0, 1, 4);
    whent->addWidget(optspe, 3, 0, 1, 4);
    whent->addWidget(lblh, 4, 0);
    whent->addWidget(cboh, 4, 1);
    whent->addWidget(lblm, 4, 2);
    whent->addWidget(cbom, 4, 3);
    setTimeListsEnabled(false);
    right->addWidget(frawhent);
    top->addLayout(middle);

    auto* buttons = new QHBoxLayout;
    cmdcalc = new QPushButton("&Calculate", this);
    named(cmdcalc, "cmdcalc");
    cmdcalc->setEnabled(false);
    cmdmap = new QPushButton("Crescent &Visibility Map", this);
    named(cmdmap, "cmdmap");
    cmdmap->setStyleSheet("background-color: rgb(255, 0, 0);");
    cmdmap->setEnabled(false);
    cmdclose = new QPushButton("Clo&se", this);
    named(cmdclose, "cmdclose");
    buttons->addWidget(cmdcalc);
    buttons->addWidget(cmdmap);
    buttons->addWidget(cmdclose);
    top->addLayout(buttons);

    lblnote = new QLabel(" Please choose the Precision and Summer Time settings from the "
                         "Preferences Menu, and your location from the Location Menu.",
                         this);
    named(lblnote, "lblnote");
    lblnote->setWordWrap(true);
    top->addWidget(lblnote);

    dialogs::selectWholeTextOnFocus(txtyear);
    dialogs::selectWholeTextOnFocus(txtyearh);
}

void frmcresv::connectHandlers()
{
    connect(cmdprev, &QPushButton::clicked, this, &frmcresv::cmdprev_Click);
    connect(cmdcalc, &QPushButton::clicked, this, &frmcresv::cmdcalc_Click);
    connect(cmdmap, &QPushButton::clicked, this, &frmcresv::cmdmap_Click);
    connect(cmdclose, &QPushButton::clicked, this, &frmcresv::cmdclose_Click);
    onSelected(optgre, this, &frmcresv::optgre_Click);
    onSelected(opthej, this, &frmcresv::opthej_Click);
    onSelected(optnew, this, &frmcresv::optnew_Click);
    onSelected(optold, this, &frmcresv::optold_Click);
    onSelected(optgeo, this, &frmcresv::optgeo_Click);
    onSelected(opttopo, this, &frmcresv::opttopo_Click);
    onSelected(optsun, this, &frmcresv::optsun_Click);
    onSelected(optmoon, this, &frmcresv::optmoon_Click);
    onSelected(optbest, this, &frmcresv::optbest_Click);
    onSelected(optspe, this, &frmcresv::optspe_Click);
    connect(cboday, &QComboBox::currentIndexChanged, this, &frmcresv::cboday_Click);
    connect(cbomonth, &QComboBox::currentIndexChanged, this, &frmcresv::cbomonth_Click);
    connect(cbomh, &QComboBox::currentIndexChanged, this, &frmcresv::cbomh_Click);
    connect(txtyear, &QLineEdit::textChanged, this, &frmcresv::txtyear_Change);
    connect(txtyearh, &QLineEdit::textChanged, this, &frmcresv::txtyearh_Change);
}

void frmcresv::readPreferenceCopies()
{
    const settings::Preferences pref = settings::readPreferences();
    min = pref.min;
    eng = pref.eng;
}

void frmcresv::Form_Load()
{
    const lunar::VisibilitySettings s = lunar::readVisibilitySettings();
    readPreferenceCopies();

    cbomh->clear();
    for (int i = 0; i < 12; ++i)
        cbomh->addItem(u8(eng ? kHijriMonthsEnglish[i] : kHijriMonthsArabic[i]));

    cbomh->setCurrentIndex(s.hijriMonth);
    // The date input's handler runs whether or not the option changes.
    QRadioButton* input = s.gregorian ? optgre : opthej;
    {
        const QSignalBlocker quiet(input);
        selectOption(input);
    }
    if (s.gregorian)
        optgre_Click();
    else
        opthej_Click();
    txtyearh->setText(QString::fromStdString(s.hijriYear));
    dialogs::setListText(cboday, QString::fromStdString(s.day));
    dialogs::setListText(cbomonth, QString::fromStdString(s.month));
    txtyear->setText(QString::fromStdString(s.year));
    selectOption(s.newCrescent ? optnew : optold);
    selectOption(s.geocentric ? optgeo : opttopo);
    if (s.dayConj)
        selectOption(optconj);
    if (s.dayOne)
        selectOption(optone);
    if (s.dayTwo)
        selectOption(opttwo);
    if (s.timeSun)
        selectOption(optsun);
    if (s.timeMoon)
        selectOption(optmoon);
    if (s.timeBest)
        selectOption(optbest);
    if (s.timeSpecific)
        selectOption(optspe);
    dialogs::setListText(cboh, QString::fromStdString(s.hour));
    dialogs::setListText(cbom, QString::fromStdString(s.minute));

    if (!eng)
        switchToArabic();
    platform::makeRoomForTexts(this, eng);
}

void frmcresv::ResetPreview()
{
    if (QWidget* map = windows::find("frmmap"))
        map->close();
    readPreferenceCopies();
    cmdcalc->setEnabled(false);
    cmdmap->setEnabled(false);
    const bool isNew = optnew->isChecked();
    if (eng) {
        optconj->setText("The Day of Conjunction");
        optone->setText(isNew ? "One Day After Conjunction" : "One Day Before Conjunction");
        opttwo->setText(isNew ? "Two Days After Conjunction" : "Two Days Before Conjunction");
    } else {
        optconj->setText(u8("يوم الاقتران"));
        optone->setText(u8(isNew ? "يوم واحد بعد الاقتران" : "يوم واحد قبل الاقتران"));
        opttwo->setText(u8(isNew ? "يومان بعد الاقتران" : "يومان قبل الاقتران"));
    }
}

void frmcresv::setTimeListsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{lblh, cboh, lblm, cbom})
        w->setEnabled(enabled);
}

void frmcresv::setSunMoonCaptions()
{
    const bool isNew = optnew->isChecked();
    if (eng) {
        optsun->setText(isNew ? "Sunset" : "Sunrise");
        optmoon->setText(isNew ? "Moonset" : "Moonrise");
    } else {
        optsun->setText(u8(isNew ? "غروب الشمس" : "شروق الشمس"));
        optmoon->setText(u8(isNew ? "غروب القمر" : "شروق القمر"));
    }
}

void frmcresv::optgre_Click()
{
    for (QWidget* w : std::initializer_list<QWidget*>{lblhmonth, cbomh, lblhyear, txtyearh})
        w->setEnabled(false);
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblday, cboday, lblmonth, cbomonth, lblyear, txtyear})
        w->setEnabled(true);
    ResetPreview();
}

void frmcresv::opthej_Click()
{
    for (QWidget* w : std::initializer_list<QWidget*>{lblhmonth, cbomh, lblhyear, txtyearh})
        w->setEnabled(true);
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblday, cboday, lblmonth, cbomonth, lblyear, txtyear})
        w->setEnabled(false);
    ResetPreview();
}

void frmcresv::optnew_Click()
{
    readPreferenceCopies();
    ResetPreview();
    setSunMoonCaptions();
}

void frmcresv::optold_Click()
{
    readPreferenceCopies();
    ResetPreview();
    setSunMoonCaptions();
}

void frmcresv::optgeo_Click()
{
    ResetPreview();
}

void frmcresv::opttopo_Click()
{
    ResetPreview();
}

void frmcresv::optsun_Click()
{
    setTimeListsEnabled(false);
}

void frmcresv::optmoon_Click()
{
    setTimeListsEnabled(false);
}

void frmcresv::optbest_Click()
{
    setTimeListsEnabled(false);
}

void frmcresv::optspe_Click()
{
    setTimeListsEnabled(true);
}

void frmcresv::cboday_Click()
{
    ResetPreview();
}

void frmcresv::cbomonth_Click()
{
    ResetPreview();
}

void frmcresv::cbomh_Click()
{
    ResetPreview();
}

void frmcresv::txtyear_Change()
{
    ResetPreview();
}

void frmcresv::txtyearh_Change()
{
    ResetPreview();
}

void frmcresv::cmdprev_Click()
{
    if (QWidget* map = windows::find("frmmap"))
        map->close();
    lunar::PreviewInput in;
    in.gregorian = optgre->isChecked();
    in.dayText = text(cboday);
    in.monthText = text(cbomonth);
    in.yearText = txtyear->text().toStdString();
    in.hijriMonth = cbomh->currentIndex() < 0 ? 0 : cbomh->currentIndex();
    in.hijriYearText = txtyearh->text().toStdString();
    in.newCrescent = optnew->isChecked();
    in.geocentric = optgeo->isChecked();

    readPreferenceCopies();
    lunar::PreviewRefusal why = lunar::PreviewRefusal::None;
    const auto result = lunar::runPreview(in, &why);
    if (!result) {
        // Nothing may run on such a date, so Calculate and Map stay disabled.
        refusePreview(why);
        return;
    }
    pi_ = result->pi;
    conjlocal_ = result->conjlocal;
    summertext_ = result->summertext;
    // A date of a year before 1 is one run: its minus would leave its digits.
    optconj->setText(platform::numberInMessage(QString::fromStdString(result->captions[0]), eng));
    optone->setText(platform::numberInMessage(QString::fromStdString(result->captions[1]), eng));
    opttwo->setText(platform::numberInMessage(QString::fromStdString(result->captions[2]), eng));
    cmdcalc->setEnabled(true);
    cmdmap->setEnabled(true);
}

void frmcresv::refusePreview(lunar::PreviewRefusal why)
{
    // Whole digits; a year too long to read so by its first digits and its
    // power of ten, as the reports name it.
    const auto year = [](double y) {
        return std::fabs(y) < 1e15 ? QString::number(y, 'f', 0) : QString::number(y, 'g', 15);
    };
    const auto signedYear = [](const QString& y) { return platform::numberInMessage(y, false); };
    QString english, arabic;
    QLineEdit* box = nullptr;
    switch (why) {
    case lunar::PreviewRefusal::YearOverflows:
        box = optgre->isChecked() ? txtyear : txtyearh;
        english = optgre->isChecked()
                      ? QStringLiteral("The number in the Year box of the Gregorian Date is too "
                                       "large.")
                      : QStringLiteral("The number in the Year box of the Hejric Date is too "
                                       "large.");
        arabic = optgre->isChecked() ? u8("الرقم في خانة السنة من التاريخ الميلادي كبير جدا")
                                     : u8("الرقم في خانة السنة من التاريخ الهجري كبير جدا");
        break;
    case lunar::PreviewRefusal::YearOutOfRange:
    case lunar::PreviewRefusal::HijriYearOutOfRange:
        // One span, told in the calendar of the input: the Hijri years are
        // those whose crescents are sought within the Gregorian ones.
        if (optgre->isChecked()) {
            box = txtyear;
            const QString typed = year(settings::lenientNumber(txtyear->text().toStdString()));
            english =
                QStringLiteral("The year %1 in the Year box lies beyond the years the "
                               "crescent can be sought for, %2 to %3 in universal time: "
                               "choose another year.")
                    .arg(typed, year(lunar::kFirstPreviewYear), year(lunar::kLastPreviewYear));
            arabic = u8("السنة %1 في خانة السنة خارج السنوات التي يصح لها البحث عن الهلال، من %2 "
                        "إلى %3 بالتوقيت العالمي: يرجى اختيار سنة أخرى")
                         .arg(signedYear(typed), signedYear(year(lunar::kFirstPreviewYear)),
                              signedYear(year(lunar::kLastPreviewYear)));
        } else {
            box = txtyearh;
            const QString typed = year(settings::lenientNumber(txtyearh->text().toStdString()));
            english =
                QStringLiteral("The Hejric year %1 in the Year box lies beyond the Hejric years "
                               "the crescent can be sought for, %2 to %3, whose crescents fall "
                               "in the years %4 to %5 in universal time: choose another year.")
                    .arg(typed, year(lunar::kFirstPreviewHijriYear),
                         year(lunar::kLastPreviewHijriYear), year(lunar::kFirstPreviewYear),
                         year(lunar::kLastPreviewYear));
            arabic = u8("السنة الهجرية %1 في خانة السنة خارج السنوات الهجرية التي يصح لها البحث "
                        "عن الهلال، من %2 إلى %3، وأهلتها في السنوات من %4 إلى %5 بالتوقيت "
                        "العالمي: يرجى اختيار سنة أخرى")
                         .arg(signedYear(typed), signedYear(year(lunar::kFirstPreviewHijriYear)),
                              signedYear(year(lunar::kLastPreviewHijriYear)),
                              signedYear(year(lunar::kFirstPreviewYear)),
                              signedYear(year(lunar::kLastPreviewYear)));
        }
        break;
    case lunar::PreviewRefusal::InstantOutOfRange:
        box = optgre->isChecked() ? txtyear : txtyearh;
        english = QStringLiteral("The crescent of this date is sought, up to four days either "
                                 "side of its conjunction, beyond the years it can be sought "
                                 "for, %1 to %2 in universal time: choose another date.")
                      .arg(year(lunar::kFirstPreviewYear), year(lunar::kLastPreviewYear));
        arabic = u8("يمتد البحث عن هلال هذا التاريخ، إلى أربعة أيام قبل الاقتران وبعده، خارج "
                    "السنوات التي يصح لها البحث عن الهلال، من %1 إلى %2 بالتوقيت العالمي: يرجى "
                    "اختيار تاريخ آخر")
                     .arg(signedYear(year(lunar::kFirstPreviewYear)),
                          signedYear(year(lunar::kLastPreviewYear)));
        break;
    default:
        english = QStringLiteral("Please choose a day and a month, and type the year as a number.");
        arabic = u8("يرجى اختيار اليوم و الشهر، و كتابة السنة بالأرقام");
        break;
    }
    platform::msgBox(this, eng ? english : arabic,
                     eng ? QStringLiteral("Crescent Visibility") : u8("رؤية الهلال"), eng,
                     platform::MsgIcon::Warning);
    if (box)
        box->setFocus();
}

lunar::VisibilitySettings frmcresv::currentSettings() const
{
    lunar::VisibilitySettings s;
    s.day = text(cboday);
    s.month = text(cbomonth);
    s.year = txtyear->text().toStdString();
    s.newCrescent = optnew->isChecked();
    s.geocentric = optgeo->isChecked();
    s.dayConj = optconj->isChecked();
    s.dayOne = optone->isChecked();
    s.dayTwo = opttwo->isChecked();
    s.timeSun = optsun->isChecked();
    s.timeMoon = optmoon->isChecked();
    s.timeBest = optbest->isChecked();
    s.timeSpecific = optspe->isChecked();
    s.hour = text(cboh);
    s.minute = text(cbom);
    s.gregorian = optgre->isChecked();
    s.hijriMonth = static_cast<std::int16_t>(cbomh->currentIndex());
    s.hijriYear = txtyearh->text().toStdString();
    return s;
}

bool frmcresv::saveSettings()
{
    const settings::SaveResult saved = lunar::writeVisibilitySettings(currentSettings());
    if (!saved)
        dialogs::reportSaveFailure(this, eng, lunar::kVisibilitySettingsFile, saved.error);
    return saved.ok;
}

void frmcresv::cmdcalc_Click()
{
    lunar::CalculationInput in;
    in.newCrescent = optnew->isChecked();
    in.dayOffset = optone->isChecked() ? 1 : (opttwo->isChecked() ? 2 : 0);
    in.time = optmoon->isChecked()   ? lunar::CalculationTime::Moon
              : optbest->isChecked() ? lunar::CalculationTime::Best
              : optspe->isChecked()  ? lunar::CalculationTime::Specific
                                     : lunar::CalculationTime::Sun;
    in.hourText = text(cboh);
    in.minuteText = text(cbom);
    in.geocentric = optgeo->isChecked();
    in.conjlocal = conjlocal_;
    in.summertext = summertext_;
    in.pi = pi_;

    const lunar::CalculationResult result = lunar::runCalculation(in, engines_);
    if (!result.noEvent)
        saveSettings();

    std::string error;
    if (!platform::fileWriter().replaceFile(platform::programFile(lunar::kVisibilityReportFile),
                                            result.report, error)) {
        platform::msgBox(
            this,
            eng ? QStringLiteral("The report could not be written in %1: %2")
                      .arg(lunar::kVisibilityReportFile, platform::reasonText(error, eng))
                : u8("تعذر كتابة التقرير في الملف %1: %2")
                      .arg(platform::pathInMessage(lunar::kVisibilityReportFile, false),
                           platform::reasonText(error, eng)),
            eng ? QStringLiteral("Save Error") : u8("خطأ"), eng, platform::MsgIcon::Critical);
        return;
    }
    platform::showTextFile(lunar::kVisibilityReportFile);
}

void frmcresv::cmdmap_Click()
{
    saveSettings();
    newold = optnew->isChecked() ? "New" : "Old";
    windows::show("frmmap", windows::ShowMode::Modal);
}

void frmcresv::cmdclose_Click()
{
    // A failed save keeps the window open, so the choices are not lost unsaid.
    if (!saveSettings())
        return;
    close();
}

void frmcresv::switchToArabic()
{
    setWindowTitle(u8("رؤية الهلال"));
    lblhcresv->setText(u8("رؤية الهلال"));
    fradate->setTitle(u8("موعد الاقتران التقريبي"));
    lblprev->setText(u8("يرجى الضغط على مفتاح 'عرض' بعد اختيار التاريخ"));
    cmdprev->setText(u8("عرض"));
    optgre->setText(u8("التاريخ الميلادي"));
    opthej->setText(u8("التاريخ الهجري"));
    lblday->setText(u8("اليوم"));
    lblmonth->setText(u8("الشهر"));
    lblhmonth->setText(u8("الشهر"));
    lblyear->setText(u8("السنة"));
    lblhyear->setText(u8("السنة"));
    frawax->setTitle(u8("هلال أول/آخر الشهر"));
    optnew->setText(u8("هلال أول الشهر (مساء)"));
    optold->setText(u8("هلال آخر الشهر (صباحا)"));
    lblchange->setText(u8("اضغط على 'عرض' بعد التغيير"));
    lblchange2->setText(u8("اضغط على 'عرض' بعد التغيير"));
    fraref->setTitle(u8("الحسابات"));
    optgeo->setText(u8("حسابات مركزية  (مركز الأرض)"));
    opttopo->setText(u8("حسابات سطحية  (موقع الراصد)"));
    frawhend->setTitle(u8("يوم إجراء الحسابات"));
    frawhent->setTitle(u8("وقت إجراء الحسابات"));
    optbest->setText(u8("أفضل وقت"));
    optspe->setText(u8("وقت معين (توقيت محلي)"));
    lblh->setText(u8("ساعة"));
    lblm->setText(u8("دقيقة"));
    lblnote->setText(u8(" يرجى اختيار الدقة و التوقيت الصيفي من قائمة الخيارات، و اختيار الموقع "
                        "من قائمة الموقع"));
    cmdcalc->setText(u8("اجراء ال&حسابات"));
    cmdmap->setText(u8("&رسم خارطة رؤية الهلال"));
    cmdclose->setText(u8("إ&غلاق"));

    // The layouts mirror themselves under right-to-left: the date fields read
    // day, month, year from the right, every caption sits left of its button.
    setLayoutDirection(Qt::RightToLeft);
    for (QGroupBox* frame : {fradate, frawax, fraref, frawhend, frawhent})
        frame->setLayoutDirection(Qt::RightToLeft);
    for (QRadioButton* o : findChildren<QRadioButton*>())
        dialogs::setRightToLeft(o, true);
    for (QLabel* l : {lblprev, lblchange, lblchange2, lblh, lblm})
        l->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    dialogs::setRightToLeft(lblnote, true);
    setSunMoonCaptions();
}
