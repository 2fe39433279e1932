#include "frmlocation.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "dialogsupport.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/settingstext.h"
#include "platform/qt/textroom.h"

using namespace dialogs;

namespace {

// The list box keeps its names in alphabetical order, capitals and small
// letters alike; names that differ only in case keep a fixed order.
bool alphabetical(const QString& a, const QString& b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

} // namespace

frmlocation::frmlocation(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmlocation"));
    setModal(true);
    createControls();
    Form_Load();
}

void frmlocation::createControls()
{
    setWindowTitle(QStringLiteral("Location"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(twips(8400), twips(5760));

    franame = make<QGroupBox>(this, "franame", QStringLiteral("Name"));
    place(franame, 120, 120, 3900, 660);
    txtname = make<QLineEdit>(franame, "txtname");
    place(txtname, 120, 270, 3660, 285);

    const auto coordinateFrame = [this](QGroupBox*& frame, const char* frameName,
                                        const QString& title, int top, QLineEdit** boxes,
                                        QLabel** marks, const char* const* names,
                                        QRadioButton*& first, const char* firstName,
                                        const QString& firstText, QRadioButton*& second,
                                        const char* secondName, const QString& secondText) {
        frame = make<QGroupBox>(this, frameName, title);
        place(frame, 120, top, 3900, 700);
        const QString markText[] = {QStringLiteral("o"), QStringLiteral("'"), QStringLiteral("\"")};
        const int boxLeft[] = {120, 960, 1680};
        const int boxWidth[] = {600, 480, 720};
        for (int i = 0; i < 3; ++i) {
            boxes[i] = make<QLineEdit>(frame, names[2 * i]);
            place(boxes[i], boxLeft[i], 300, boxWidth[i], 285);
            marks[i] = make<QLabel>(frame, names[2 * i + 1], markText[i]);
            place(marks[i], boxLeft[i] + boxWidth[i] + 30, 270, 180, 255);
        }
        marks[0]->setFont(QFont(QStringLiteral("Symbol"), 8));
        first = make<QRadioButton>(frame, firstName, firstText);
        place(first, 2760, 300, 500, 255);
        second = make<QRadioButton>(frame, secondName, secondText);
        place(second, 3300, 300, 500, 255);
        first->setChecked(true);
    };
    {
        QLineEdit* boxes[3];
        QLabel* marks[3];
        const char* names[] = {"txtlongid", "lbllongid", "txtlongim",
                               "lbllongim", "txtlongis", "lbllongis"};
        coordinateFrame(fralongi, "fralongi", QStringLiteral("Longitude"), 840, boxes, marks, names,
                        opte, "opte", QStringLiteral("E"), optw, "optw", QStringLiteral("W"));
        txtlongid = boxes[0], txtlongim = boxes[1], txtlongis = boxes[2];
        lbllongid = marks[0], lbllongim = marks[1], lbllongis = marks[2];
    }
    {
        QLineEdit* boxes[3];
        QLabel* marks[3];
        const char* names[] = {"txtlatid", "lbllatid", "txtlatim",
                               "lbllatim", "txtlatis", "lbllatis"};
        coordinateFrame(fralatitude, "fralatitude", QStringLiteral("Latitude"), 1620, boxes, marks,
                        names, optn, "optn", QStringLiteral("N"), opts, "opts",
                        QStringLiteral("S"));
        txtlatid = boxes[0], txtlatim = boxes[1], txtlatis = boxes[2];
        lbllatid = marks[0], lbllatim = marks[1], lbllatis = marks[2];
    }

    fraothers = make<QGroupBox>(this, "fraothers", QStringLiteral("Others"));
    place(fraothers, 120, 2400, 3900, 1080);
    lblzon = make<QLabel>(fraothers, "lblzon", QStringLiteral("Time Zone:"));
    place(lblzon, 120, 330, 1200, 255);
    txtzon = make<QLineEdit>(fraothers, "txtzon");
    place(txtzon, 1380, 300, 900, 285);
    lblzond = make<QLabel>(fraothers, "lblzond", QStringLiteral("(East +)"));
    place(lblzond, 2400, 330, 1200, 255);
    lblele = make<QLabel>(fraothers, "lblele", QStringLiteral("Elevation:"));
    place(lblele, 120, 690, 1200, 255);
    txtele = make<QLineEdit>(fraothers, "txtele");
    place(txtele, 1380, 660, 900, 285);
    lblelem = make<QLabel>(fraothers, "lblelem", QStringLiteral("(m)"));
    place(lblelem, 2400, 690, 1200, 255);

    fracity = make<QGroupBox>(this, "fracity", QStringLiteral("City Settings"));
    place(fracity, 120, 3540, 3900, 1260);
    lblcity = make<QLabel>(fracity, "lblcity",
                           QStringLiteral("For Fajer and Shuroq times consider my location is to "
                                          "the east of my default location by "));
    lblcity->setWordWrap(true);
    place(lblcity, 120, 270, 3660, 510);
    txtcity = make<QLineEdit>(fracity, "txtcity", QStringLiteral("0"));
    place(txtcity, 120, 840, 900, 285);
    lblcity2 = make<QLabel>(fracity, "lblcity2", QStringLiteral("Km"));
    place(lblcity2, 1140, 870, 600, 255);

    fraref = make<QGroupBox>(this, "fraref", QStringLiteral("Refraction"));
    place(fraref, 4140, 120, 4140, 1800);
    const struct {
        QLabel** label;
        const char* labelName;
        const char* caption;
        QLineEdit** box;
        const char* boxName;
    } refraction[] = {
        {&lblpre, "lblpre", "Pressure (mb):", &txtpre, "txtpre"},
        {&lbltem, "lbltem", "Temperature (C):", &txttem, "txttem"},
        {&lblhum, "lblhum", "Relative Humidity (%):", &txthum, "txthum"},
        {&lblalpha, "lblalpha", "Alpha (K/meter):", &txtalpha, "txtalpha"},
    };
    int top = 300;
    for (const auto& r : refraction) {
        *r.label = make<QLabel>(fraref, r.labelName, QLatin1String(r.caption));
        place(*r.label, 120, top + 30, 2160, 255);
        *r.box = make<QLineEdit>(fraref, r.boxName);
        place(*r.box, 2400, top, 1560, 285);
        top += 360;
    }

    List1 = make<QListWidget>(this, "List1");
    place(List1, 4140, 2040, 4140, 1740);
    lblmod = make<QLabel>(this, "lblmod",
                          QStringLiteral("To change value(s) of a certain location: Firstly, "
                                         "change the value(s) above, then click 'Modify'."));
    lblmod->setWordWrap(true);
    place(lblmod, 4140, 3840, 4140, 450);
    lbladd = make<QLabel>(this, "lbladd",
                          QStringLiteral("To add a new location: Firstly, enter your values "
                                         "above, then click  'Add'."));
    lbladd->setWordWrap(true);
    place(lbladd, 4140, 4350, 4140, 450);

    Line1 = make<QFrame>(this, "Line1");
    Line1->setFrameShape(QFrame::HLine);
    place(Line1, 120, 4920, 8160, 30);
    Line2 = make<QFrame>(this, "Line2");
    Line2->setFrameShape(QFrame::HLine);
    place(Line2, 120, 5580, 8160, 30);

    cmdok = make<QPushButton>(this, "cmdok", QStringLiteral("&Ok"));
    cmdadd = make<QPushButton>(this, "cmdadd", QStringLiteral("&Add"));
    cmddel = make<QPushButton>(this, "cmddel", QStringLiteral("&Delete"));
    cmdmod = make<QPushButton>(this, "cmdmod", QStringLiteral("&Modify"));
    cmdcancel = make<QPushButton>(this, "cmdcancel", QStringLiteral("&Cancel"));
    int left = 120;
    for (QPushButton* b : {cmdok, cmdadd, cmddel, cmdmod, cmdcancel}) {
        place(b, left, 5070, 1500, 375);
        b->setAutoDefault(false);
        left += 1665;
    }

    for (QLineEdit* box : {txtname, txtlatid, txtlatim, txtlatis, txtlongid, txtlongim, txtlongis,
                           txtzon, txtele, txtcity, txtpre, txttem, txthum, txtalpha})
        selectWholeTextOnFocus(box);

    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            List1_Click();
    });
    connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });
    connect(cmdok, &QPushButton::clicked, this, [this] { cmdok_Click(); });
    connect(cmdadd, &QPushButton::clicked, this, [this] { cmdadd_Click(); });
    connect(cmdmod, &QPushButton::clicked, this, [this] { cmdmod_Click(); });
    connect(cmddel, &QPushButton::clicked, this, [this] { cmddel_Click(); });
    connect(cmdcancel, &QPushButton::clicked, this, [this] { cmdcancel_Click(); });
}

void frmlocation::Form_Load()
{
    // The language is read strictly: without pref.zvd the program stops.
    english_ = settings::readPreferences().eng;
    if (!english_)
        switchToArabic();

    settings::SavedLocationsFile list;
    readList(list);
    fillList(list);

    const auto f = settings::readRecordTolerant("loc.zvd", settings::kCurrentLocationKinds);
    const auto field = [&f](size_t n) {
        return n <= f.size() ? f[n - 1] : settings::SettingsField();
    };
    nameBytes_ = field(1).asText();
    alphaBytes_ = field(18).asText();
    txtname->setText(fieldText(field(1)));
    txtlongid->setText(fieldText(field(2)));
    txtlongim->setText(fieldText(field(3)));
    txtlongis->setText(fieldText(field(4)));
    txtlatid->setText(fieldText(field(5)));
    txtlatim->setText(fieldText(field(6)));
    txtlatis->setText(fieldText(field(7)));
    txtele->setText(fieldText(field(8)));
    txtzon->setText(fieldText(field(9)));
    setOption(opte, field(10).asTruth());
    setOption(optn, field(11).asTruth());
    setOption(optw, field(12).asTruth());
    setOption(opts, field(13).asTruth());
    txtcity->setText(fieldText(field(14)));
    txtpre->setText(fieldText(field(15)));
    txttem->setText(fieldText(field(16)));
    txthum->setText(fieldText(field(17)));
    txtalpha->setText(fieldText(field(18)));

    selectName(txtname->text());
    platform::makeRoomForTexts(this, english_);
}

void frmlocation::switchToArabic()
{
    setWindowTitle(QStringLiteral("الموقع"));
    franame->setTitle(QStringLiteral("الإسم"));
    fralongi->setTitle(QStringLiteral("خط الطول"));
    opte->setText(QStringLiteral("ش"));
    optw->setText(QStringLiteral("غ"));
    fralatitude->setTitle(QStringLiteral("خط العرض"));
    optn->setText(QStringLiteral("ش"));
    opts->setText(QStringLiteral("ج"));
    fraothers->setTitle(QStringLiteral("إضافات"));
    lblzon->setText(QStringLiteral("النطاق الزمني"));
    lblzond->setText(QStringLiteral("(الشرق +)"));
    lblele->setText(QStringLiteral("الإرتفاع"));
    lblelem->setText(QStringLiteral("م"));
    fracity->setTitle(QStringLiteral("مواقيت المدينة"));
    lblcity->setText(
        QStringLiteral("لمواعيد الفجر و الشروق، اعتبر موقعي إلى الشرق من الموقع الأصلي بمقدار"));
    lblcity2->setText(QStringLiteral("كم"));
    fraref->setTitle(QStringLiteral("الإنكسار"));
    lblpre->setText(QStringLiteral("الضغط مل بار"));
    lbltem->setText(QStringLiteral("الحرارة م"));
    lblhum->setText(QStringLiteral("الرطوبة النسبية"));
    lblalpha->setText(QStringLiteral("تغير الحرارة ك/م"));
    lblmod->setText(
        QStringLiteral("لتغيير قيم إحدى المواقع: قم أولا بتغيير القيمة، ثم اضغط كبسة تعديل"));
    lbladd->setText(
        QStringLiteral("لإضافة موقع جديد: قم أولا بإدخال القيم أعلاه، ثم اضغط كبسة إضافة"));
    cmdok->setText(QStringLiteral("&موافق"));
    cmdadd->setText(QStringLiteral("إ&ضافة"));
    cmdmod->setText(QStringLiteral("&تعديل"));
    cmddel->setText(QStringLiteral("&حذف"));
    cmdcancel->setText(QStringLiteral("&خروج"));

    setLayoutDirection(Qt::RightToLeft);
    for (QGroupBox* frame : {franame, fralongi, fralatitude, fraothers, fracity, fraref})
        frame->setLayoutDirection(Qt::RightToLeft);
    for (QRadioButton* o : {opte, optw, optn, opts})
        setRightToLeft(o, true);
    for (QLabel* l :
         {lblzon, lblzond, lblele, lblelem, lblcity, lblcity2, lblpre, lbltem, lblhum, lblalpha})
        setRightToLeft(l, false);
    for (QLineEdit* box : {txtele, txtcity, txtpre, txttem, txthum, txtalpha})
        setRightToLeft(box, false);
    for (QLineEdit* box : {txtzon, txtele, txtpre, txttem, txthum, txtalpha})
        box->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    // The names and the coordinates read left to right in either language.
    for (QWidget* w : std::initializer_list<QWidget*>{List1, txtname, txtlongid, txtlongim,
                                                      txtlongis, txtlatid, txtlatim, txtlatis})
        w->setLayoutDirection(Qt::LeftToRight);
    // So do the unit marks, the two notes below the list and the time zone
    // box, which is only aligned right.
    for (QWidget* w : std::initializer_list<QWidget*>{lbllongid, lbllongim, lbllongis, lbllatid,
                                                      lbllatim, lbllatis, lblmod, lbladd, txtzon})
        w->setLayoutDirection(Qt::LeftToRight);

    mirrorChildren(this);
    // Right to left the row reads OK, Add, Modify, Delete, Cancel.
    const QPoint deletePlace = cmddel->pos();
    cmddel->move(cmdmod->pos());
    cmdmod->move(deletePlace);
}

bool frmlocation::readList(settings::SavedLocationsFile& list)
{
    // A missing loc.txt is an empty list; one that exists but cannot be read
    // must not be taken for empty, or the next rewrite would lose it.
    std::optional<platform::FileFault> why;
    const bool read = settings::readSavedLocationsFile(list, &why);
    // Read at the load, the list is told of before the dialog is shown: the
    // dialog takes the place it will be shown at first, so that the message
    // opens over it and not at the corner of the screen.
    if (!isVisible() && (!read || (!damageTold_ && !list.damagedLines().empty())))
        adjustPosition(parentWidget() ? parentWidget() : QApplication::activeWindow());
    if (!read) {
        QString detail;
        if (why)
            detail = QString::fromStdString(english_ ? why->detail() : why->detailArabic());
        reportReadFailure(this, english_, QStringLiteral("loc.txt"), detail);
        return false;
    }
    // An edit goes through all the same: it writes back every line it does
    // not edit as its bytes, so the damaged ones wait for a mend by hand
    // while the places around them can still be added, changed and deleted.
    if (!damageTold_ && !list.damagedLines().empty()) {
        damageTold_ = true;
        const QString text = QString::fromStdString(settings::damagedLinesMessage(list, english_));
        warn(this, english_, text, QStringLiteral("File Error"), text, QStringLiteral("خطأ"));
    }
    return true;
}

bool frmlocation::writeList(const settings::SavedLocationsFile& list)
{
    const settings::SaveResult result = settings::writeSavedLocationsFile(list);
    if (!result)
        reportSaveFailure(this, english_, QStringLiteral("loc.txt"), result.error);
    return result.ok;
}

void frmlocation::fillList(const settings::SavedLocationsFile& list)
{
    QStringList names;
    for (const settings::SavedLocation& loc : list.places())
        names << platform::settingsText(loc.locname);
    std::stable_sort(names.begin(), names.end(), alphabetical);
    const QSignalBlocker block(List1);
    List1->clear();
    List1->addItems(names);
}

void frmlocation::selectEntry(int row)
{
    {
        const QSignalBlocker block(List1);
        List1->setCurrentRow(row);
    }
    if (row >= 0)
        List1_Click();
}

void frmlocation::selectName(const QString& name)
{
    for (int row = 0; row < List1->count(); ++row) {
        if (List1->item(row)->text() == name) {
            selectEntry(row);
            return;
        }
    }
}

void frmlocation::List1_Click()
{
    const QListWidgetItem* item = List1->currentItem();
    if (!item)
        return;
    for (const settings::SavedLocation& loc : settings::readSavedLocations()) {
        if (platform::settingsText(loc.locname) == item->text()) {
            showSaved(loc);
            return;
        }
    }
}

void frmlocation::showSaved(const settings::SavedLocation& loc)
{
    setOption(loc.ns.value_or(0) == 1 ? optn : opts, true);
    setOption(loc.ew.value_or(0) == 1 ? opte : optw, true);
    nameBytes_ = loc.locname;
    alphaBytes_ = loc.alpha;
    txtname->setText(platform::settingsText(loc.locname));
    txtlatid->setText(numberText(loc.latid));
    txtlatim->setText(numberText(loc.latim));
    txtlatis->setText(numberText(loc.latis));
    txtlongid->setText(numberText(loc.longid));
    txtlongim->setText(numberText(loc.longim));
    txtlongis->setText(numberText(loc.longis));
    txtzon->setText(numberText(loc.zon));
    txtele->setText(numberText(loc.ele));
    txtcity->setText(numberText(loc.city));
    txtpre->setText(numberText(loc.pres));
    txttem->setText(numberText(loc.temp));
    txthum->setText(numberText(loc.hum));
    txtalpha->setText(platform::settingsText(loc.alpha));
}

std::string frmlocation::nameToStore() const
{
    return platform::settingsBytes(txtname->text(), nameBytes_);
}

settings::SavedLocation frmlocation::savedFromBoxes() const
{
    settings::SavedLocation loc;
    loc.locname = nameToStore();
    loc.latid = boxNumber(txtlatid->text());
    loc.latim = boxNumber(txtlatim->text());
    loc.latis = boxNumber(txtlatis->text());
    loc.longid = boxNumber(txtlongid->text());
    loc.longim = boxNumber(txtlongim->text());
    loc.longis = boxNumber(txtlongis->text());
    if (optn->isChecked() || opts->isChecked())
        loc.ns = optn->isChecked() ? 1 : 0;
    if (opte->isChecked() || optw->isChecked())
        loc.ew = opte->isChecked() ? 1 : 0;
    loc.zon = boxNumber(txtzon->text());
    loc.ele = boxNumber(txtele->text());
    loc.city = boxNumber(txtcity->text());
    loc.pres = boxNumber(txtpre->text());
    loc.temp = boxNumber(txttem->text());
    loc.hum = boxNumber(txthum->text());
    loc.alpha = platform::settingsBytes(txtalpha->text(), alphaBytes_);
    return loc;
}

settings::CurrentLocation frmlocation::currentFromBoxes() const
{
    settings::CurrentLocation loc;
    loc.locname = nameToStore();
    loc.longid = boxNumber(txtlongid->text());
    loc.longim = boxNumber(txtlongim->text());
    loc.longis = boxNumber(txtlongis->text());
    loc.latid = boxNumber(txtlatid->text());
    loc.latim = boxNumber(txtlatim->text());
    loc.latis = boxNumber(txtlatis->text());
    loc.ele = boxNumber(txtele->text());
    loc.zon = boxNumber(txtzon->text());
    loc.east = opte->isChecked();
    loc.north = optn->isChecked();
    loc.west = optw->isChecked();
    loc.south = opts->isChecked();
    loc.city = boxNumber(txtcity->text());
    loc.pres = boxNumber(txtpre->text());
    loc.temp = boxNumber(txttem->text());
    loc.hum = boxNumber(txthum->text());
    loc.alpha = platform::settingsBytes(txtalpha->text(), alphaBytes_);
    return loc;
}

bool frmlocation::boxesAreSavable()
{
    // The settings line cannot carry a double quote in its texts, and the
    // refraction divides by the pressure's gas term and by the lapse rate: a
    // value that would break it is refused here rather than in every reader.
    if (!acceptSettingsText(this, english_, txtname) ||
        !acceptSettingsText(this, english_, txtalpha))
        return false;
    // A number beyond the range would be stored as 0 (and a lapse rate of
    // 1e309 refused as nought): each box says so under its own name first.
    const struct {
        QLineEdit* box;
        const char* title;
        const char* english;
        const char* arabic;
        const char* name; // what the box holds, as its refusals name it
        const char* arabicName;
    } numberBoxes[] = {
        {txtlongid, "Longitude Error", "The number of degrees of the longitude is too large!",
         "عدد درجات خط الطول كبير جدا", "the degrees of the longitude", "درجات خط الطول"},
        {txtlongim, "Longitude Error", "The number of minutes of the longitude is too large!",
         "عدد دقائق خط الطول كبير جدا", "the minutes of the longitude", "دقائق خط الطول"},
        {txtlongis, "Longitude Error", "The number of seconds of the longitude is too large!",
         "عدد ثواني خط الطول كبير جدا", "the seconds of the longitude", "ثواني خط الطول"},
        {txtlatid, "Latitude Error", "The number of degrees of the latitude is too large!",
         "عدد درجات خط العرض كبير جدا", "the degrees of the latitude", "درجات خط العرض"},
        {txtlatim, "Latitude Error", "The number of minutes of the latitude is too large!",
         "عدد دقائق خط العرض كبير جدا", "the minutes of the latitude", "دقائق خط العرض"},
        {txtlatis, "Latitude Error", "The number of seconds of the latitude is too large!",
         "عدد ثواني خط العرض كبير جدا", "the seconds of the latitude", "ثواني خط العرض"},
        {txtzon, "Location Error", "The time zone is too large a number!",
         "النطاق الزمني رقم كبير جدا", "the time zone", "النطاق الزمني"},
        {txtele, "Location Error", "The elevation is too large a number!", "الإرتفاع رقم كبير جدا",
         "the elevation", "الإرتفاع"},
        {txtcity, "Location Error", "The distance in the City Settings is too large a number!",
         "المسافة في مواقيت المدينة رقم كبير جدا", "the distance in the City Settings",
         "المسافة في مواقيت المدينة"},
        {txtpre, "Refraction Error", "The air pressure is too large a number!",
         "الضغط الجوي رقم كبير جدا", "the air pressure", "الضغط الجوي"},
        {txttem, "Refraction Error", "The temperature is too large a number!",
         "درجة الحرارة رقم كبير جدا", "the temperature", "درجة الحرارة"},
        {txthum, "Refraction Error", "The relative humidity is too large a number!",
         "الرطوبة النسبية رقم كبير جدا", "the relative humidity", "الرطوبة النسبية"},
    };
    for (const auto& b : numberBoxes) {
        if (refuseLineEnd(this, english_, b.box, LineEnds::Anywhere, b.name, b.arabicName,
                          QString::fromUtf8(b.title), QStringLiteral("خطأ")) ||
            refuseOverflow(this, english_, b.box->text(), b.box, QString::fromUtf8(b.english),
                           QString::fromUtf8(b.title), QString::fromUtf8(b.arabic),
                           QStringLiteral("خطأ")))
            return false;
    }
    const auto refuseAs = [this](const char* title, QLineEdit* box, const QString& englishText,
                                 const QString& arabicText) {
        warn(this, english_, englishText, QString::fromUtf8(title), arabicText,
             QStringLiteral("خطأ"));
        box->setFocus();
        return false;
    };
    const auto refuse = [&refuseAs](QLineEdit* box, const char* englishText,
                                    const char* arabicText) {
        return refuseAs("Refraction Error", box, QString::fromUtf8(englishText),
                        QString::fromUtf8(arabicText));
    };
    // Beyond the pole the engine takes the latitude for another place.
    if (!settings::isLatitude(boxNumber(txtlatid->text()), boxNumber(txtlatim->text()),
                              boxNumber(txtlatis->text()))) {
        const QString limit = numberText(settings::kLastLatitude);
        return refuseAs("Latitude Error", txtlatid,
                        QStringLiteral("The latitude can not be more than %1 degrees!").arg(limit),
                        QStringLiteral("خط العرض لا يمكن أن يزيد عن %1 درجة").arg(limit));
    }
    // A zone beyond every clock on Earth wraps the day's times round the
    // clock; the readers take such a loc.zvd for damaged, so it is not saved.
    if (!settings::isTimeZone(boxNumber(txtzon->text()))) {
        const QString first = QString::fromStdString(settings::signedHours(settings::kFirstZone));
        const QString last = QString::fromStdString(settings::signedHours(settings::kLastZone));
        return refuseAs(
            "Location Error", txtzon,
            QStringLiteral("The time zone must be between %1 and %2 hours!").arg(first, last),
            QStringLiteral("النطاق الزمني يجب أن يكون بين %1 و %2 ساعة")
                .arg(platform::numberInMessage(first, false),
                     platform::numberInMessage(last, false)));
    }
    // Far above or below any place the horizon's dip gives a Dhuhr with
    // the Sun "Down"; the readers take such a loc.zvd for damaged.
    if (!settings::isElevation(boxNumber(txtele->text()))) {
        const QString lowest = numberText(settings::kLowestElevation);
        const QString highest = numberText(settings::kHighestElevation);
        return refuseAs(
            "Location Error", txtele,
            QStringLiteral("The elevation must be between %1 and %2 metres!").arg(lowest, highest),
            QStringLiteral("الإرتفاع يجب أن يكون بين %1 و %2 متر")
                .arg(platform::numberInMessage(lowest, false), highest));
    }
    // The reader of loc.txt takes a place that holds what is refused below
    // for a damaged line: the rules are the records' own.
    if (!settings::isAirPressure(boxNumber(txtpre->text())))
        return refuse(txtpre, "The air pressure can not be negative!",
                      "الضغط الجوي لا يمكن أن يكون سالبا");
    if (!settings::isAirTemperature(boxNumber(txttem->text()))) {
        const QString zero = numberText(settings::kAbsoluteZero);
        return refuseAs("Refraction Error", txttem,
                        QStringLiteral("The temperature must be above %1 °C!").arg(zero),
                        QStringLiteral("درجة الحرارة يجب أن تكون أعلى من %1 م")
                            .arg(platform::numberInMessage(zero, false)));
    }
    double alpha = 0;
    bool alphaOverflows = false;
    const bool alphaRead =
        settings::lapseRate(txtalpha->text().toStdString(), alpha, &alphaOverflows);
    if (alphaOverflows)
        return refuse(txtalpha, "Alpha (the temperature lapse rate) is too large a number!",
                      "تغير الحرارة رقم كبير جدا");
    if (!alphaRead || alpha == 0)
        return refuse(txtalpha, "Alpha (the temperature lapse rate) must be a number other than 0!",
                      "تغير الحرارة يجب أن يكون رقما غير الصفر");
    return true;
}

void frmlocation::cmdadd_Click()
{
    if (!boxesAreSavable())
        return;
    if (!askYesNo(this, english_, QStringLiteral("Are you sure you want to add this location?"),
                  QStringLiteral("Add"), QStringLiteral("هل أنت متأكد من إضافة هذا الموقع ؟"),
                  QStringLiteral("إضافة")))
        return;
    settings::SavedLocationsFile list;
    if (!readList(list))
        return;
    const std::string name = nameToStore();
    for (const settings::SavedLocation& loc : list.places()) {
        if (loc.locname == name) {
            warn(this, english_, QStringLiteral("You Can Not Have Two Locations of the Same Name!"),
                 QStringLiteral("Name Error"), QStringLiteral("لا يمكن إضافة موقعين بنفس الاسم"),
                 QStringLiteral("خطأ"));
            return;
        }
    }
    if (!appendPlace(list) || !writeList(list))
        return;
    fillList(list);
    selectName(platform::settingsText(name));
}

bool frmlocation::appendPlace(settings::SavedLocationsFile& list)
{
    // boxesAreSavable has refused what the line could not carry; this only
    // keeps a place that would not read back as itself out of the file.
    std::string english, arabic;
    if (list.appendPlace(savedFromBoxes(), english, arabic))
        return true;
    const QString file = QStringLiteral("loc.txt");
    warn(this, english_,
         QStringLiteral("This location can not be saved in %1:\n%2\nNothing was changed.")
             .arg(file, QString::fromStdString(english)),
         QStringLiteral("Save Error"),
         QStringLiteral("لا يمكن حفظ هذا الموقع في الملف %1:\n%2\nلم يتم تغيير شيء")
             .arg(platform::pathInMessage(file, false), QString::fromStdString(arabic)),
         QStringLiteral("خطأ"));
    return false;
}

void frmlocation::cmdmod_Click()
{
    if (!boxesAreSavable())
        return;
    if (!askYesNo(this, english_, QStringLiteral("Are you sure you want to modify this location?"),
                  QStringLiteral("Modify"), QStringLiteral("هل أنت متأكد من هذا التعديل ؟"),
                  QStringLiteral("تعديل")))
        return;
    settings::SavedLocationsFile list;
    if (!readList(list))
        return;
    const std::string name = nameToStore();
    list.removePlaces(name);
    // The edited line goes to the end of the file.
    if (!appendPlace(list) || !writeList(list))
        return;
    fillList(list);
    selectName(platform::settingsText(name));
}

void frmlocation::cmddel_Click()
{
    if (!askYesNo(this, english_, QStringLiteral("Are you sure you want to delete this location?"),
                  QStringLiteral("Delete"), QStringLiteral("هل أنت متأكد من حذف هذا الموقع؟"),
                  QStringLiteral("حذف")))
        return;
    if (!askYesNo(this, english_, QStringLiteral("Again... You will delete this location!"),
                  QStringLiteral("Delete"),
                  QStringLiteral("مرة أخرى... سيتم حذف هذا الموقع نهائيا"), QStringLiteral("حذف")))
        return;
    settings::SavedLocationsFile list;
    if (!readList(list))
        return;
    list.removePlaces(nameToStore());
    if (!writeList(list))
        return;
    fillList(list);
    if (List1->count() > 0)
        selectEntry(0);
}

void frmlocation::cmdok_Click()
{
    if (!boxesAreSavable())
        return;
    const settings::SaveResult result = settings::writeCurrentLocation(currentFromBoxes());
    if (!result) {
        reportSaveFailure(this, english_, QStringLiteral("loc.zvd"), result.error);
        return;
    }
    emit saved();
    accept();
}

void frmlocation::cmdcancel_Click()
{
    reject();
}
