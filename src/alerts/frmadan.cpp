#include "frmadan.h"

#include <algorithm>

#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QWindow>

#include "alerts/alertclock.h"
#include "alerts/placetext.h"
#include "platform/qt/settingstext.h"
#include "platform/qt/textroom.h"
#include "settings/records.h"

namespace alerts {

namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    return label;
}

QFont designFont(const char* family, double points)
{
    QFont f{QString::fromLatin1(family)};
    f.setPointSizeF(points);
    return f;
}

// Right-aligned whatever the reading direction of the label.
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter | Qt::AlignAbsolute;

} // namespace

int twipsToPixels(int twips, const QWidget* w)
{
    return qRound(twips * w->logicalDpiX() / 1440.0);
}

frmadan::frmadan(std::function<void()> stopAdhan, QWidget* parent)
    : QWidget(parent, Qt::Window), stopAdhan_(std::move(stopAdhan))
{
    setObjectName(QStringLiteral("frmadan"));
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    Form_Load();
}

int frmadan::twips(int t) const
{
    return twipsToPixels(t, this);
}

void frmadan::place(QWidget* w, int left, int top, int width, int height)
{
    const int h = height > 0 ? twips(height) : w->sizeHint().height();
    w->setGeometry(twips(left), twips(top), twips(width), h);
}

void frmadan::createControls()
{
    setWindowTitle(QStringLiteral("Miqatix"));
    setFixedSize(twips(5520), twips(6960));
    const QFont plain = designFont("MS Sans Serif", 9.75);

    fraann = new QGroupBox(QStringLiteral("It is Prayer Time Now!"), this);
    fraann->setObjectName(QStringLiteral("fraann"));
    fraann->setFont(plain);
    place(fraann, 240, 240, 5100, 6495);

    lblhead1 =
        makeLabel(fraann, "lblhead1", QStringLiteral("Miqatix"), designFont("Times New Roman", 24));
    lblhead1->setAlignment(Qt::AlignCenter);
    place(lblhead1, 555, 360, 4095, 600);
    lblloc2 = makeLabel(fraann, "lblloc2", QString(), designFont("Arial", 14.25));
    lblloc2->setAlignment(Qt::AlignCenter);
    // The place name is often longer than the design's box: centred on it.
    place(lblloc2, 240, 1680, 4620, 420);
    lblhead = makeLabel(fraann, "lblhead", QStringLiteral("Prayer"),
                        designFont("Lucida Handwriting", 24));
    lblhead->setAlignment(Qt::AlignCenter);
    place(lblhead, 120, 2280, 4815, 720);
    lbltim2 = makeLabel(fraann, "lbltim2", QStringLiteral("19:55"), designFont("Arial", 27.75));
    lbltim2->setAlignment(Qt::AlignCenter);
    place(lbltim2, 1680, 3360, 1575, 720);

    lbldat = makeLabel(fraann, "lbldat", QStringLiteral("- Date:"), plain);
    place(lbldat, 360, 4320, 615, 285);
    lbldat2 = makeLabel(fraann, "lbldat2", QString(), plain);
    place(lbldat2, 1080, 4320, 1575, 285);
    lbllon = makeLabel(fraann, "lbllon", QStringLiteral("- Longitude:"), plain);
    place(lbllon, 360, 4800, 1095, 285);
    lbllon2 = makeLabel(fraann, "lbllon2", QString(), plain);
    place(lbllon2, 1440, 4800, 1215, 285);
    lbllat = makeLabel(fraann, "lbllat", QStringLiteral("- Latitude:"), plain);
    place(lbllat, 2760, 4800, 1095, 285);
    lbllat2 = makeLabel(fraann, "lbllat2", QString(), plain);
    place(lbllat2, 3720, 4800, 1095, 285);
    lblele = makeLabel(fraann, "lblele", QStringLiteral("- Elevation (m):"), plain);
    place(lblele, 360, 5280, 1335, 285);
    lblele2 = makeLabel(fraann, "lblele2", QString(), plain);
    place(lblele2, 1800, 5280, 855, 285);
    lblzon = makeLabel(fraann, "lblzon", QStringLiteral("- Time Zone:"), plain);
    place(lblzon, 2760, 5280, 1215, 285);
    lblzon2 = makeLabel(fraann, "lblzon2", QString(), plain);
    place(lblzon2, 3960, 5280, 855, 285);

    cmdmin = new QPushButton(QStringLiteral("&Minimize"), fraann);
    cmdmin->setObjectName(QStringLiteral("cmdmin"));
    cmdmin->setFont(plain);
    place(cmdmin, 1080, 5880, 975, 375);
    cmdclose = new QPushButton(QStringLiteral("&Close"), fraann);
    cmdclose->setObjectName(QStringLiteral("cmdclose"));
    cmdclose->setFont(plain);
    place(cmdclose, 3240, 6120, 975, 375);
    connect(cmdmin, &QPushButton::clicked, this, &frmadan::cmdmin_Click);
    connect(cmdclose, &QPushButton::clicked, this, &frmadan::cmdclose_Click);

    // The rectangle around the frame, from (120, 120) to (5400, 6840).
    struct Edge {
        QFrame** line;
        const char* name;
        int left, top, width, height;
        QFrame::Shape shape;
    };
    const Edge edges[] = {
        {&Line1, "Line1", 120, 120, 5280, 15, QFrame::HLine},
        {&Line2, "Line2", 5400, 120, 15, 6720, QFrame::VLine},
        {&Line3, "Line3", 120, 6840, 5280, 15, QFrame::HLine},
        {&Line4, "Line4", 120, 120, 15, 6720, QFrame::VLine},
    };
    for (const Edge& e : edges) {
        auto* line = new QFrame(this);
        line->setObjectName(QLatin1String(e.name));
        line->setFrameShape(e.shape);
        line->setLineWidth(1);
        line->setGeometry(twips(e.left), twips(e.top), std::max(1, twips(e.width)),
                          std::max(1, twips(e.height)));
        *e.line = line;
    }
}

void frmadan::Form_Load()
{
    const settings::CurrentLocation loc = settings::readCurrentLocation();
    putOnTop();

    // A place name longer than the line is cut short, whole in its tooltip.
    platform::setElidedText(lblloc2, platform::settingsText(loc.locname));
    lbllon2->setText(q(patternText(loc.longid, "####00") + ":" + patternText(loc.longim, "##00") +
                       ":" + patternText(loc.longis, "###00.0") + (loc.east ? " E" : " W")));
    lbllat2->setText(q(patternText(loc.latid, "###00") + ":" + patternText(loc.latim, "##00") +
                       ":" + patternText(loc.latis, "###00.0") + (loc.north ? " N" : " S")));
    lblele2->setText(q(patternText(loc.ele, "###############0.0")));
    lblzon2->setText(q(patternText(loc.zon, "####0.00")));
    lbldat2->setText(QLocale::system().toString(localNow().date(), QLocale::ShortFormat));

    const settings::Preferences prefs = settings::readPreferences(17);
    if (!prefs.eng)
        applyArabicLayout();
    platform::makeRoomForTexts(this, prefs.eng);
}

void frmadan::applyArabicLayout()
{
    // The frame reads right to left, which its children would inherit: each
    // keeps left-to-right unless the layout below turns it.
    for (QWidget* child : fraann->findChildren<QWidget*>())
        child->setLayoutDirection(Qt::LeftToRight);

    fraann->setLayoutDirection(Qt::RightToLeft);
    fraann->setTitle(QStringLiteral("حان الآن موعد الصلاة"));

    lblhead1->setLayoutDirection(Qt::RightToLeft);
    lblhead1->setText(QStringLiteral("Miqatix"));
    lblhead1->setFont(designFont("Simplified Arabic", 20));
    lblhead1->setGeometry(twips(310), lblhead1->y(), twips(4500), lblhead1->height());

    struct Row {
        QLabel* label;
        bool rightToLeft;
        const char* text; // nullptr: the text stays
        int left;
        int width; // 0: the width stays
    };
    const Row rows[] = {
        {lbldat, true, "- التاريخ", 4170, 700},        {lbldat2, false, nullptr, 2300, 0},
        {lbllon, true, "- خط الطول", 3980, 900},       {lbllon2, false, nullptr, 2700, 0},
        {lbllat, true, "- خط العرض", 1200, 1000},      {lbllat2, false, nullptr, 100, 0},
        {lblele, true, "- الإرتفاع م", 3880, 1000},    {lblele2, false, nullptr, 2950, 0},
        {lblzon, true, "- النطاق الزمني", 1000, 1200}, {lblzon2, false, nullptr, 50, 0},
    };
    for (const Row& r : rows) {
        if (r.rightToLeft)
            r.label->setLayoutDirection(Qt::RightToLeft);
        r.label->setAlignment(kRight);
        if (r.text)
            r.label->setText(QString::fromUtf8(r.text));
        const int width = r.width > 0 ? twips(r.width) : r.label->width();
        r.label->setGeometry(twips(r.left), r.label->y(), width, r.label->height());
        // The substitute fonts run wider than the design's: a caption that
        // does not fit grows to the left, keeping its right edge.
        const int needed = r.label->sizeHint().width();
        if (r.text && needed > width)
            r.label->setGeometry(r.label->x() - (needed - width), r.label->y(), needed,
                                 r.label->height());
    }

    cmdclose->setText(QStringLiteral("&إغلاق"));
    cmdmin->setText(QStringLiteral("&خفض"));
}

void frmadan::putOnTop()
{
    // Before the first showing there is no native window yet, so the flag can
    // be set on the widget without recreating anything; once the window is
    // visible it is set on the native window (setWindowFlag would recreate it).
    if (windowHandle())
        windowHandle()->setFlag(Qt::WindowStaysOnTopHint, true);
    else
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void frmadan::showOnTop()
{
    show();
    putOnTop();
    raise();
}

void frmadan::cmdclose_Click()
{
    close();
}

void frmadan::cmdmin_Click()
{
    showMinimized();
}

void frmadan::closeEvent(QCloseEvent* event)
{
    // Closing the window, by its button or its close box, ends the adhan.
    if (stopAdhan_)
        stopAdhan_();
    event->accept();
}

} // namespace alerts
