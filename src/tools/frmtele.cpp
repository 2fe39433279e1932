#include "frmtele.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/eventloop.h"
#include "platform/fault.h"
#include "platform/programfolder.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/textroom.h"
#include "settings/dialogs/dialogsupport.h"
#include "settings/records.h"
#include "settings/settingsline.h"
#include "tools/telescope.h"

using namespace dialogs;

namespace {

// The number at the start of a box's text; 0 when it holds none.
double textNumber(const QString& text)
{
    double value = 0;
    settings::leadingNumber(text.toStdString(), value);
    return value;
}

// Lines break at "\n": a carriage return left in a label's text is drawn as a
// character of its own and, in a right-to-left line, pushes the leading "*"
// out of the label.
const QString kEnglishNote =
    QStringLiteral("* It is very important to read the help file to know the use and the "
                   "importance of this form.\n\n* Please check your coordinates form the "
                   "Location menu and your Summer Time form the Preferences menu.");
const QString kArabicNote =
    QStringLiteral("* من المهم قراءة ملف المساعة لمعرفة أهمية وكيفية استخدام هذه "
                   "الواجهة.\n\n\n* يرجى التأكد من الإحداثيات الجغرافية من قائمة الموقع "
                   "والتوقيت الصيفي من قائمة الخيارات.");

} // namespace

frmtele::frmtele(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmtele"));
    setModal(true);
    createControls();
    Form_Load();
}

QGroupBox* frmtele::valueBlock(const char* frameName, const QString& title, const char* prefix,
                               ValueRow& row)
{
    auto* frame = make<QGroupBox>(fratele, frameName, title);
    auto* grid = new QGridLayout(frame);
    const auto name = [prefix](const char* part) { return QByteArray("lbl") + prefix + part; };
    const struct {
        const char* part;
        QString caption, empty;
        QLabel** label;
        QLabel** value;
    } rows[] = {
        {"ra", QStringLiteral("R.A."), QStringLiteral("NA:NA:NA"), &row.ra, &row.rav},
        {"dec", QStringLiteral("Dec."), QStringLiteral("+NA:NA:NA"), &row.dec, &row.decv},
        {"alt", QStringLiteral("Altitude"), QStringLiteral("NA:NA:NA"), &row.alt, &row.altv},
        {"azm", QStringLiteral("Azimuth"), QStringLiteral("NA:NA:NA"), &row.azm, &row.azmv},
    };
    int r = 0;
    for (const auto& item : rows) {
        *item.label = make<QLabel>(frame, name(item.part).constData(), item.caption);
        *item.value = make<QLabel>(frame, (name(item.part) + "v").constData(), item.empty);
        (*item.value)->setMinimumWidth(twips(1500));
        grid->addWidget(*item.label, r, 0);
        grid->addWidget(*item.value, r, 1);
        ++r;
    }
    return frame;
}

void frmtele::createControls()
{
    setWindowTitle(QStringLiteral("Miqatix: Telescope Control"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    auto* outer = new QVBoxLayout(this);

    fratele = make<QGroupBox>(this, "fratele", QStringLiteral("Main"));
    outer->addWidget(fratele);
    auto* main = new QVBoxLayout(fratele);

    lblyear = make<QLabel>(fratele, "lblyear", QStringLiteral("Year"));
    txtyear = make<QLineEdit>(fratele, "txtyear", QStringLiteral("2011"));
    txtyear->setMaximumWidth(twips(900));
    lblmonth = make<QLabel>(fratele, "lblmonth", QStringLiteral("Month"));
    cbomonth = numberList(fratele, "cbomonth", 1, 12, true);
    lblday = make<QLabel>(fratele, "lblday", QStringLiteral("Day"));
    cboday = numberList(fratele, "cboday", 1, 31, true);
    lblhour = make<QLabel>(fratele, "lblhour", QStringLiteral("Hour"));
    cbohour = numberList(fratele, "cbohour", 0, 23, true);
    lblminutes = make<QLabel>(fratele, "lblminutes", QStringLiteral("Minutes"));
    cbominutes = numberList(fratele, "cbominutes", 0, 59, true);
    lbllocalt = make<QLabel>(fratele, "lbllocalt", QStringLiteral("Local Time"));
    cmdnow = make<QPushButton>(fratele, "cmdnow", QStringLiteral("&Now"));
    cmdcalc = make<QPushButton>(fratele, "cmdcalc", QStringLiteral("&Calculate"));
    main->addWidget(lbllocalt);
    auto* dateRow = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblyear, txtyear, lblmonth, cbomonth, lblday, cboday,
                                         lblhour, cbohour, lblminutes, cbominutes})
        dateRow->addWidget(w);
    dateRow->addStretch();
    dateRow->addWidget(cmdnow);
    dateRow->addWidget(cmdcalc);
    main->addLayout(dateRow);

    frasettings = make<QGroupBox>(fratele, "frasettings", QStringLiteral("Settings"));
    auto* settingsRow = new QHBoxLayout(frasettings);
    fracoorref = make<QGroupBox>(frasettings, "fracoorref",
                                 QStringLiteral("Telescope Coordinates Reference"));
    optnow = make<QRadioButton>(fracoorref, "optnow", QStringLiteral("JNow"));
    optj2000 = make<QRadioButton>(fracoorref, "optj2000", QStringLiteral("J2000"));
    optnow->setChecked(true);
    auto* refRow = new QHBoxLayout(fracoorref);
    refRow->addWidget(optnow);
    refRow->addWidget(optj2000);
    fracoor = make<QGroupBox>(frasettings, "fracoor", QStringLiteral("Telescope Coordinates"));
    optair = make<QRadioButton>(fracoor, "optair", QStringLiteral("Airless"));
    optref = make<QRadioButton>(fracoor, "optref", QStringLiteral("Refracted"));
    optair->setChecked(true);
    auto* coorRow = new QHBoxLayout(fracoor);
    coorRow->addWidget(optair);
    coorRow->addWidget(optref);
    settingsRow->addWidget(fracoorref);
    settingsRow->addWidget(fracoor);
    main->addWidget(frasettings);

    frasun = valueBlock("frasun", QStringLiteral("Sun Coordinates"), "sun", sun_);
    framoon = valueBlock("framoon", QStringLiteral("Moon Coordinates"), "moon", moon_);
    fracres = valueBlock("fracres", QStringLiteral("Crescent Coordinates"), "crs", crs_);
    auto* blocks = new QHBoxLayout;
    blocks->addWidget(frasun);
    blocks->addWidget(framoon);
    blocks->addWidget(fracres);
    main->addLayout(blocks);

    // The picture's frame keeps its design in twips: the picture box is the
    // pictures' own 72 x 72 pixels.
    fracresimage = make<QGroupBox>(fratele, "fracresimage", QStringLiteral("Crescent Orientation"));
    fracresimage->setFixedSize(twips(3600), twips(2400));
    pctcresimg = make<QLabel>(fracresimage, "pctcresimg");
    pctcresimg->setGeometry(twips(1200), twips(600), 72, 72);
    pctcresimg->setAlignment(Qt::AlignCenter);
    chkflph = make<QCheckBox>(fracresimage, "chkflph", QStringLiteral("Flip &Horizontal"));
    place(chkflph, 1920, 1860, 1560, 285);
    chkflpv = make<QCheckBox>(fracresimage, "chkflpv", QStringLiteral("Flip &Vertical"));
    place(chkflpv, 360, 1860, 1440, 285);
    lblnote = make<QLabel>(fratele, "lblnote");
    lblnote->setWordWrap(true);
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(fracresimage);
    pictureRow->addWidget(lblnote, 1);
    main->addLayout(pictureRow);

    cmdclose = make<QPushButton>(this, "cmdclose", QStringLiteral("Clo&se"));
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(cmdclose);
    closeRow->addStretch();
    outer->addLayout(closeRow);
    for (QPushButton* b : {cmdnow, cmdcalc, cmdclose})
        b->setAutoDefault(false);

    connect(cmdnow, &QPushButton::clicked, this, [this] { cmdnow_Click(); });
    connect(cmdcalc, &QPushButton::clicked, this, [this] { cmdcalc_Click(); });
    const auto onSelect = [this](QRadioButton* option, void (frmtele::*handler)()) {
        connect(option, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                (this->*handler)();
        });
    };
    onSelect(optair, &frmtele::optair_Click);
    onSelect(optref, &frmtele::optref_Click);
    onSelect(optnow, &frmtele::optnow_Click);
    onSelect(optj2000, &frmtele::optj2000_Click);
    connect(chkflph, &QCheckBox::stateChanged, this, [this] { chkflph_Click(); });
    connect(chkflpv, &QCheckBox::stateChanged, this, [this] { chkflpv_Click(); });
    connect(cmdclose, &QPushButton::clicked, this, [this] { cmdclose_Click(); });
}

void frmtele::Form_Load()
{
    const tools::TelescopeSettings s = tools::readTelescopeSettings();
    english_ = settings::readPreferences().eng;
    lblnote->setText(kEnglishNote);

    // Restoring shows the settings only; the first calculation is the user's.
    const QSignalBlocker blockers[] = {QSignalBlocker(optair),  QSignalBlocker(optref),
                                       QSignalBlocker(optnow),  QSignalBlocker(optj2000),
                                       QSignalBlocker(chkflph), QSignalBlocker(chkflpv)};
    txtyear->setText(numberText(s.year));
    setListText(cbomonth, numberText(s.month));
    setListText(cboday, numberText(s.day));
    setListText(cbohour, numberText(s.hour));
    setListText(cbominutes, numberText(s.minute));
    setOption(optair, s.airless);
    setOption(optref, s.refracted);
    setOption(optnow, s.jnow);
    setOption(optj2000, s.j2000);
    chkflpv->setChecked(s.flipVertical == 1);
    chkflph->setChecked(s.flipHorizontal == 1);

    if (!english_)
        switchToArabic();
    platform::makeRoomForTexts(this, english_);
}

void frmtele::switchToArabic()
{
    setWindowTitle(QStringLiteral("Miqatix: تحكم التلسكوب"));
    setLayoutDirection(Qt::RightToLeft);
    fratele->setTitle(QStringLiteral("القائمة الرئيسة"));
    lblyear->setText(QStringLiteral("السنة"));
    lblmonth->setText(QStringLiteral("الشهر"));
    lblday->setText(QStringLiteral("اليوم"));
    lblhour->setText(QStringLiteral("الساعة"));
    lblminutes->setText(QStringLiteral("الدقيقة"));
    lbllocalt->setText(QStringLiteral("توقيت محلي"));
    cmdnow->setText(QStringLiteral("الآ&ن"));
    cmdcalc->setText(QStringLiteral("إ&حسب"));
    cmdclose->setText(QStringLiteral("إ&غلاق"));
    frasettings->setTitle(QStringLiteral("الإعدادات"));
    fracoor->setTitle(QStringLiteral("إحداثيات التلسكوب"));
    optair->setText(QStringLiteral("بدون انكسار"));
    optref->setText(QStringLiteral("مع انكسار"));
    fracoorref->setTitle(QStringLiteral("مرجع الإحداثيات"));
    fracresimage->setTitle(QStringLiteral("اتجاه الهلال"));
    chkflpv->setText(QStringLiteral("قلب &عامودي"));
    chkflph->setText(QStringLiteral("قلب &أفقي"));
    lblnote->setText(kArabicNote);
    frasun->setTitle(QStringLiteral("إحداثيات الشمس"));
    framoon->setTitle(QStringLiteral("إحداثيات القمر"));
    fracres->setTitle(QStringLiteral("إحداثيات الهلال"));
    for (ValueRow* row : {&sun_, &moon_, &crs_}) {
        row->ra->setText(QStringLiteral("ص.م."));
        row->dec->setText(QStringLiteral("الميل"));
        row->alt->setText(QStringLiteral("الارتفاع"));
        row->azm->setText(QStringLiteral("السمت"));
    }
    for (QWidget* w : std::initializer_list<QWidget*>{fratele, frasettings, fracoor, fracoorref,
                                                      fracresimage, frasun, framoon, fracres})
        setRightToLeft(w, false);
    for (QWidget* w : std::initializer_list<QWidget*>{optair, optref, optnow, optj2000, chkflpv,
                                                      chkflph, lblnote})
        setRightToLeft(w, true);
    for (ValueRow* row : {&sun_, &moon_, &crs_})
        for (QLabel* l : {row->ra, row->dec, row->alt, row->azm})
            setRightToLeft(l, false);
    // The picture's frame is laid out by hand, so its Arabic places are too.
    setLeft(chkflpv, 100);
    setLeft(chkflph, 1500);
}

void frmtele::cmdnow_Click()
{
    const QDateTime now =
        QDateTime::fromMSecsSinceEpoch(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           platform::now().time_since_epoch())
                                           .count())
            .toLocalTime();
    txtyear->setText(QString::number(now.date().year()));
    setListText(cbomonth, QString::number(now.date().month()));
    setListText(cboday, QString::number(now.date().day()));
    setListText(cbohour, QString::number(now.time().hour()));
    setListText(cbominutes, QString::number(now.time().minute()));
    cmdcalc_Click();
}

bool frmtele::numbersFit()
{
    // A box read as 0 for a number beyond every double would save and
    // compute a date the user never typed.
    return !dialogs::refuseOverflowingBox(
        this, english_,
        {{txtyear, txtyear->text(), "Year", "السنة"},
         {cbomonth, cbomonth->currentText(), "Month", "الشهر"},
         {cboday, cboday->currentText(), "Day", "اليوم"},
         {cbohour, cbohour->currentText(), "Hour", "الساعة"},
         {cbominutes, cbominutes->currentText(), "Minutes", "الدقيقة"}},
        QStringLiteral("Telescope Control"), QStringLiteral("تحكم التلسكوب"));
}

void frmtele::cmdcalc_Click()
{
    if (!numbersFit())
        return;
    tools::TelescopeInput in;
    in.year = textNumber(txtyear->text());
    in.month = textNumber(cbomonth->currentText());
    in.day = textNumber(cboday->currentText());
    in.hour = textNumber(cbohour->currentText());
    in.minute = textNumber(cbominutes->currentText());
    in.refracted = !optair->isChecked();
    in.j2000 = optj2000->isChecked();
    // Beyond the computable years the numbers would look like coordinates
    // and be none. One reading of loc.zvd serves the whole Calculate.
    const settings::CurrentLocation loc = settings::readCurrentLocation();
    const std::string refused = tools::telescopeRefusal(in, loc, english_);
    if (!refused.empty()) {
        const QString text = QString::fromStdString(refused);
        warn(this, english_, text, QStringLiteral("Date Error"), text, QStringLiteral("خطأ"));
        txtyear->setFocus();
        return;
    }

    tools::TelescopePointing p;
    if (!tools::telescopePointing(in, loc, p)) {
        warn(this, english_, QStringLiteral("Moon is Below Horizon"),
             QStringLiteral("Moon is Invisible"), QStringLiteral("القمر تحت الأفق"),
             QStringLiteral("القمر غير موجود"));
        return;
    }
    crsang = p.crsang;
    ShowCrescentPicture();
    const auto show = [this](const ValueRow& row, const tools::SkyPoint& point) {
        const tools::PointingTexts t = tools::pointingTexts(point);
        // A declination or altitude below 0 keeps its minus left of it, as in a
        // message.
        const auto value = [this](const std::string& text) {
            return platform::numberInMessage(QString::fromStdString(text), english_);
        };
        row.rav->setText(value(t.ra));
        row.decv->setText(value(t.dec));
        row.altv->setText(value(t.alt));
        row.azmv->setText(value(t.azm));
    };
    show(sun_, p.sun);
    show(moon_, p.moon);
    show(crs_, p.crescent);
}

void frmtele::ShowCrescentPicture()
{
    const std::string name =
        std::string(tools::kCrescentPictureFolder) + "/" +
        tools::crescentPictureName(crsang, chkflph->isChecked(), chkflpv->isChecked()) +
        tools::kCrescentPictureExtension;
    QPixmap picture;
    if (!picture.load(QString::fromStdString((platform::programFolder() / name).string())))
        platform::stopProgram(platform::FileFault(platform::FileFaultKind::Missing, name));
    pctcresimg->setPixmap(picture);
}

void frmtele::cmdclose_Click()
{
    if (!numbersFit())
        return; // the window stays open, nothing saved
    tools::TelescopeSettings s;
    s.year = textNumber(txtyear->text());
    s.month = textNumber(cbomonth->currentText());
    s.day = textNumber(cboday->currentText());
    s.hour = textNumber(cbohour->currentText());
    s.minute = textNumber(cbominutes->currentText());
    s.airless = optair->isChecked();
    s.refracted = optref->isChecked();
    s.jnow = optnow->isChecked();
    s.j2000 = optj2000->isChecked();
    s.flipVertical = chkflpv->isChecked() ? 1 : 0;
    s.flipHorizontal = chkflph->isChecked() ? 1 : 0;
    const settings::SaveResult saved = tools::writeTelescopeSettings(s);
    if (!saved) {
        reportSaveFailure(this, english_, QString::fromLatin1(tools::kTelescopeSettingsFile),
                          saved.error);
        return;
    }
    close();
}
