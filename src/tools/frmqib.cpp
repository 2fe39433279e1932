#include "frmqib.h"

#include <cmath>

#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "engine/meridian.h"
#include "engine/modgeneral.h"
#include "frmqmap.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/settingstext.h"
#include "platform/qt/textroom.h"
#include "platform/qt/textviewer.h"
#include "qibla.h"
#include "qiblareport.h"
#include "settings/dialogs/dialogsupport.h"
#include "settings/records.h"
#include "sharedwindows/frmwait.h"
#include "sharedwindows/progresshost.h"

using dialogs::place;
using dialogs::twips;

namespace qiblawindow {

namespace {
// The needle: from the compass centre, 960 twips long.
constexpr int kNeedleX = 3015, kNeedleY = 3000, kNeedleLength = 960;
} // namespace

LineControl::LineControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::setLine(int x1, int y1, int x2, int y2)
{
    x1_ = x1, y1_ = y1, x2_ = x2, y2_ = y2;
    // The box of the segment with a pixel to spare on each side for the pen.
    const int left = twips(std::min(x1, x2)) - 2, top = twips(std::min(y1, y2)) - 2;
    const int right = twips(std::max(x1, x2)) + 2, bottom = twips(std::max(y1, y2)) + 2;
    setGeometry(left, top, right - left + 1, bottom - top + 1);
    update();
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().windowText(), 2));
    const QPoint origin = pos();
    p.drawLine(QPoint(twips(x1_), twips(y1_)) - origin, QPoint(twips(x2_), twips(y2_)) - origin);
}

ShapeControl::ShapeControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().windowText(), 1));
    p.drawEllipse(rect().adjusted(1, 1, -1, -1));
}

} // namespace qiblawindow

using qiblawindow::kNeedleLength;
using qiblawindow::kNeedleX;
using qiblawindow::kNeedleY;

frmqib::frmqib()
{
    setObjectName(QStringLiteral("frmqib"));
    createControls();
    Form_Load();
}

void frmqib::createControls()
{
    setWindowTitle(QStringLiteral("Qiblah Direction"));
    setFixedSize(twips(6315), twips(7995));

    fraqib = new QFrame(this);
    fraqib->setObjectName(QStringLiteral("fraqib"));
    place(fraqib, 120, 0, 6075, 7695);

    auto label = [this](const char* name, const QString& text, int left, int top) {
        auto* l = new QLabel(text, fraqib);
        l->setObjectName(QLatin1String(name));
        l->move(twips(left), twips(top));
        l->adjustSize();
        return l;
    };
    QFont heading(QStringLiteral("Times New Roman"), 20, QFont::Bold);

    lblhead = label("lblhead", QStringLiteral("Qiblah Direction"), 1200, 360);
    lblhead->setFont(heading);
    lblhead->adjustSize();
    lblloc = label("lblloc", QStringLiteral("Label1"), 2535, 1080);
    Shape1 = new qiblawindow::ShapeControl(fraqib);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    place(Shape1, 1800, 1920, 2415, 2175);
    lbln = label("lbln", QStringLiteral("N"), 2955, 1680);
    lble = label("lble", QStringLiteral("E"), 4245, 2880);
    lbls = label("lbls", QStringLiteral("S"), 2955, 4200);
    lblw = label("lblw", QStringLiteral("W"), 1680, 2880);
    lin1 = new qiblawindow::LineControl(fraqib);
    lin1->setObjectName(QStringLiteral("lin1"));
    lin1->setLine(kNeedleX, kNeedleY, kNeedleX, kNeedleY - kNeedleLength);
    lblang = label("lblang", QStringLiteral("Label1"), 2600, 4560);
    Line1 = new qiblawindow::LineControl(fraqib);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setLine(240, 5160, 5760, 5160);
    lblqibtim = label("lblqibtim", QStringLiteral("Qiblah Times"), 1920, 5400);
    lblqibtim->setFont(heading);
    lblqibtim->adjustSize();

    optsun = new QRadioButton(QStringLiteral("Find the time when the Sun is at Qiblah direction"),
                              fraqib);
    optsun->setObjectName(QStringLiteral("optsun"));
    place(optsun, 240, 6000, 5600, 375);
    optsun->setChecked(true);
    optsha = new QRadioButton(
        QStringLiteral("Find the time when the Sun's shadow  is at Qiblah direction"), fraqib);
    optsha->setObjectName(QStringLiteral("optsha"));
    place(optsha, 240, 6480, 5600, 375);

    cmdqib = new QPushButton(QStringLiteral("&Find Qiblah Times"), fraqib);
    cmdqib->setObjectName(QStringLiteral("cmdqib"));
    place(cmdqib, 360, 7080, 1455, 495);
    connect(cmdqib, &QPushButton::clicked, this, &frmqib::cmdqib_Click);
    cmdshowqmap = new QPushButton(QStringLiteral("Show &Qiblah  Map"), fraqib);
    cmdshowqmap->setObjectName(QStringLiteral("cmdshowqmap"));
    place(cmdshowqmap, 2280, 7080, 1455, 495);
    connect(cmdshowqmap, &QPushButton::clicked, this, &frmqib::cmdshowqmap_Click);

    cmdclose = new QPushButton(QStringLiteral("Clo&se"), this);
    cmdclose->setObjectName(QStringLiteral("cmdclose"));
    place(cmdclose, 4440, 7080, 1455, 495);
    cmdclose->raise();
    connect(cmdclose, &QPushButton::clicked, this, &frmqib::cmdclose_Click);
}

void frmqib::switchToArabic()
{
    const QFont arabic(QStringLiteral("arabic Transparent"), 24);
    setWindowTitle(QStringLiteral("اتجاه القبلة"));
    setLayoutDirection(Qt::RightToLeft);
    lblhead->setText(QStringLiteral("اتجاه القبلة"));
    lblhead->setFont(arabic);
    lblhead->adjustSize();
    lblqibtim->setText(QStringLiteral("مواعيد القبلة"));
    lblqibtim->setFont(arabic);
    lblqibtim->adjustSize();
    cmdclose->setText(QStringLiteral("إ&غلاق"));
    dialogs::setLeft(cmdclose, 660);
    cmdshowqmap->setText(QStringLiteral("&عرض خارطة القبلة"));
    auto point = [](QLabel* l, const QString& text, int left) {
        l->setText(text);
        l->adjustSize();
        dialogs::setLeft(l, left);
    };
    point(lbln, QStringLiteral("شمال"), 2820);
    point(lbls, QStringLiteral("جنوب"), 2820);
    lbls->move(lbls->x(), twips(4100));
    point(lble, QStringLiteral("شرق"), 4120);
    point(lblw, QStringLiteral("غرب"), 1570);
    cmdqib->setText(QStringLiteral("&احسب مواعيد القبلة"));
    dialogs::setLeft(cmdqib, 4000);
    optsun->setText(QStringLiteral("جد الوقت عندما تكون الشمس باتجاة القبلة"));
    dialogs::setRightToLeft(optsun, true);
    optsha->setText(QStringLiteral("جد الوقت عندما يكون ظل الشمس باتجاة القبلة"));
    dialogs::setRightToLeft(optsha, true);
}

void frmqib::Form_Load()
{
    pi = kPi15;
    const settings::Preferences pref = settings::readPreferences();
    english_ = pref.eng;
    if (!english_)
        switchToArabic();
    // Read strictly in both languages: going on without the place would show
    // the bearing of longitude 0, latitude 0 as if it were the user's.
    const settings::CurrentLocation loc = settings::readCurrentLocation();

    const qibla::Bearing bearing =
        qibla::qiblaBearing(meridianLongitude(loc.longitude()), loc.latitude());
    defined_ = bearing.defined;
    qibang = defined_ ? qibla::roundedBearing(bearing.degrees) : 0;

    const QString number = QString::fromStdString(qibla::shortestText(qibang));
    if (!defined_)
        lblang->setText(english_ ? QStringLiteral("Every direction is the Qiblah here")
                                 : QStringLiteral("كل الاتجاهات قبلة في هذا المكان"));
    else
        lblang->setText(english_ ? number + QStringLiteral("° From True North")
                                 : number + QStringLiteral("° من الشمال الحقيقي"));
    lblang->adjustSize();
    if (!english_) {
        dialogs::setRightToLeft(lblang, false);
        dialogs::setLeft(lblang, 1750);
    }
    lblloc->setText(platform::settingsText(loc.locname));
    lblloc->adjustSize();
    // A place name too long for the frame is cut short, whole in its tooltip.
    const int room = fraqib->width() - lblloc->x() - twips(120);
    if (lblloc->width() > room) {
        lblloc->resize(room, lblloc->height());
        platform::setElidedText(lblloc, platform::settingsText(loc.locname));
    }

    const double a = qibang * pi / 180;
    lin1->setLine(kNeedleX, kNeedleY,
                  static_cast<int>(std::lround(kNeedleX + kNeedleLength * std::sin(a))),
                  static_cast<int>(std::lround(kNeedleY - kNeedleLength * std::cos(a))));
    // Where every direction is the Qibla a needle would point to one of them.
    lin1->setVisible(defined_);
    // West and East sit just outside the circle, whatever their width in the
    // language's font, so that its line does not cross them.
    const QRect circle = Shape1->geometry();
    lblw->move(circle.left() - lblw->width() - 2, lblw->y());
    lble->move(circle.right() + 3, lble->y());
    platform::makeRoomForTexts(this, english_);
}

void frmqib::cmdclose_Click()
{
    close();
}

void frmqib::cmdshowqmap_Click()
{
    if (showMap) {
        showMap();
        return;
    }
    frmqmap map(this);
    map.exec();
}

void frmqib::cmdqib_Click()
{
    if (!defined_) {
        platform::msgBox(this,
                         english_ ? QStringLiteral("The Qiblah direction is not defined at this "
                                                   "place: every direction leads to the Kaaba.")
                                  : QStringLiteral("اتجاه القبلة غير محدد في هذا المكان: كل "
                                                   "الاتجاهات تؤدي إلى الكعبة."),
                         english_ ? QStringLiteral("Qiblah Times")
                                  : QStringLiteral("مواعيد القبلة"),
                         english_, platform::MsgIcon::Information);
        return;
    }
    qibla::QiblaRunResult result;
    {
        LongComputation run(this);
        if (!run.started())
            return;
        ProgressHost<prayer::RunHost> host(&run);
        result = qibla::runQiblaTimesReport(qibang, optsun->isChecked(), &host);
    }
    // A refused run has said why already and tried no write.
    if (!result.written && !result.refused) {
        const QString why = platform::reasonText(result.writeError, english_);
        platform::msgBox(
            this,
            english_
                ? QStringLiteral("The report could not be written to %1: %2")
                      .arg(QLatin1String(qibla::kQiblaReportFile), why)
                : QStringLiteral("تعذرت كتابة التقرير في الملف %1: %2")
                      .arg(platform::pathInMessage(QLatin1String(qibla::kQiblaReportFile), false),
                           why),
            english_ ? QStringLiteral("Qiblah Times") : QStringLiteral("مواعيد القبلة"), english_,
            platform::MsgIcon::Critical);
    }
}

double frmqib::range(double& var)
{
    return qibla::range(var);
}

double frmqib::rangeh(double& var)
{
    return qibla::rangeh(var);
}
