#include "frmmap.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextLayout>
#include <QTreeView>
#include <QWindow>

#include "engine/moddateconv.h"
#include "engine/modday.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modmonth.h"
#include "lunar/gifwriter.h"
#include "platform/eventloop.h"
#include "platform/fault.h"
#include "platform/programfolder.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/textroom.h"
#include "reports/prayerreport.h"
#include "settings/liveread.h"
#include "sharedwindows/frmwait.h"

namespace {

constexpr double kCircleRadius = 2; // pixels, the outline of a plotted place

QString u(const std::string& s)
{
    return QString::fromStdString(s);
}

QString saveTitle(bool english)
{
    return english ? QStringLiteral("Miqatix (Visibility Map)")
                   : QStringLiteral("Miqatix (خارطة رؤية الهلال)");
}

// Qt's file dialog opens with columns too narrow for the sizes, types and
// dates of its list (and for Arabic headers): once a folder has been read,
// those columns take the room of their texts and the dialog grows so that the
// names keep room beside them.
void fitFileColumns(QFileDialog& dialog)
{
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* files = list ? qobject_cast<QFileSystemModel*>(list->model()) : nullptr;
    if (!files)
        return; // the desktop's own dialog
    const auto fit = [&dialog, list] {
        constexpr int kNameRoom = 200; // pixels the names keep at least
        QHeaderView* header = list->header();
        int others = 0;
        for (int column = 1; column < header->count(); ++column) {
            if (header->isSectionHidden(column))
                continue;
            list->resizeColumnToContents(column);
            // The title, its margins and the room of a sort arrow.
            const QStyle* style = header->style();
            const int margin = style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
            const int title = header->fontMetrics().horizontalAdvance(
                                  list->model()->headerData(column, Qt::Horizontal).toString()) +
                              3 * margin +
                              style->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header);
            header->resizeSection(column, std::max(header->sectionSize(column), title));
            others += header->sectionSize(column);
        }
        const int missing = kNameRoom + others - list->viewport()->width();
        if (missing > 0)
            dialog.resize(dialog.width() + missing, dialog.height());
        header->resizeSection(0, std::max(list->viewport()->width() - others, kNameRoom));
    };
    QObject::connect(files, &QFileSystemModel::directoryLoaded, &dialog, fit);
}

frmmap::SaveDialog& saveDialog()
{
    static frmmap::SaveDialog dialog = [](QWidget* parent, const QString& folder,
                                          const QString& name) {
        // The map window turns right to left in Arabic: its dialog speaks Arabic.
        const bool english = !parent || parent->layoutDirection() == Qt::LeftToRight;
        QFileDialog dlg(parent, saveTitle(english), folder,
                        english ? QStringLiteral("Picture (*.gif)")
                                : QStringLiteral("صورة (*.gif)"));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setDefaultSuffix(QStringLiteral("gif"));
        // The name written may differ from the one typed: the window asks
        // about the file it is going to replace itself.
        dlg.setOption(QFileDialog::DontConfirmOverwrite);
        dlg.selectFile(name);
        if (!english) {
            // Qt's own Arabic words are an imperative cut short ("ألغِ") and
            // an access key inside a word, which breaks its letters apart.
            dlg.setLabelText(QFileDialog::Accept, QStringLiteral("&احفظ"));
            dlg.setLabelText(QFileDialog::Reject, QStringLiteral("إلغاء"));
        }
        fitFileColumns(dlg);
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()
                   ? dlg.selectedFiles().first()
                   : QString();
    };
    return dialog;
}

// Lines are joined by "\n" alone: a label lays out a CR as a character of its
// own, which in a right-to-left line pushes its first letter out of sight.
const char* const kLegends[2][3] = {
    {"Red: Impossible\nNo Color: Not Possible\nBlue: Need Optical Aid\nMagenta: Could be "
     "Seen by Naked Eye\nGreen: Easily Visible by Naked Eye\nCyan: Unknown",
     "Red: Impossible\nNo Color: Not Possible\nBlue: Need Optical Aid\nMagenta: May Need "
     "Optical Aid\nYellow: Naked Eye at Perfect Conditions\nGreen: Easily Visible by Naked "
     "Eye\nCyan: Unknown",
     "Red: Impossible\nNo Color: Not Possible\nBlue: Crescent Visibility is "
     "Improbable\nGreen: Crescent Visibility is Possible\nCyan: Unknown"},
    {"أحمر: مستحيل\nغير ملون: رؤية الهلال غير ممكنة\nكحلي: يحتاج مرقب/تلسكوب\nزهري: قد "
     "يرى بالعين المجردة\nأخضر: يرى بالعين المجردة بسهولة\nأزرق سماوي: غير معروف ",
     "أحمر: مستحيل\nغير ملون: رؤية الهلال غير ممكنة\nكحلي: يحتاج مرقب/تلسكوب\nزهري: قد "
     "يحتاج مرقب/تلسكوب\nأصفر: بالعين المجردة في حالة صفاء الجو\nأخضر: يرى بالعين "
     "المجردة بسهولة\nأزرق سماوي: غير معروف ",
     "أحمر: مستحيل\nغير ملون: رؤية الهلال غير ممكنة\nكحلي: رؤية الهلال غير "
     "محتملة\nأخضر: رؤية الهلال ممكنة\nأزرق سماوي: غير معروف "}};

// The labels' font, and the smallest one a text too long for its room takes.
constexpr double kLabelPoints = 8;
constexpr double kSmallestLabelPoints = 6;

// The information and legend labels over the white band under the map. A
// line of Arabic takes the line height of its Naskh face, half again that of
// the Latin face, made for marks stacked far above and below the letters
// that these texts do not have: six or seven such lines are taller than the
// band. So these labels space their lines by the ink the letters really
// take: evenly, at the Latin face's own spacing where the band has the room,
// closer where it has not, never closer than a pixel of clear blue between
// two lines; and they keep their text a margin inside their blue.
class MapNote : public QLabel {
public:
    using QLabel::QLabel;

    static constexpr int kSideMargin = 3; // pixels of blue beside the ink
    static constexpr int kEndMargin = 1;  // above the first line, below the last
    static constexpr int kLineGap = 1;    // between the ink of two lines

    // The size the text takes in `font` in a label at most `roomHeight`
    // high: its lines at the face's own spacing where they fit, closer where
    // they do not.
    QSize sizeWithin(const QFont& font, int roomHeight) const
    {
        const std::vector<Line> lines = layOut(font);
        double width = 0;
        for (const Line& line : lines)
            width = std::max(width, line.ink.width());
        const auto height = [&](double pitch) {
            return static_cast<int>(std::ceil(baseline(lines, lines.size() - 1, pitch) +
                                              lines.back().ink.bottom())) +
                   kEndMargin;
        };
        const int spaced = height(std::max(leastPitch(lines), QFontMetricsF(font).lineSpacing()));
        return {static_cast<int>(std::ceil(width)) + 2 * kSideMargin,
                spaced <= roomHeight ? spaced : height(leastPitch(lines))};
    }

    QSize sizeHint() const override { return sizeWithin(font(), QWIDGETSIZE_MAX); }
    QSize minimumSizeHint() const override { return sizeWithin(font(), 0); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(palette().color(foregroundRole()));
        const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
        const std::vector<Line> lines = layOut(font());
        // The lines spread over the label's height, up to the face's own
        // spacing.
        const double least = leastPitch(lines);
        double pitch = least;
        if (lines.size() > 1)
            pitch = std::clamp(
                (height() - 2 * kEndMargin + lines.front().ink.top() - lines.back().ink.bottom()) /
                    static_cast<double>(lines.size() - 1),
                least, std::max(least, QFontMetricsF(font()).lineSpacing()));
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const Line& line = lines[i];
            const double x = align.testFlag(Qt::AlignRight)
                                 ? width() - kSideMargin - line.ink.right()
                                 : kSideMargin - line.ink.left();
            line.layout->draw(&p, QPointF(x, baseline(lines, i, pitch) - line.ascent));
        }
    }

private:
    struct Line {
        std::shared_ptr<QTextLayout> layout;
        QRectF ink;        // from the line's origin on its baseline, as it is drawn
        double ascent = 0; // of the line: from its top to its baseline
    };

    // The least distance between two baselines that keeps the ink of every
    // two lines kLineGap apart: the lines stand evenly spaced, at least that.
    static double leastPitch(const std::vector<Line>& lines)
    {
        double pitch = 0;
        for (std::size_t j = 1; j < lines.size(); ++j)
            pitch = std::max(pitch, lines[j - 1].ink.bottom() - lines[j].ink.top() + kLineGap);
        return pitch;
    }

    static double baseline(const std::vector<Line>& lines, std::size_t i, double pitch)
    {
        return kEndMargin - lines.front().ink.top() + pitch * static_cast<double>(i);
    }

    // Each line laid out on its own, its ink measured from its baseline.
    std::vector<Line> layOut(const QFont& font) const
    {
        std::vector<Line> lines;
        for (const QString& text : this->text().split(QLatin1Char('\n'))) {
            Line line{std::make_shared<QTextLayout>(text, font), {}, 0};
            QTextOption option;
            option.setTextDirection(layoutDirection());
            option.setWrapMode(QTextOption::NoWrap);
            line.layout->setTextOption(option);
            line.layout->beginLayout();
            line.layout->createLine();
            line.layout->endLayout();
            for (const QGlyphRun& run : line.layout->glyphRuns()) {
                const QRawFont face = run.rawFont();
                const QList<quint32> glyphs = run.glyphIndexes();
                const QList<QPointF> at = run.positions();
                for (qsizetype i = 0; i < glyphs.size(); ++i)
                    line.ink |= face.boundingRect(glyphs[i]).translated(at[i]);
            }
            line.ascent = line.layout->lineAt(0).ascent();
            if (line.ink.isNull()) // a blank line keeps the height of a letter
                line.ink = QRectF(0, line.ascent - QFontMetricsF(font).ascent(), 0,
                                  QFontMetricsF(font).ascent());
            line.ink.translate(0, -line.ascent);
            lines.push_back(std::move(line));
        }
        return lines;
    }
};

// The size `text` needs in `label` at `font`.
QSize neededSize(const QLabel* label, const QFont& font, const QString& text)
{
    const QMargins m = label->contentsMargins();
    const QSize size = QFontMetrics(font).size(0, text);
    return {size.width() + m.left() + m.right() + 2 * label->margin() + 1,
            size.height() + m.top() + m.bottom() + 2 * label->margin()};
}

// Gives `label` its place, grown within `room` to what `need` says its text
// needs and kept at its anchored edges (right and/or bottom) as far as the
// room allows; where the room is too small, the font gets smaller instead.
void fitLabel(QLabel* label, const QRect& place, const QRect& room,
              const std::function<QSize(const QFont&)>& need, Qt::Edges anchored)
{
    QFont font = label->font();
    font.setPointSizeF(kLabelPoints);
    QSize size = need(font);
    while ((size.width() > room.width() || size.height() > room.height()) &&
           font.pointSizeF() > kSmallestLabelPoints) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        size = need(font);
    }
    label->setFont(font);
    const int w = std::clamp(size.width(), place.width(), room.width());
    const int h = std::clamp(size.height(), place.height(), room.height());
    const int x = anchored.testFlag(Qt::RightEdge) ? place.right() + 1 - w : place.x();
    const int y = anchored.testFlag(Qt::BottomEdge) ? place.bottom() + 1 - h : place.y();
    label->setGeometry(std::clamp(x, room.left(), room.right() + 1 - w),
                       std::clamp(y, room.top(), room.bottom() + 1 - h), w, h);
}

void fitLabel(QLabel* label, const QRect& place, const QRect& room, const QString& widest,
              Qt::Edges anchored)
{
    fitLabel(
        label, place, room,
        [label, &widest](const QFont& f) { return neededSize(label, f, widest); }, anchored);
}

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
    lblinf = new MapNote(QStringLiteral("Information Label"), pic);
    lblinf->setObjectName(QStringLiteral("lblinf"));
    lblinf->setGeometry(15, 395, 185, 83);
    lblleg = new MapNote(QStringLiteral("Legend Label"), pic);
    lblleg->setObjectName(QStringLiteral("lblleg"));
    lblleg->setGeometry(520, 395, 241, 83);
    for (QLabel* l : {lblinf, lblleg}) {
        l->setAutoFillBackground(true);
        QPalette colours = l->palette();
        colours.setColor(QPalette::Window, QColor(0, 0, 192));
        colours.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(colours);
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
        // Right on the screen: the right-to-left layout would mirror a plain
        // AlignRight to the left, and a text too long for its label would
        // then lose its beginning.
        lblmouse->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        lblleg->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
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
        // Every digit of a far year: a short form would show another year.
        opts[i]->setText(u(prayer::plainNumber(std::floor(d[idx[i]]))) + " " + u(name) + " " +
                         platform::numberInMessage(u(prayer::plainNumber(y[idx[i]])), eng_));
        if (!eng_)
            opts[i]->setLayoutDirection(Qt::RightToLeft);
    }
    placeInFrames();
    fitLabels();
    platform::makeRoomForTexts(this, eng_);
    TopMost(this, true);
}

namespace {

// The room inside the lines the style draws for `frame`, in the frame's own
// coordinates. The contents rectangle begins on the top line, drawn under
// the title with a shaded row below it, and ends a margin above the bottom
// line, drawn in the frame's last two rows: a control centred in it touches
// the top line.
QRect roomInside(const QGroupBox* frame)
{
    const QRect contents = frame->contentsRect();
    const int top = contents.top() + 2;
    return QRect(contents.left(), top, contents.width(), frame->height() - 2 - top);
}

// Centres `w` in `room` with two pixels clear above and below, taking a list
// box down to the height its font needs where its designed one leaves less.
void centreIn(QWidget* w, const QRect& room)
{
    if (qobject_cast<QComboBox*>(w) && w->height() > room.height() - 4)
        w->resize(w->width(), std::max(w->sizeHint().height(), room.height() - 4));
    w->move(w->x(), room.top() + (room.height() - w->height()) / 2);
}

} // namespace

void frmmap::placeInFrames()
{
    // At their designed tops the day options and the criterion list touched
    // the top lines of their frames, which the style draws under the titles:
    // each stands in the middle of the room its frame's lines enclose.
    for (QGroupBox* frame : {fravis, fracri})
        frame->ensurePolished();
    const QRect days = roomInside(fravis);
    for (QRadioButton* o : {opt0, opt1, opt2})
        centreIn(o, days);
    centreIn(cbocri, roomInside(fracri).translated(fracri->pos()));
}

void frmmap::fitLabels()
{
    // The two labels stay on the white band under the map, a pixel clear of
    // its southern edge: they grow upward from their places as far as that,
    // and toward the middle of the band.
    const int top = static_cast<int>(std::floor(lunar::mapY(-90))) + 1;
    const int bottom = pic->height() - 1;
    const QRect inf(15, 395, 185, 83), leg(520, 395, 241, 83);
    const auto need = [room = bottom + 1 - top](QLabel* l) {
        return [l, room](const QFont& f) { return static_cast<MapNote*>(l)->sizeWithin(f, room); };
    };
    fitLabel(lblinf, inf, QRect(inf.left(), top, 380 - inf.left(), bottom + 1 - top), need(lblinf),
             Qt::BottomEdge);
    fitLabel(lblleg, leg, QRect(390, top, leg.right() + 1 - 390, bottom + 1 - top), need(lblleg),
             Qt::BottomEdge | Qt::RightEdge);
    // The mouse read-out keeps room for its widest text and grows away from
    // the criterion frame.
    const QString widest = eng_ ? QStringLiteral("Mouse Position: Long: -179.9, Lat: -89.9")
                                : QStringLiteral("موقع الفأرة:  خط طول: ") +
                                      platform::numberInMessage(QStringLiteral("-179.9"), false) +
                                      QStringLiteral(" خط العرض: ") +
                                      platform::numberInMessage(QStringLiteral("-89.9"), false);
    if (eng_)
        fitLabel(lblmouse, QRect(544, 504, 216, 16), QRect(544, 502, width() - 4 - 544, 24), widest,
                 {});
    else
        fitLabel(lblmouse, QRect(30, 504, 216, 16), QRect(4, 502, 246 - 4, 24), widest,
                 Qt::RightEdge);
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
    maptitle = u(hmonth) + " " + u(prayer::plainNumber(hyear));

    int option = opt1->isChecked() ? 1 : opt2->isChecked() ? 2 : 0;
    const double D = map.chosenDay(option, newCrescent);
    double cy, cm, cd;
    juc(D + 0.5, cy, cm, cd);
    std::string monthName, weekday;
    month(cm, lang, monthName);
    day(D + 0.5, eng_ ? 0 : 1, weekday);
    const QString date = u(prayer::plainNumber(std::floor(cd))) + " " + u(monthName) + " " +
                         platform::numberInMessage(u(prayer::plainNumber(cy)), eng_);
    QStringList lines;
    if (eng_)
        lines << (newCrescent ? QStringLiteral("New Crescent Visibility")
                              : QStringLiteral("Old Crescent Visibility"))
              << cbocri->currentText() + QStringLiteral(" Criterion");
    else
        lines << (newCrescent ? QStringLiteral("رؤية هلال أول الشهر")
                              : QStringLiteral("رؤية هلال آخر الشهر"))
              << QStringLiteral(" معيار ") + cbocri->currentText();
    // The title names the saved picture as it is; the label shows its year
    // as a number of its own.
    lines << u(hmonth) + " " + platform::numberInMessage(u(prayer::plainNumber(hyear)), eng_)
          << u(weekday) << date;
    lblinf->setText(lines.join(QLatin1Char('\n')));
    if (!eng_) {
        lblinf->setLayoutDirection(Qt::RightToLeft);
        lblinf->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
    }
    fitLabels();
}

void frmmap::plot(double lon, double lat, int code)
{
    lunar::MapColour c;
    if (!lunar::mapCodeColour(code, c))
        return;
    QPainter p(&pic->image);
    p.setPen(QColor(c.r, c.g, c.b));
    p.drawEllipse(QPointF(lunar::mapX(lon), lunar::mapY(lat)), kCircleRadius, kCircleRadius);
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
    // The circles appearing block by block are the drawing's progress: no
    // progress window takes the keyboard from this one, so its buttons and
    // their access keys work between the blocks.
    LongComputation run(this, LongComputation::OwnProgress::Shown);
    if (!run.started()) {
        cmddraw->setEnabled(true);
        return;
    }
    drawing_ = true;
    map.drawAll(
        D, newCrescent, [this] { return std::clamp(cbocri->currentIndex(), 0, 2); },
        [this](double lon, double lat, int code) { plot(lon, lat, code); },
        [&](int) {
            pic->update();
            platform::processEvents();
            // Closing the window ends the drawing too.
            return !self || stopflag;
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
    const QString chosen = saveDialog()(this, folder, maptitle);
    if (chosen.isEmpty())
        return;
    const QString gifPath = gifPathFor(chosen);
    const QString shownPath = platform::pathInMessage(QDir::toNativeSeparators(gifPath), eng_);
    if (QFileInfo::exists(gifPath) &&
        platform::msgBox(this,
                         (eng_ ? QStringLiteral("%1 already exists.\nDo you want to replace it?")
                               : QStringLiteral("الملف %1 موجود.\nهل تريد استبداله؟"))
                             .arg(shownPath),
                         saveTitle(eng_), eng_, platform::MsgIcon::Question,
                         platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
        return;
    TopMost(this, true);
    platform::processEvents();
    const QImage shown = savedPicture();
    std::vector<std::uint32_t> rgb;
    rgb.reserve(static_cast<std::size_t>(shown.width()) * shown.height());
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            rgb.push_back(shown.pixel(x, y) & 0xFFFFFF);
    const lunar::IndexedPicture picture = lunar::indexedFromRgb(shown.width(), shown.height(), rgb);
    lunar::GIF gif;
    std::string error;
    if (!gif.SaveGIF(picture, gifPath.toStdString(), false, 0, &error)) {
        platform::msgBox(this,
                         (eng_ ? QStringLiteral("The map could not be saved as ")
                               : QStringLiteral("تعذر حفظ الخارطة في ")) +
                             shownPath + "\n" + platform::reasonText(error, eng_),
                         saveTitle(eng_), eng_, platform::MsgIcon::Critical);
    }
}

QImage frmmap::savedPicture()
{
    // What the window shows: the map, its circles and the two labels. Smoothed
    // text would add hundreds of shades between white and the labels' blue,
    // more than a GIF's 256 colours, and the writer would fall back to its
    // colour cube, losing the map's own colours (sea and land both white). The
    // saved copy draws the labels' text crisp, so that the picture keeps the
    // few colours it is made of.
    const QFont inf = lblinf->font(), leg = lblleg->font();
    for (QLabel* l : {lblinf, lblleg}) {
        QFont crisp = l->font();
        crisp.setStyleStrategy(QFont::NoAntialias);
        l->setFont(crisp);
    }
    const QImage shown = pic->grab().toImage().convertToFormat(QImage::Format_RGB32);
    lblinf->setFont(inf);
    lblleg->setFont(leg);
    return shown;
}

QString frmmap::gifPathFor(const QString& chosen)
{
    // The dialog adds ".gif" to a name without an extension; of any other
    // extension the last four characters give way to ".gif" ("map.jpeg" is
    // written as "map..gif", "short.jp" as "shor.gif"). A name too short to
    // lose four characters and keep one replaces its extension instead, so
    // that the name never reaches into its folder's.
    const qsizetype slash = chosen.lastIndexOf(QLatin1Char('/')) + 1;
    const QString base = chosen.mid(slash);
    const qsizetype dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return chosen + QStringLiteral(".gif");
    const qsizetype keep = base.size() > 4 ? base.size() - 4 : dot;
    return chosen.left(slash + keep) + QStringLiteral(".gif");
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
        lblmouse->setText(QStringLiteral("موقع الفأرة: ") + QStringLiteral(" خط طول: ") +
                          platform::numberInMessage(lonText, false) +
                          QStringLiteral(" خط العرض: ") +
                          platform::numberInMessage(latText, false));
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
