#include "frmmap.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include "engine/moddateconv.h"
#include "engine/modday.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modmonth.h"
#include "lunar/gifwriter.h"
#include "mainwindow/frmwait.h"
#include "mainwindow/prayerreport.h"
#include "platform/eventloop.h"
#include "platform/fault.h"
#include "platform/programfolder.h"
#include "platform/qt/messagebox.h"
#include "settings/liveread.h"

namespace {

QString u(const std::string& s)
{
    return QString::fromStdString(s);
}

frmmap::SaveDialog& saveDialog()
{
    static frmmap::SaveDialog dialog = [](QWidget* parent, const QString& folder,
                                          const QString& name) {
        QFileDialog dlg(parent, QStringLiteral("Miqatix (Visibility Map)"), folder,
                        QStringLiteral("Picture (*.gif)"));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setDefaultSuffix(QStringLiteral("gif"));
        dlg.selectFile(name);
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()
                   ? dlg.selectedFiles().first()
                   : QString();
    };
    return dialog;
}

const char* const kLegends[2][3] = {
    {"Red: Impossible\r\nNo Color: Not Possible\r\nBlue: Need Optical Aid\r\nMagenta: Could be "
     "Seen by Naked Eye\r\nGreen: Easily Visible by Naked Eye\r\nCyan: Unknown",
     "Red: Impossible\r\nNo Color: Not Possible\r\nBlue: Need Optical Aid\r\nMagenta: May Need "
     "Optical Aid\r\nYellow: Naked Eye at Perfect Conditions\r\nGreen: Easily Visible by Naked "
     "Eye\r\nCyan: Unknown",
     "Red: Impossible\r\nNo Color: Not Possible\r\nBlue: Crescent Visibility is "
     "Improbable\r\nGreen: Crescent Visibility is Possible\r\nCyan: Unknown"},
    {"أحمر: مستحيل\r\nغير ملون: رؤية الهلال غير ممكنة\r\nكحلي: يحتاج مرقب/تلسكوب\r\nزهري: قد "
     "يرى بالعين المجردة\r\nأخضر: يرى بالعين المجردة بسهولة\r\nأزرق سماوي: غير معروف ",
     "أحمر: مستحيل\r\nغير ملون: رؤية الهلال غير ممكنة\r\nكحلي: يحتاج مرقب/تلسكوب\r\nزهري: قد "
     "يحتاج مرقب/تلسكوب\r\nأصفر: بالعين المجردة في حالة صفاء الجو\r\nأخضر: يرى بالعين "
     "المجردة بسهولة\r\nأزرق سماوي: غير معروف ",
     "أحمر: مستحيل\r\nغير ملون: رؤية الهلال غير ممكنة\r\nكحلي: رؤية الهلال غير "
     "محتملة\r\nأخضر: رؤية الهلال ممكنة\r\nأزرق سماوي: غير معروف "}};

QImage loadMapPicture()
{
    const std::filesystem::path path = platform::programFile("map.gif");
    QImage img(QString::fromStdString(path.string()));
    if (img.isNull())
        platform::stopProgram(platform::FileFault(platform::FileFaultKind::Missing, path.string()));
    return img.convertToFormat(QImage::Format_RGB32);
}

} // namespace

MapPicture::MapPicture(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void MapPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(0, 0, image);
}

void MapPicture::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit mouseMoved(at.x(), at.y());
}

frmmap::SaveDialog frmmap::setSaveDialog(SaveDialog dialog)
{
    SaveDialog old = saveDialog();
    saveDialog() = std::move(dialog);
    return old;
}

frmmap::frmmap()
{
    setObjectName(QStringLiteral("frmmap"));
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    Form_Load();
}

void frmmap::createControls()
{
    setWindowTitle(QStringLiteral("Miqatix: Crescent Visibility World Map"));
    pic = new MapPicture(this);
    pic->setObjectName(QStringLiteral("pic"));
    pic->setGeometry(8, 0, 780, 485);
    pic->image = loadMapPicture();
    connect(pic, &MapPicture::mouseMoved, this, &frmmap::pic_MouseMove);
    auto label = [](QWidget* parent, const char* name, const QString& text) {
        auto* l = new QLabel(text, parent);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    lblinf = label(pic, "lblinf", QStringLiteral("Information Label"));
    lblinf->setGeometry(15, 395, 185, 83);
    lblleg = label(pic, "lblleg", QStringLiteral("Legend Label"));
    lblleg->setGeometry(520, 395, 241, 83);
    for (QLabel* l : {lblinf, lblleg}) {
        l->setAutoFillBackground(true);
        l->setStyleSheet(QStringLiteral("color: white; background-color: rgb(0, 0, 192);"
                                        "font-size: 8pt;"));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    fravis = new QGroupBox(this);
    fravis->setObjectName(QStringLiteral("fravis"));
    fravis->setGeometry(16, 487, 385, 49);
    auto option = [this](const char* name, int leftTwips) {
        auto* o = new QRadioButton(fravis);
        o->setObjectName(QString::fromLatin1(name));
        o->setGeometry(leftTwips / 15, 240 / 15, 1815 / 15, 255 / 15 + 4);
        return o;
    };
    opt0 = option("opt0", 120);
    opt1 = option("opt1", 2040);
    opt2 = option("opt2", 3840);
    opt0->setChecked(true);
    fracri = new QGroupBox(QStringLiteral("Criterion"), this);
    fracri->setObjectName(QStringLiteral("fracri"));
    fracri->setGeometry(424, 487, 97, 49);
    cbocri = new QComboBox(this);
    cbocri->setObjectName(QStringLiteral("cbocri"));
    cbocri->setGeometry(428, 504, 89, 24);
    lblmouse = label(this, "lblmouse", QStringLiteral("Mouse Position"));
    lblmouse->setGeometry(544, 504, 216, 16);
    auto button = [this](const char* name, const QString& text, int left) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(left, 538, 81, 33);
        b->setAutoDefault(false);
        return b;
    };
    cmddraw = button("cmddraw", QStringLiteral("&Draw"), 104);
    cmdstop = button("cmdstop", QStringLiteral("S&top Drawing"), 272);
    cmdsave = button("cmdsave", QStringLiteral("&Save Image"), 448);
    cmdclose = button("cmdclose", QStringLiteral("&Close"), 616);
    connect(cmddraw, &QPushButton::clicked, this, &frmmap::cmddraw_Click);
    connect(cmdstop, &QPushButton::clicked, this, &frmmap::cmdstop_Click);
    connect(cmdsave, &QPushButton::clicked, this, &frmmap::cmdsave_Click);
    connect(cmdclose, &QPushButton::clicked, this, &frmmap::cmdclose_Click);
}

void frmmap::Form_Load()
{
    setFixedSize(12000 / 15, 9015 / 15);
    eng_ = settings::livePreferences().eng;
    map.prepare(conjjde);
    const bool newCrescent = newold == "New";
    double y[5], m[5], d[5];
    for (int i = 0; i < 5; ++i)
        juc(map.days[i] + 0.5, y[i], m[i], d[i]);
    if (!eng_) {
        setWindowTitle(QStringLiteral("Miqatix: خارطة رؤية الهلال للعالم"));
        lblinf->setText(QStringLiteral("قائمة المعلومات"));
        lblleg->setText(QStringLiteral("قائمة معاني الألوان"));
        fravis->setTitle(newCrescent ? QStringLiteral("يوم الرصد: هلال أول الشهر")
                                     : QStringLiteral("يوم الرصد: هلال آخر الشهر"));
        fracri->setTitle(QStringLiteral("المعيار"));
        lblmouse->setText(QStringLiteral("موقع الفأرة:"));
        cmddraw->setText(QStringLiteral("&رسم الخارطة"));
        cmdstop->setText(QStringLiteral("إيقاف الرسم"));
        cmdsave->setText(QStringLiteral("&حفظ الخارطة"));
        cmdclose->setText(QStringLiteral("إ&غلاق"));
        for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(cbocri),
                           static_cast<QWidget*>(lblmouse), static_cast<QWidget*>(fravis),
                           static_cast<QWidget*>(fracri)})
            w->setLayoutDirection(Qt::RightToLeft);
        lblmouse->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblleg->setAlignment(Qt::AlignRight | Qt::AlignTop);
        fravis->move(390, fravis->y());
        opt0->move(3880 / 15, opt0->y());
        opt2->move(90 / 15, opt2->y());
        fracri->move(270, fracri->y());
        cbocri->move(274, cbocri->y());
        lblmouse->move(30, lblmouse->y());
        cmddraw->move(608, cmddraw->y());
        cmdstop->move(432, cmdstop->y());
        cmdsave->move(264, cmdsave->y());
        cmdclose->move(88, cmdclose->y());
    } else {
        fravis->setTitle(newCrescent ? QStringLiteral("Visibility Day: Waxing (New) Crescent")
                                     : QStringLiteral("Visibility Day: Waning (Old) Crescent"));
    }
    cbocri->clear();
    if (eng_)
        cbocri->addItems(
            {QStringLiteral("Zivad"), QStringLiteral("Yallop"), QStringLiteral("SAAO")});
    else
        cbocri->addItems(
            {QStringLiteral("Zivad"), QStringLiteral("يالوب"), QStringLiteral("جنوب أفريقيا")});
    cbocri->setCurrentIndex(0);
    const std::string lang = eng_ ? "E" : "A";
    const int idx[3] = {0, newCrescent ? 1 : 3, newCrescent ? 2 : 4};
    QRadioButton* opts[3] = {opt0, opt1, opt2};
    for (int i = 0; i < 3; ++i) {
        std::string name;
        month(m[idx[i]], lang, name);
        opts[i]->setText(QString::number(std::floor(d[idx[i]])) + " " + u(name) + " " +
                         QString::number(y[idx[i]]));
        if (!eng_)
            opts[i]->setLayoutDirection(Qt::RightToLeft);
    }
    TopMost(this, true);
}

void frmmap::TopMost(QWidget* form, bool state)
{
    // Through the native window: setWindowFlag would recreate it.
    if (QWindow* w = form->windowHandle())
        w->setFlag(Qt::WindowStaysOnTopHint, state);
}

void frmmap::setLegendAndInformation(bool newCrescent)
{
    const int criterion = std::clamp(cbocri->currentIndex(), 0, 2);
    lblleg->setText(QString::fromUtf8(kLegends[eng_ ? 0 : 1][criterion]));
    double y, m, d;
    juc(map.days[4] + 0.5, y, m, d);
    const std::string lang = eng_ ? "E" : "A";
    double hday, hyear;
    std::string hmonth;
    dateconv(newCrescent ? d + 10 : d - 5, m, y, "GtoH", lang, hday, hmonth, hyear);
    maptitle = u(hmonth) + " " + QString::number(hyear);

    int option = opt1->isChecked() ? 1 : opt2->isChecked() ? 2 : 0;
    const double D = map.chosenDay(option, newCrescent);
    double cy, cm, cd;
    juc(D + 0.5, cy, cm, cd);
    std::string monthName, weekday;
    month(cm, lang, monthName);
    day(D + 0.5, eng_ ? 0 : 1, weekday);
    const QString date =
        QString::number(std::floor(cd)) + " " + u(monthName) + " " + QString::number(cy);
    QStringList lines;
    if (eng_)
        lines << (newCrescent ? QStringLiteral("New Crescent Visibility")
                              : QStringLiteral("Old Crescent Visibility"))
              << cbocri->currentText() + QStringLiteral(" Criterion");
    else
        lines << (newCrescent ? QStringLiteral("رؤية هلال أول الشهر")
                              : QStringLiteral("رؤية هلال آخر الشهر"))
              << QStringLiteral(" معيار ") + cbocri->currentText();
    lines << maptitle << u(weekday) << date;
    lblinf->setText(lines.join(QStringLiteral("\r\n")));
    if (!eng_)
        lblinf->setLayoutDirection(Qt::RightToLeft);
}

void frmmap::plot(double lon, double lat, int code)
{
    lunar::MapColour c;
    if (!lunar::mapCodeColour(code, c))
        return;
    QPainter p(&pic->image);
    p.setPen(QColor(c.r, c.g, c.b));
    p.drawEllipse(QPointF(lunar::mapX(lon), lunar::mapY(lat)), 2, 2);
}

void frmmap::cmddraw_Click()
{
    if (drawing_)
        return;
    cmddraw->setEnabled(false);
    stopflag = false;
    const bool newCrescent = newold == "New";
    setLegendAndInformation(newCrescent);
    pic->image = loadMapPicture();
    pic->update();
    TopMost(this, true);
    const int option = opt1->isChecked() ? 1 : opt2->isChecked() ? 2 : 0;
    const double D = map.chosenDay(option, newCrescent);

    QPointer<frmmap> self(this);
    LongComputation run(this);
    if (!run.started()) {
        cmddraw->setEnabled(true);
        return;
    }
    // The progress window must take clicks while this modal window is up.
    if (frmwait::isLoaded() && frmwait::form().windowHandle() && windowHandle())
        frmwait::form().windowHandle()->setTransientParent(windowHandle());
    drawing_ = true;
    map.drawAll(
        D, newCrescent, [this] { return std::clamp(cbocri->currentIndex(), 0, 2); },
        [this](double lon, double lat, int code) { plot(lon, lat, code); },
        [&](int done) {
            pic->update();
            run.stepStarts(100.0 * done / lunar::kMapBlocks);
            const bool cancelled = run.handOverCancelled();
            // Closing the window ends the drawing too.
            return !self || cancelled || stopflag;
        });
    if (!self)
        return;
    drawing_ = false;
    stopflag = false;
    cmddraw->setEnabled(true);
    pic->update();
}

void frmmap::cmdstop_Click()
{
    // A stop request only concerns a drawing in progress: the next one must not
    // end at its first block.
    if (drawing_)
        stopflag = true;
    Form_Load();
}

void frmmap::cmdsave_Click()
{
    TopMost(this, true);
    const QString folder = QString::fromStdString(platform::programFolder().string());
    QString chosen = saveDialog()(this, folder, maptitle);
    if (chosen.isEmpty())
        return;
    TopMost(this, true);
    platform::processEvents();
    // What the window shows: the map, its circles and the two labels.
    const QImage shown = pic->grab().toImage().convertToFormat(QImage::Format_RGB32);
    std::vector<std::uint32_t> rgb;
    rgb.reserve(static_cast<std::size_t>(shown.width()) * shown.height());
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            rgb.push_back(shown.pixel(x, y) & 0xFFFFFF);
    const lunar::IndexedPicture picture = lunar::indexedFromRgb(shown.width(), shown.height(), rgb);
    // The dialog adds ".gif" to a name without an extension; of any other
    // extension the last four characters give way to ".gif".
    const QString base = chosen.section(QLatin1Char('/'), -1);
    if (!base.contains(QLatin1Char('.')))
        chosen += QStringLiteral(".gif");
    const QString gifPath = chosen.left(chosen.size() - 4) + QStringLiteral(".gif");
    lunar::GIF gif;
    std::string error;
    if (!gif.SaveGIF(picture, gifPath.toStdString(), false, 0, &error)) {
        platform::msgBox(this,
                         (eng_ ? QStringLiteral("The map could not be saved as ")
                               : QStringLiteral("تعذر حفظ الخارطة في ")) +
                             gifPath + "\n" + QString::fromStdString(error),
                         QStringLiteral("Miqatix (Visibility Map)"), eng_,
                         platform::MsgIcon::Critical);
    }
}

void frmmap::cmdclose_Click()
{
    close();
}

void frmmap::pic_MouseMove(int x, int y)
{
    const double lon = (x - lunar::kMapX0) / lunar::kMapXPerDegree;
    const double lat = (lunar::kMapY0 - y) / lunar::kMapYPerDegree;
    QString lonText = u(prayer::patternNumber(lon, 3, 1));
    QString latText = u(prayer::patternNumber(lat, 2, 1));
    if (std::abs(latText.toDouble()) > 90 || std::abs(lonText.toDouble()) > 180) {
        lonText.clear();
        latText.clear();
    }
    if (eng_)
        lblmouse->setText(QStringLiteral("Mouse Position: Long: ") + lonText +
                          QStringLiteral(", Lat: ") + latText);
    else
        lblmouse->setText(QStringLiteral("موقع الفأرة: ") + QStringLiteral(" خط طول: ") + lonText +
                          QStringLiteral(" خط العرض: ") + latText);
}

void frmmap::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    TopMost(this, true);
}

void frmmap::closeEvent(QCloseEvent* event)
{
    stopflag = true;
    QDialog::closeEvent(event);
}
