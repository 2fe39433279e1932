#include "frmpreferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "dialogsupport.h"
#include "platform/qt/textroom.h"

using namespace dialogs;

namespace {

struct Convention {
    const char* entry;
    const char* code;
    const char* fajr; // nullptr: the held angles (Custom)
    const char* isha;
};

// The entries of cbotwi in list order, with the angles each one shows.
const Convention kConventions[] = {
    {"Standard", "1", "18", "18"},
    {"Egyptian General Authority of Survey", "2", "19.5", "17.5"},
    {"Islamic Society of North America", "3", "18", "18"},
    {"Muslim World League", "4", "18", "17"},
    {"University Of Islamic Sciences, Karachi", "5", "18", "18"},
    {"Custom", "6", nullptr, nullptr},
};

} // namespace

frmpreferences::frmpreferences(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmpreferences"));
    setModal(true);
    createControls();
    Form_Load();
}

void frmpreferences::createControls()
{
    setWindowTitle(QStringLiteral("Preferences"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(twips(8190), twips(7455));

    fratwi = make<QGroupBox>(this, "fratwi", QStringLiteral("Twilight"));
    place(fratwi, 120, 120, 4020, 1935);
    cbotwi = make<QComboBox>(fratwi, "cbotwi");
    for (const Convention& c : kConventions)
        cbotwi->addItem(QLatin1String(c.entry));
    place(cbotwi, 120, 300, 3780, 315);
    lblfaj = make<QLabel>(fratwi, "lblfaj", QStringLiteral("Fajer angle"));
    place(lblfaj, 120, 750, 1080, 255);
    txtfaj = make<QLineEdit>(fratwi, "txtfaj", QStringLiteral("18"));
    place(txtfaj, 1200, 720, 600, 285);
    lblisha = make<QLabel>(fratwi, "lblisha", QStringLiteral("Isha angle"));
    place(lblisha, 2100, 750, 1080, 255);
    txtisha = make<QLineEdit>(fratwi, "txtisha", QStringLiteral("18"));
    place(txtisha, 3180, 720, 600, 285);
    lblfajd = make<QLabel>(fratwi, "lblfajd", QStringLiteral("- Fajer: Beginning of twilight."));
    place(lblfajd, 120, 1200, 3780, 255);
    lblishd = make<QLabel>(fratwi, "lblishd", QStringLiteral("- Isha: End of twilight."));
    place(lblishd, 120, 1500, 3780, 255);

    fraadd = make<QGroupBox>(this, "fraadd", QStringLiteral("Addition"));
    place(fraadd, 4260, 120, 3810, 1935);
    struct MinuteRow {
        QLabel** before;
        const char* beforeName;
        const char* beforeText;
        QLineEdit** box;
        const char* boxName;
        QLabel** after;
        const char* afterName;
        const char* afterText;
    };
    const MinuteRow rows[] = {
        {&lblsubfaj, "lblsubfaj", "Subtract", &txtsubfaj, "txtsubfaj", &lblsubfaj2, "lblsubfaj2",
         "Minutes from Fajer"},
        {&lblsubsho, "lblsubsho", "Subtract", &txtsubsho, "txtsubsho", &lblsubsho2, "lblsubsho2",
         "Minutes from Shoroq"},
        {&lbladddoh, "lbladddoh", "Add", &txtadddoh, "txtadddoh", &lbladddoh2, "lbladddoh2",
         "Minutes to Dhohur"},
        {&lbladdasr, "lbladdasr", "Add", &txtaddasr, "txtaddasr", &lbladdasr2, "lbladdasr2",
         "Minutes to Asr"},
        {&lbladdmag, "lbladdmag", "Add", &txtaddmag, "txtaddmag", &lbladdmag2, "lbladdmag2",
         "Minutes to Maghreb"},
    };
    int top = 300;
    for (const MinuteRow& r : rows) {
        *r.before = make<QLabel>(fraadd, r.beforeName, QLatin1String(r.beforeText));
        place(*r.before, 120, top + 30, 900, 255);
        *r.box = make<QLineEdit>(fraadd, r.boxName, QStringLiteral("0"));
        place(*r.box, 1080, top, 600, 285);
        *r.after = make<QLabel>(fraadd, r.afterName, QLatin1String(r.afterText));
        place(*r.after, 1800, top + 30, 1900, 255);
        top += 315;
    }

    frasum = make<QGroupBox>(this, "frasum", QStringLiteral("Summer Time"));
    place(frasum, 120, 2160, 4020, 2100);
    optnosum = make<QRadioButton>(frasum, "optnosum", QStringLiteral("No Summer Time"));
    place(optnosum, 120, 300, 3780, 255);
    optsum = make<QRadioButton>(frasum, "optsum", QStringLiteral("Consider Summer Time"));
    place(optsum, 120, 580, 3780, 255);
    lblfrom = make<QLabel>(frasum, "lblfrom", QStringLiteral("From:"));
    place(lblfrom, 120, 900, 1200, 255);
    lblfmonth = make<QLabel>(frasum, "lblfmonth", QStringLiteral("Month:"));
    place(lblfmonth, 360, 1200, 660, 255);
    cbofmonth = numberList(frasum, "cbofmonth", 1, 12, false);
    place(cbofmonth, 1020, 1160, 840, 315);
    lblfday = make<QLabel>(frasum, "lblfday", QStringLiteral("Day:"));
    place(lblfday, 2100, 1200, 540, 255);
    cbofday = numberList(frasum, "cbofday", 1, 31, false);
    place(cbofday, 2640, 1160, 840, 315);
    lblto = make<QLabel>(frasum, "lblto", QStringLiteral("To:"));
    place(lblto, 120, 1500, 1200, 255);
    lbltmonth = make<QLabel>(frasum, "lbltmonth", QStringLiteral("Month:"));
    place(lbltmonth, 360, 1800, 660, 255);
    cbotmonth = numberList(frasum, "cbotmonth", 1, 12, false);
    place(cbotmonth, 1020, 1760, 840, 315);
    lbltday = make<QLabel>(frasum, "lbltday", QStringLiteral("Day:"));
    place(lbltday, 2100, 1800, 540, 255);
    cbotday = numberList(frasum, "cbotday", 1, 31, false);
    place(cbotday, 2640, 1760, 840, 315);
    optnosum->setChecked(true);

    fraasr = make<QGroupBox>(this, "fraasr", QStringLiteral("Aser Prayer"));
    place(fraasr, 4260, 2160, 1890, 900);
    optsha = make<QRadioButton>(fraasr, "optsha", QStringLiteral("Standard"));
    place(optsha, 120, 270, 1650, 255);
    opthan = make<QRadioButton>(fraasr, "opthan", QStringLiteral("Hanafi"));
    place(opthan, 120, 570, 820, 255);
    optsha->setChecked(true);

    frapre = make<QGroupBox>(this, "frapre", QStringLiteral("Precision"));
    place(frapre, 6240, 2160, 1830, 900);
    optmin = make<QRadioButton>(frapre, "optmin", QStringLiteral("Minutes"));
    place(optmin, 120, 270, 1590, 255);
    optsec = make<QRadioButton>(frapre, "optsec", QStringLiteral("Seconds"));
    place(optsec, 120, 570, 1590, 255);
    optmin->setChecked(true);

    fraele = make<QGroupBox>(this, "fraele", QStringLiteral("Elevation"));
    place(fraele, 120, 5220, 7950, 600);
    chkeleset = make<QCheckBox>(
        fraele, "chkeleset", QStringLiteral("Height above sea level affects rise and set events"));
    place(chkeleset, 120, 270, 7710, 255);
    chkeleset->setChecked(true);

    frahl =
        make<QGroupBox>(this, "frahl", QStringLiteral("High Latitude Alternative Prayer Times"));
    place(frahl, 120, 5940, 7950, 600);
    chkhl = make<QCheckBox>(frahl, "chkhl",
                            QStringLiteral("Enable Alternative Prayer Time Calculations"));
    place(chkhl, 120, 270, 7710, 255);

    Fra24 = make<QGroupBox>(this, "Fra24", QStringLiteral("Prayer Hour Format"));
    place(Fra24, 120, 4380, 4020, 660);
    Opt24 = make<QRadioButton>(Fra24, "Opt24", QStringLiteral("24"));
    place(Opt24, 120, 300, 900, 255);
    Opt12 = make<QRadioButton>(Fra24, "Opt12", QStringLiteral("12"));
    place(Opt12, 1200, 300, 900, 255);
    Opt24->setChecked(true);

    fralan = make<QGroupBox>(this, "fralan", QStringLiteral("Language"));
    place(fralan, 4260, 3180, 3810, 660);
    opten = make<QRadioButton>(fralan, "opten", QStringLiteral("English"));
    place(opten, 120, 300, 1200, 255);
    optar = make<QRadioButton>(fralan, "optar", QStringLiteral("عربي"));
    place(optar, 1440, 300, 1200, 255);
    opten->setChecked(true);

    // Kept for its stored state only: it lies below the client area.
    chkelefaj = make<QCheckBox>(this, "chkelefaj");
    place(chkelefaj, 120, 7600, 255, 255);
    // Below the dialog's client area in the design, so that no one sees it.
    chkelefaj->hide();

    cmdok = make<QPushButton>(this, "cmdok", QStringLiteral("&Ok"));
    place(cmdok, 680, 6840, 1710, 375);
    cmddef = make<QPushButton>(this, "cmddef", QStringLiteral("&Default"));
    place(cmddef, 3240, 6840, 1710, 375);
    cmdcan = make<QPushButton>(this, "cmdcan", QStringLiteral("&Cancel"));
    place(cmdcan, 5800, 6840, 1710, 375);
    cmdok->setAutoDefault(false);
    cmddef->setAutoDefault(false);
    cmdcan->setAutoDefault(false);

    QWidget* order[] = {cbotwi,    txtfaj,   txtisha, txtsubfaj, txtsubsho, txtadddoh, txtaddasr,
                        txtaddmag, optnosum, optsum,  cbofmonth, cbofday,   cbotmonth, cbotday,
                        optsha,    opthan,   optmin,  optsec,    chkhl,     chkeleset, optar,
                        opten,     Opt24,    Opt12,   cmdok,     cmddef,    cmdcan};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (QLineEdit* box : {txtfaj, txtisha, txtsubfaj, txtsubsho, txtadddoh, txtaddasr, txtaddmag})
        selectWholeTextOnFocus(box);

    connect(cbotwi, &QComboBox::currentIndexChanged, this, [this] { cbotwi_Click(); });
    connect(optnosum, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optnosum_Click();
    });
    connect(optsum, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optsum_Click();
    });
    connect(cmdok, &QPushButton::clicked, this, [this] { cmdok_Click(); });
    connect(cmddef, &QPushButton::clicked, this, [this] { cmddef_Click(); });
    connect(cmdcan, &QPushButton::clicked, this, [this] { cmdcan_Click(); });
}

void frmpreferences::Form_Load()
{
    // Both files are read tolerantly: a field not read counts as empty.
    const auto loc = settings::readRecordTolerant("loc.zvd", settings::kCurrentLocationKinds);
    const double latid = settings::currentLocationFrom(loc).latid;

    const auto f = settings::readRecordTolerant("pref.zvd", settings::kPreferencesKinds);
    const settings::Preferences p = settings::preferencesFrom(f);
    const auto field = [&f](size_t n) {
        return n <= f.size() ? f[n - 1] : settings::SettingsField();
    };
    fajang_ = p.fajang;
    ishang_ = p.ishang;
    english_ = p.eng;
    opttwi_ = p.opttwi;

    chkhl->setChecked(p.hilat == 1);
    setOption(p.hour24 == 1 ? Opt24 : Opt12, true);
    // Only the degrees count, whatever the hemisphere.
    if (latid >= 40) {
        setOption(Opt24, true);
        Opt12->setEnabled(false);
    }

    int entry = -1;
    for (int i = 0; i < static_cast<int>(std::size(kConventions)); ++i)
        if (p.opttwi == kConventions[i].code)
            entry = i;
    {
        const QSignalBlocker block(cbotwi);
        cbotwi->setCurrentIndex(entry);
    }
    if (entry >= 0)
        cbotwi_Click();
    else
        setAngleBoxes(QStringLiteral("18"), QStringLiteral("18"), false);

    setOption(english_ ? opten : optar, true);

    if (p.summ == "0") {
        setOption(optnosum, true);
        optnosum_Click();
    } else {
        setOption(optsum, true);
        optsum_Click();
    }
    setListText(cbofmonth, fieldText(field(3)));
    setListText(cbofday, fieldText(field(4)));
    setListText(cbotmonth, fieldText(field(5)));
    setListText(cbotday, fieldText(field(6)));

    txtsubfaj->setText(fieldText(field(7)));
    txtsubsho->setText(fieldText(field(8)));
    txtadddoh->setText(fieldText(field(9)));
    // An unread Maghrib field leaves the box's initial 0.
    if (!field(10).isEmpty())
        txtaddmag->setText(fieldText(field(10)));
    txtaddasr->setText(fieldText(field(18)));

    chkelefaj->setChecked(p.elefaj == "1");
    setOption(p.sha == "1" ? optsha : opthan, true);
    setOption(p.min == "1" ? optmin : optsec, true);
    chkeleset->setChecked(p.eleset == "1");

    if (!english_)
        switchToArabic();
    cbotwi->setFocus();
    platform::makeRoomForTexts(this, english_);
}

void frmpreferences::switchToArabic()
{
    setWindowTitle(QStringLiteral("الخيارات"));
    fratwi->setTitle(QStringLiteral("الفجر و العشاء"));
    lblfaj->setText(QStringLiteral("زاوية الفجر"));
    lblisha->setText(QStringLiteral("زاوية العشاء"));
    lblfajd->setText(QStringLiteral("الفجر: بداية الشفق الفلكي"));
    lblishd->setText(QStringLiteral("العشاء: نهاية الشفق الفلكي"));
    fraadd->setTitle(QStringLiteral("الاحتياط"));
    for (QLabel* l : {lblsubfaj, lblsubsho})
        l->setText(QStringLiteral("إطرح"));
    for (QLabel* l : {lbladddoh, lbladdasr, lbladdmag})
        l->setText(QStringLiteral("أضف"));
    lblsubfaj2->setText(QStringLiteral("دقيقة من وقت الفجر"));
    lblsubsho2->setText(QStringLiteral("دقيقة من وقت الشروق"));
    lbladddoh2->setText(QStringLiteral("دقيقة على وقت الظهر"));
    lbladdasr2->setText(QStringLiteral("دقيقة على وقت العصر"));
    lbladdmag2->setText(QStringLiteral("دقيقة على وقت المغرب"));
    frasum->setTitle(QStringLiteral("التوقيت الصيفي"));
    optnosum->setText(QStringLiteral("لا يوجد توقيت صيفي"));
    optsum->setText(QStringLiteral("يوجد توقيت صيفي"));
    lblfrom->setText(QStringLiteral("من"));
    lblto->setText(QStringLiteral("إلى"));
    for (QLabel* l : {lblfmonth, lbltmonth})
        l->setText(QStringLiteral("الشهر"));
    for (QLabel* l : {lblfday, lbltday})
        l->setText(QStringLiteral("اليوم"));
    fraasr->setTitle(QStringLiteral("صلاة العصر"));
    optsha->setText(QStringLiteral("عام"));
    opthan->setText(QStringLiteral("حنفي"));
    frapre->setTitle(QStringLiteral("الدقة"));
    optmin->setText(QStringLiteral("دقائق"));
    optsec->setText(QStringLiteral("ثواني"));
    fraele->setTitle(QStringLiteral("الإرتفاع"));
    chkeleset->setText(QStringLiteral("الإرتفاع عن سطح البحر يؤثر على مواعيد الشروق و الغروب"));
    frahl->setTitle(QStringLiteral("حسابات بديلة لخطوط العرض العليا"));
    chkhl->setText(QStringLiteral("تفعيل الحسابات البديلة لخطوط العرض العليا"));
    Fra24->setTitle(QStringLiteral("نظام 24 أو 12 لمواقيت الصلاة"));
    fralan->setTitle(QStringLiteral("اللغة"));
    cmdok->setText(QStringLiteral("&موافق"));
    cmddef->setText(QStringLiteral("القيم المف&ضلة"));
    cmdcan->setText(QStringLiteral("&خروج"));

    setLayoutDirection(Qt::RightToLeft);
    for (QGroupBox* frame : {fratwi, fraadd, frasum, fraasr, frapre, fraele, frahl, Fra24, fralan})
        frame->setLayoutDirection(Qt::RightToLeft);
    for (QLabel* l : {lblisha, lblishd, lblsubfaj, lblsubfaj2, lblsubsho, lblsubsho2, lbladddoh,
                      lbladddoh2, lbladdasr, lbladdasr2, lbladdmag, lbladdmag2, lblfrom, lblfmonth,
                      lblfday, lblto, lbltmonth, lbltday})
        setRightToLeft(l, true);
    for (QRadioButton* o :
         {optnosum, optsum, optsha, opthan, optmin, optsec, Opt24, Opt12, opten, optar})
        setRightToLeft(o, true);
    setRightToLeft(chkeleset, true);
    setRightToLeft(chkhl, true);
    for (QLineEdit* box : {txtsubfaj, txtsubsho, txtadddoh, txtaddmag, txtaddasr})
        setRightToLeft(box, false);
    // The rest keep the direction they were designed with rather than take
    // their frame's: the angle labels only change their captions.
    for (QWidget* w : std::initializer_list<QWidget*>{lblfaj, lblfajd, txtfaj, txtisha, cbotwi,
                                                      cbofmonth, cbofday, cbotmonth, cbotday})
        w->setLayoutDirection(Qt::LeftToRight);

    setLeftWidth(lblishd, 2000, 1900);
    setLeft(lblfrom, 2600);
    setLeft(lblto, 2600);
    setLeft(lblsubfaj, 2160);
    setLeft(lblsubsho, 2160);
    setLeftWidth(lblsubfaj2, 140, 1500);
    setLeftWidth(lblsubsho2, 140, 1500);
    for (QLabel* l : {lbladddoh, lbladdmag, lbladdasr})
        setLeft(l, 2400);
    for (QLabel* l : {lbladddoh2, lbladdmag2, lbladdasr2})
        setLeftWidth(l, 50, 1600);
    for (QLineEdit* box : {txtsubfaj, txtsubsho, txtadddoh, txtaddmag, txtaddasr})
        setLeft(box, 1760);
    setLeftWidth(optsha, 200, 600);
    setLeft(opthan, 1000);
    setLeft(cmdok, 5800);
    setLeft(cmdcan, 680);
}

void frmpreferences::setAngleBoxes(const QString& fajr, const QString& isha, bool enabled)
{
    txtfaj->setText(fajr);
    txtisha->setText(isha);
    txtfaj->setEnabled(enabled);
    txtisha->setEnabled(enabled);
}

void frmpreferences::cbotwi_Click()
{
    const QString text = cbotwi->currentText();
    for (const Convention& c : kConventions) {
        if (text != QLatin1String(c.entry))
            continue;
        if (c.fajr)
            setAngleBoxes(QLatin1String(c.fajr), QLatin1String(c.isha), false);
        else
            setAngleBoxes(numberText(fajang_), numberText(ishang_), true);
        return;
    }
}

void frmpreferences::setSummerControlsEnabled(bool enabled)
{
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblfrom, cbofmonth, cbofday, lblfmonth, lblfday, lblto,
                                         cbotmonth, cbotday, lbltmonth, lbltday})
        w->setEnabled(enabled);
}

void frmpreferences::optnosum_Click()
{
    setSummerControlsEnabled(false);
}

void frmpreferences::optsum_Click()
{
    setSummerControlsEnabled(true);
}

void frmpreferences::cmddef_Click()
{
    {
        const QSignalBlocker block(cbotwi);
        cbotwi->setCurrentIndex(0);
    }
    setAngleBoxes(QStringLiteral("18"), QStringLiteral("18"), false);
    setOption(optnosum, true);
    optnosum_Click();
    for (QLineEdit* box : {txtsubfaj, txtsubsho, txtadddoh, txtaddasr, txtaddmag})
        box->setText(QStringLiteral("0"));
    chkelefaj->setChecked(false);
    setListText(cbofmonth, QStringLiteral("4"));
    setListText(cbofday, QStringLiteral("1"));
    setListText(cbotmonth, QStringLiteral("10"));
    setListText(cbotday, QStringLiteral("1"));
    setOption(Opt24, true);
    chkhl->setChecked(false);
    setOption(english_ ? opten : optar, true);
    setOption(optsha, true);
    setOption(optmin, true);
}

void frmpreferences::cmdok_Click()
{
    settings::Preferences p;
    p.hilat = chkhl->isChecked() ? 1 : 0;
    p.hour24 = Opt24->isChecked() ? 1 : 0;

    // A line end pasted with a number would join the digits around it, and
    // a number beyond the range would be held as 0: refused before the held
    // angles take them.
    const QString angleTitle = QStringLiteral("Angle Error!");
    if (refuseLineEnd(this, english_, txtfaj, LineEnds::Inside, "the Fajer angle", "زاوية الفجر",
                      angleTitle, QStringLiteral("خطأ")) ||
        refuseLineEnd(this, english_, txtisha, LineEnds::Inside, "the Isha angle", "زاوية العشاء",
                      angleTitle, QStringLiteral("خطأ")) ||
        refuseOverflow(this, english_, txtfaj->text(), txtfaj,
                       QStringLiteral("Fajer Angle Is Too Large a Number!"), angleTitle,
                       QStringLiteral("زاوية الفجر رقم كبير جدا"), QStringLiteral("خطأ")) ||
        refuseOverflow(this, english_, txtisha->text(), txtisha,
                       QStringLiteral("Isha Angle Is Too Large a Number!"), angleTitle,
                       QStringLiteral("زاوية العشاء رقم كبير جدا"), QStringLiteral("خطأ")))
        return;
    fajang_ = boxNumber(txtfaj->text());
    ishang_ = boxNumber(txtisha->text());
    if (fajang_ < 0) {
        warn(this, english_, QStringLiteral("Fajer Angle Must Be Positive!"),
             QStringLiteral("Angle Error!"), QStringLiteral("زاوية الفجر يجب أن تكون موجبة"),
             QStringLiteral("خطأ"));
        txtfaj->setFocus();
        return;
    }
    if (ishang_ < 0) {
        warn(this, english_, QStringLiteral("Isha Angle Must Be Positive!"),
             QStringLiteral("Angle Error!"), QStringLiteral("زاوية العشاء يجب أن تكون موجبة"),
             QStringLiteral("خطأ"));
        txtisha->setFocus();
        return;
    }
    const struct {
        QLineEdit* box;
        const char* english;
        const char* arabic;
        const char* name; // what the box holds, as its refusals name it
        const char* arabicName;
    } minuteBoxes[] = {
        {txtsubfaj, "The Number of Minutes from Fajer Is Too Large!",
         "عدد الدقائق من وقت الفجر كبير جدا", "the minutes from Fajer", "الدقائق من وقت الفجر"},
        {txtsubsho, "The Number of Minutes from Shoroq Is Too Large!",
         "عدد الدقائق من وقت الشروق كبير جدا", "the minutes from Shoroq", "الدقائق من وقت الشروق"},
        {txtadddoh, "The Number of Minutes to Dhohur Is Too Large!",
         "عدد الدقائق على وقت الظهر كبير جدا", "the minutes to Dhohur", "الدقائق على وقت الظهر"},
        {txtaddasr, "The Number of Minutes to Asr Is Too Large!",
         "عدد الدقائق على وقت العصر كبير جدا", "the minutes to Asr", "الدقائق على وقت العصر"},
        {txtaddmag, "The Number of Minutes to Maghreb Is Too Large!",
         "عدد الدقائق على وقت المغرب كبير جدا", "the minutes to Maghreb", "الدقائق على وقت المغرب"},
    };
    for (const auto& m : minuteBoxes)
        if (refuseLineEnd(this, english_, m.box, LineEnds::Inside, m.name, m.arabicName,
                          QStringLiteral("Addition Error!"), QStringLiteral("خطأ")) ||
            refuseOverflow(this, english_, m.box->text(), m.box, QString::fromUtf8(m.english),
                           QStringLiteral("Addition Error!"), QString::fromUtf8(m.arabic),
                           QStringLiteral("خطأ")))
            return;
    p.fajang = fajang_;
    p.ishang = ishang_;
    p.summ = optnosum->isChecked() ? "0" : "1";
    p.smf = boxNumber(cbofmonth->currentText());
    p.sdf = boxNumber(cbofday->currentText());
    p.smt = boxNumber(cbotmonth->currentText());
    p.sdt = boxNumber(cbotday->currentText());
    p.subfaj = boxNumber(txtsubfaj->text());
    p.adddoh = boxNumber(txtadddoh->text());
    p.addmag = boxNumber(txtaddmag->text());
    p.addasr = boxNumber(txtaddasr->text());
    p.subsho = boxNumber(txtsubsho->text());
    p.elefaj = chkelefaj->isChecked() ? "1" : "0";
    p.sha = optsha->isChecked() ? "1" : "0";
    p.eleset = chkeleset->isChecked() ? "1" : "0";
    p.min = optmin->isChecked() ? "1" : "0";
    p.opttwi = opttwi_;
    for (const Convention& c : kConventions)
        if (cbotwi->currentText() == QLatin1String(c.entry))
            p.opttwi = c.code;
    p.eng = opten->isChecked();

    const settings::SaveResult result = settings::writePreferences(p);
    if (!result) {
        reportSaveFailure(this, english_, QStringLiteral("pref.zvd"), result.error);
        return;
    }
    emit saved();
    accept();
}

void frmpreferences::cmdcan_Click()
{
    reject();
}
