#include "frmalerts.h"

#include <filesystem>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "dialogsupport.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "platform/qt/autostart.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/programs.h"
#include "platform/qt/textroom.h"
#include "settings/records.h"

using namespace dialogs;

namespace {

const QString kAlertProgram = QStringLiteral("adhanbell");
const QString kEntryName = QStringLiteral("Miqatix");

QString absolutePath(const std::filesystem::path& p)
{
    return QString::fromStdString(std::filesystem::absolute(p).lexically_normal().string());
}

} // namespace

frmalerts::frmalerts(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmalerts"));
    setModal(true);
    createControls();
    Form_Load();
}

void frmalerts::createControls()
{
    setWindowTitle(QStringLiteral("Alerts"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(twips(6840), twips(4740));

    fraale = make<QGroupBox>(this, "fraale", QStringLiteral("Alert Settings"));
    place(fraale, 120, 120, 6600, 3960);
    chkpep = make<QCheckBox>(fraale, "chkpep", QStringLiteral("Make Beep"));
    place(chkpep, 120, 300, 1440, 255);
    txtpep = make<QLineEdit>(fraale, "txtpep", QStringLiteral("10"));
    place(txtpep, 1620, 270, 600, 285);
    lblpep = make<QLabel>(fraale, "lblpep", QStringLiteral("Minute(s) Before Prayer Time."));
    place(lblpep, 2340, 300, 3000, 255);
    chkpra =
        make<QCheckBox>(fraale, "chkpra", QStringLiteral("Show Pop-up Window and Release Athan."));
    place(chkpra, 120, 660, 6360, 255);
    chkpopup = make<QCheckBox>(fraale, "chkpopup",
                               QStringLiteral("Only Show Pop-Up Window at Prayer Time."));
    place(chkpopup, 120, 960, 6360, 255);
    lblprao = make<QLabel>(fraale, "lblprao",
                           QStringLiteral("Please choose which Athan do you wish to hear at each "
                                          "prayer time. By default, Fajer Athan is the Jerusalem "
                                          "Athan."));
    lblprao->setWordWrap(true);
    place(lblprao, 120, 1290, 6360, 480);

    const auto adhanFrame = [this](QGroupBox*& frame, const char* frameName, const char* title,
                                   int left, int top, QRadioButton*& mecca, const char* meccaName,
                                   QRadioButton*& jerusalem, const char* jerusalemName) {
        frame = make<QGroupBox>(fraale, frameName, QLatin1String(title));
        place(frame, left, top, 3120, 900);
        mecca = make<QRadioButton>(frame, meccaName, QStringLiteral("Mecca Athan"));
        place(mecca, 120, 300, 2880, 255);
        jerusalem = make<QRadioButton>(frame, jerusalemName, QStringLiteral("Jerusalem Athan"));
        place(jerusalem, 120, 570, 2880, 255);
        mecca->setChecked(true);
    };
    adhanFrame(fradoh, "fradoh", "Dhohur Athan", 120, 1860, optdhrh, "optdhrh", optdhre, "optdhre");
    adhanFrame(fraasr, "fraasr", "Aser Athan", 3360, 1860, optasrh, "optasrh", optasre, "optasre");
    adhanFrame(framag, "framag", "Maghreb Athan", 120, 2880, optmagh, "optmagh", optmage,
               "optmage");
    adhanFrame(fraish, "fraish", "Isha Athan", 3360, 2880, optishh, "optishh", optishe, "optishe");

    cmdok = make<QPushButton>(this, "cmdok", QStringLiteral("&Ok"));
    place(cmdok, 1200, 4230, 1215, 375);
    cmdcan = make<QPushButton>(this, "cmdcan", QStringLiteral("&Cancel"));
    place(cmdcan, 4425, 4230, 1215, 375);
    cmdok->setAutoDefault(false);
    cmdcan->setAutoDefault(false);

    selectWholeTextOnFocus(txtpep);

    connect(chkpep, &QCheckBox::toggled, this, [this] { chkpep_Click(); });
    connect(chkpra, &QCheckBox::toggled, this, [this] { chkpra_Click(); });
    connect(chkpopup, &QCheckBox::toggled, this, [this] { chkpopup_Click(); });
    connect(cmdok, &QPushButton::clicked, this, [this] { cmdok_Click(); });
    connect(cmdcan, &QPushButton::clicked, this, [this] { cmdcan_Click(); });
}

void frmalerts::Form_Load()
{
    english_ = settings::readPreferences().eng;
    if (!english_)
        switchToArabic();

    const settings::AlertSettings a = settings::readAlertSettings();
    chkpep->setChecked(a.beep == 1);
    txtpep->setEnabled(chkpep->isChecked());
    chkpra->setChecked(a.adhan == 1);
    chkpopup->setChecked(a.popup == 1);
    txtpep->setText(numberText(a.beepmin));
    if (!chkpra->isChecked())
        enableAdhanChoices(false);
    setOption(a.dhrmecca ? optdhrh : optdhre, true);
    setOption(a.asrmecca ? optasrh : optasre, true);
    setOption(a.magmecca ? optmagh : optmage, true);
    setOption(a.ishmecca ? optishh : optishe, true);
    platform::makeRoomForTexts(this, english_);
}

void frmalerts::switchToArabic()
{
    setWindowTitle(QStringLiteral("المنبه"));
    fraale->setTitle(QStringLiteral("خيارات المنبه"));
    chkpep->setText(QStringLiteral("اصدر صوت قبل"));
    lblpep->setText(QStringLiteral("دقائق من موعد الآذان"));
    chkpra->setText(QStringLiteral(" إظهار نافذة و سماع الآذان عندما يحين موعد الصلاة"));
    chkpopup->setText(QStringLiteral("إظهار نافذة فقط عندما يحين موعد الصلاة"));
    lblprao->setText(QStringLiteral("يرجى اختيار الآذان الذي تفضل سماعه عند موعد كل صلاة سيتم "
                                    "سماع آذان القدس لآذان الفجر"));
    fradoh->setTitle(QStringLiteral("آذان الظهر"));
    fraasr->setTitle(QStringLiteral("آذان العصر"));
    framag->setTitle(QStringLiteral("آذان المغرب"));
    fraish->setTitle(QStringLiteral("آذان العشاء"));
    for (QRadioButton* o : {optdhrh, optasrh, optmagh, optishh})
        o->setText(QStringLiteral("آذان مكة"));
    for (QRadioButton* o : {optdhre, optasre, optmage, optishe})
        o->setText(QStringLiteral("آذان القدس"));
    cmdok->setText(QStringLiteral("&موافق"));
    cmdcan->setText(QStringLiteral("&خروج"));

    setLayoutDirection(Qt::RightToLeft);
    for (QGroupBox* frame : {fraale, fradoh, fraasr, framag, fraish})
        frame->setLayoutDirection(Qt::RightToLeft);
    for (QCheckBox* c : {chkpep, chkpra, chkpopup})
        setRightToLeft(c, true);
    for (QRadioButton* o : {optdhrh, optasrh, optmagh, optishh, optdhre, optasre, optmage, optishe})
        setRightToLeft(o, true);
    setRightToLeft(lblpep, false);
    // The minutes box and the adhan note keep their direction; the note is
    // only aligned right.
    txtpep->setLayoutDirection(Qt::LeftToRight);
    lblprao->setLayoutDirection(Qt::LeftToRight);
    lblprao->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
    mirrorChildren(this);
}

void frmalerts::enableAdhanChoices(bool enabled)
{
    for (QWidget* w :
         std::initializer_list<QWidget*>{fradoh, fraasr, framag, fraish, optdhrh, optasrh, optmagh,
                                         optishh, optdhre, optasre, optmage, optishe, lblprao})
        w->setEnabled(enabled);
}

void frmalerts::chkpep_Click()
{
    txtpep->setEnabled(chkpep->isChecked());
}

void frmalerts::chkpra_Click()
{
    enableAdhanChoices(chkpra->isChecked());
    if (chkpra->isChecked())
        chkpopup->setChecked(false);
}

void frmalerts::chkpopup_Click()
{
    if (!chkpopup->isChecked())
        return;
    chkpra->setChecked(false);
    chkpra_Click();
}

bool frmalerts::Create_ShortCut(const QString& TargetPath, const QString& ShortCutname,
                                const QString& WorkPath, QString& error)
{
    return platform::createAutostartEntry(ShortCutname,
                                          QString::fromLatin1(platform::kAlertProgramCaption),
                                          TargetPath, WorkPath, error);
}

void frmalerts::tellFailure(const QString& englishText, const QString& arabicText,
                            const QString& why)
{
    platform::msgBox(this,
                     (english_ ? englishText : arabicText) + QStringLiteral("\n") +
                         platform::reasonText(why, english_),
                     english_ ? QStringLiteral("Alerts") : QStringLiteral("المنبه"), english_,
                     platform::MsgIcon::Warning);
}

void frmalerts::cmdok_Click()
{
    // Before anything is started or changed: a number beyond the range would
    // be stored as 0 minutes.
    if (refuseLineEnd(this, english_, txtpep, LineEnds::Inside,
                      "the minutes before the prayer time", "الدقائق قبل موعد الآذان",
                      QStringLiteral("Alerts"), QStringLiteral("المنبه"), chkpep) ||
        refuseOverflow(this, english_, txtpep->text(), txtpep,
                       QStringLiteral("The number of minutes before the prayer time is too large!"),
                       QStringLiteral("Alerts"),
                       QStringLiteral("عدد الدقائق قبل موعد الآذان كبير جدا"),
                       QStringLiteral("المنبه"), chkpep))
        return;
    const bool anyOn = chkpep->isChecked() || chkpra->isChecked() || chkpopup->isChecked();
    // The entry as it was, so that a save that fails can put it back.
    const std::filesystem::path entryFile = platform::autostartFile(kEntryName).toStdString();
    std::error_code ec;
    const bool hadEntry = std::filesystem::exists(entryFile, ec);
    std::string oldEntry;
    const bool entryKept = !hadEntry || (std::filesystem::is_regular_file(entryFile, ec) &&
                                         platform::readWholeFile(entryFile, oldEntry));
    bool entryChanged = false;
    bool started = false;

    QString why;
    if (anyOn) {
        // Each step is tried whatever became of the one before: the alerts
        // of today matter more than the start at the next login.
        if (Create_ShortCut(absolutePath(platform::programFile(kAlertProgram.toStdString())),
                            kEntryName, absolutePath(platform::programFolder()), why))
            entryChanged = true;
        else
            tellFailure(QStringLiteral("Miqatix Alerts could not be set to start at login."),
                        QStringLiteral("تعذر ضبط المنبه ليبدأ عند تسجيل الدخول"), why);
        if (!platform::isProgramRunning(QString::fromLatin1(platform::kAlertProgramCaption))) {
            if (platform::startProgram(kAlertProgram, why))
                started = true;
            else
                tellFailure(QStringLiteral("Miqatix Alerts could not be started."),
                            QStringLiteral("تعذر تشغيل المنبه"), why);
        }
    } else if (platform::removeAutostartEntry(kEntryName, why)) {
        entryChanged = hadEntry;
    } else {
        tellFailure(QStringLiteral("Miqatix Alerts could not be kept from starting at login."),
                    QStringLiteral("تعذر إلغاء تشغيل المنبه عند تسجيل الدخول"), why);
    }

    settings::AlertSettings a;
    a.beep = chkpep->isChecked() ? 1 : 0;
    a.beepmin = boxNumber(txtpep->text());
    a.adhan = chkpra->isChecked() ? 1 : 0;
    a.popup = chkpopup->isChecked() ? 1 : 0;
    a.dhrmecca = optdhrh->isChecked();
    a.asrmecca = optasrh->isChecked();
    a.magmecca = optmagh->isChecked();
    a.ishmecca = optishh->isChecked();
    // Replaced atomically, so an adhanbell that has just started reads either
    // the old settings or the new ones, never half a line.
    const settings::SaveResult result = settings::writeAlertSettings(a);
    if (!result) {
        // The settings stay as they were: the start at login goes back to
        // how it was too. A program started here reads the old settings and
        // follows them (it ends at its first tick when they have every alert
        // off); that is said, not hidden.
        QString undoWhy;
        bool undone = true;
        if (entryChanged) {
            std::string reason;
            if (!hadEntry)
                undone = platform::removeAutostartEntry(kEntryName, undoWhy);
            else if (!entryKept)
                undone = false;
            else if (!platform::fileWriter().replaceFile(entryFile, oldEntry, reason)) {
                undone = false;
                undoWhy = QString::fromStdString(reason);
            }
        }
        tellSaveFailure(QString::fromStdString(result.error), started, undone, undoWhy);
        return;
    }
    emit saved();
    accept();
}

// Whether alert.zvd as it stands has the beep, the adhan and the pop-up all
// off: the alert program then ends at its first tick.
static bool savedAlertsOff()
{
    const auto f = settings::readRecordTolerant("alert.zvd", settings::kAlertSettingsKinds);
    auto off = [&f](size_t i) {
        return i < f.size() && f[i].kind() == settings::SettingsField::Kind::Number &&
               f[i].asNumber() == 0;
    };
    return off(0) && off(2) && off(3);
}

void frmalerts::tellSaveFailure(const QString& why, bool started, bool undone,
                                const QString& undoWhy)
{
    QStringList lines;
    lines << (english_ ? QStringLiteral("The settings could not be saved in %1: %2")
                       : QStringLiteral("تعذر حفظ الإعدادات في الملف %1: %2"))
                 .arg(platform::pathInMessage(QStringLiteral("alert.zvd"), english_),
                      platform::reasonText(why, english_));
    if (!started && undone)
        lines << (english_ ? QStringLiteral("Nothing was changed.")
                           : QStringLiteral("لم يتم تغيير شيء"));
    else
        lines << (english_ ? QStringLiteral("The alert settings stay as they were.")
                           : QStringLiteral("بقيت إعدادات المنبه كما كانت"));
    if (started && savedAlertsOff())
        lines << (english_ ? QStringLiteral("Miqatix Alerts was started, but the settings saved "
                                            "before have every alert off, so it ends again "
                                            "within seconds.")
                           : QStringLiteral("تم تشغيل المنبه، لكن كل التنبيهات متوقفة في الإعدادات "
                                            "المحفوظة من قبل، لذا سيتوقف خلال ثوان"));
    else if (started)
        lines << (english_ ? QStringLiteral("Miqatix Alerts was started and follows the settings "
                                            "saved before.")
                           : QStringLiteral("تم تشغيل المنبه وهو يتبع الإعدادات المحفوظة من قبل"));
    if (!undone) {
        QString line = english_ ? QStringLiteral("Its start at login was changed and could not "
                                                 "be put back as it was.")
                                : QStringLiteral("تم تغيير تشغيله عند تسجيل الدخول وتعذرت "
                                                 "إعادته كما كان");
        if (!undoWhy.isEmpty())
            line += QChar(' ') + platform::reasonText(undoWhy, english_);
        lines << line;
    }
    platform::msgBox(this, lines.join(QChar('\n')),
                     english_ ? QStringLiteral("Save Error") : QStringLiteral("خطأ"), english_,
                     platform::MsgIcon::Critical);
}

void frmalerts::cmdcan_Click()
{
    reject();
}
