#include "frmhej.h"

#include <algorithm>

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextLayout>

#include "platform/qt/messagebox.h"
#include "platform/qt/textroom.h"
#include "settings/dialogs/dialogsupport.h"
#include "settings/records.h"
#include "tools/hijriconversion.h"

using namespace dialogs;
using tools::ConvertDirection;

namespace {

QFrame* rule(QWidget* parent, const char* name, int from, int to, int at)
{
    auto* line = make<QFrame>(parent, name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    place(line, from, at - 15, to - from, 30);
    return line;
}

QLabel* resultLabel(QWidget* parent, const char* name, bool bold, double points)
{
    auto* label = make<QLabel>(parent, name);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(points);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color: blue;"));
    label->setVisible(false);
    return label;
}

// The design's widths were measured in the original face; a wider substitute
// would clip a centred text at both ends, so such a label grows about its
// centre, within its frame.
void fitCentred(QLabel* label)
{
    const int need = label->sizeHint().width();
    if (need <= label->width())
        return;
    const int frame = label->parentWidget()->width();
    const int width = std::min(need, frame);
    const int centre = label->x() + label->width() / 2;
    const int left = std::clamp(centre - width / 2, 0, frame - width);
    label->setGeometry(left, label->y(), width, label->height());
}

// Where a one-line label draws its text's baseline, from its parent's top: a
// centred line sits in the middle of the label, whatever faces its letters
// come from.
double drawnBaseline(const QLabel* label)
{
    QTextLayout layout(label->text(), label->font());
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const QRect area = label->contentsRect();
    return label->y() + area.top() + (area.height() - line.height()) / 2 + line.ascent();
}

// The result's words are read as one line: labels of other heights and faces
// would centre them on different lines (the month's label is the taller one),
// so each is moved up or down to the baseline of the first.
void shareBaseline(QLabel* first, std::initializer_list<QLabel*> others)
{
    const double baseline = drawnBaseline(first);
    for (QLabel* l : others)
        l->move(l->x(), l->y() + qRound(baseline - drawnBaseline(l)));
}

QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

frmhej::frmhej(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmhej"));
    setModal(true);
    createControls();
    Form_Load();
}

void frmhej::createControls()
{
    setWindowTitle(QStringLiteral("Hejric-Gregorian Conversion"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(twips(240 + 6735 + 240), twips(120 + 5295 + 120));

    frahej = make<QGroupBox>(this, "frahej", QStringLiteral("Conversion"));
    place(frahej, 240, 120, 6735, 5295);
    opthtg = make<QRadioButton>(frahej, "opthtg", QStringLiteral("Convert Hejric to Gregorian"));
    place(opthtg, 360, 360, 3255, 375);
    opthtg->setChecked(true);
    optgth = make<QRadioButton>(frahej, "optgth", QStringLiteral("Convert Gregorian to Hejric"));
    place(optgth, 360, 960, 4095, 255);
    Line1 = rule(frahej, "Line1", 120, 6480, 1440);
    lblhej =
        make<QLabel>(frahej, "lblhej", QStringLiteral("Please enter the date you wish to convert"));
    lblhej->setAlignment(Qt::AlignCenter);
    place(lblhej, 1320, 1560, 3015, 375);
    lbly = make<QLabel>(frahej, "lbly", QStringLiteral("Year:"));
    place(lbly, 240, 2040, 375, 375);
    txty = make<QLineEdit>(frahej, "txty", QStringLiteral("1441"));
    place(txty, 720, 2040, 615, 285);
    lblm = make<QLabel>(frahej, "lblm", QStringLiteral("Month:"));
    place(lblm, 1560, 2040, 495, 375);
    cbom = make<QComboBox>(frahej, "cbom");
    place(cbom, 2280, 2040, 1815, 315);
    lbld = make<QLabel>(frahej, "lbld", QStringLiteral("Day:"));
    place(lbld, 4320, 2040, 375, 375);
    cbod = make<QComboBox>(frahej, "cbod");
    place(cbod, 4800, 2040, 615, 315);
    Line2 = rule(frahej, "Line2", 120, 6480, 2520);
    lblres = make<QLabel>(frahej, "lblres", QStringLiteral("The Corresponding Date is:"));
    lblres->setAlignment(Qt::AlignCenter);
    place(lblres, 2040, 2640, 2535, 375);
    lblday = resultLabel(frahej, "lblday", true, 12);
    place(lblday, 240, 3120, 1695, 375);
    lbldt = resultLabel(frahej, "lbldt", false, 13.5);
    place(lbldt, 2040, 3120, 495, 375);
    lblmt = resultLabel(frahej, "lblmt", true, 12);
    place(lblmt, 2640, 3120, 2775, 495);
    lblyt = resultLabel(frahej, "lblyt", false, 13.5);
    place(lblyt, 5400, 3120, 1095, 375);

    QFont note(QStringLiteral("MS Sans Serif"));
    note.setPointSizeF(9.75);
    lblvis = make<QLabel>(frahej, "lblvis",
                          QStringLiteral("Date Conversion is NOT based on Crescent Visibility "));
    QFont boldNote = note;
    boldNote.setBold(true);
    lblvis->setFont(boldNote);
    lblvis->setStyleSheet(QStringLiteral("color: red;"));
    lblvis->setAlignment(Qt::AlignCenter);
    place(lblvis, 600, 3600, 5535, 375);
    lbler = make<QLabel>(frahej, "lbler", QStringLiteral("One-day difference is possible"));
    lbler->setFont(note);
    lbler->setAlignment(Qt::AlignCenter);
    place(lbler, 1680, 4000, 3135, 375);

    cmdcon = make<QPushButton>(frahej, "cmdcon", QStringLiteral("Con&vert"));
    place(cmdcon, 1320, 4560, 1215, 495);
    cmdcan = make<QPushButton>(frahej, "cmdcan", QStringLiteral("&Cancel"));
    place(cmdcan, 4200, 4560, 1215, 495);
    cmdcon->setAutoDefault(false);
    cmdcan->setAutoDefault(false);

    setTabOrder(opthtg, optgth);
    setTabOrder(optgth, txty);
    setTabOrder(txty, cbom);
    setTabOrder(cbom, cbod);
    setTabOrder(cbod, cmdcon);
    setTabOrder(cmdcon, cmdcan);
    opthtg->installEventFilter(this);

    // clicked, not toggled: choosing the selected direction again resets the
    // date as well, and nothing here runs when code selects a button.
    connect(opthtg, &QRadioButton::clicked, this, [this] { opthtg_Click(); });
    connect(optgth, &QRadioButton::clicked, this, [this] { optgth_Click(); });
    connect(cmdcon, &QPushButton::clicked, this, [this] { cmdcon_Click(); });
    connect(cmdcan, &QPushButton::clicked, this, [this] { cmdcan_Click(); });
}

bool frmhej::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == opthtg && event->type() == QEvent::FocusIn)
        opthtg_GotFocus();
    return QDialog::eventFilter(watched, event);
}

void frmhej::Form_Load()
{
    english_ = settings::readPreferences().eng;
    if (!english_)
        switchToArabic();
    fillMonths(true);
    fillDays(30);
    for (QLabel* l : {lblhej, lblres, lblvis, lbler})
        fitCentred(l);
    platform::makeRoomForTexts(this, english_);
}

void frmhej::switchToArabic()
{
    setWindowTitle(QStringLiteral("تحويل هجري-ميلادي"));
    setLayoutDirection(Qt::RightToLeft);
    frahej->setTitle(QStringLiteral("تحويل"));
    frahej->setLayoutDirection(Qt::RightToLeft);
    opthtg->setText(QStringLiteral("التحويل من هجري إلى ميلادي"));
    optgth->setText(QStringLiteral("التحويل من ميلادي إلى هجري"));
    for (QRadioButton* o : {opthtg, optgth}) {
        setRightToLeft(o, true);
        setLeftWidth(o, 2900, 2500);
    }
    lblhej->setText(QStringLiteral("الرجاء إدخال التاريخ الذي ترغب بتحويله"));
    setRightToLeft(lblhej, false);
    setLeft(lblhej, 1500);
    lbly->setText(QStringLiteral("السنة"));
    setRightToLeft(lbly, false);
    setLeftWidth(lbly, 920, 400);
    setLeft(txty, 240);
    lblm->setText(QStringLiteral("الشهر"));
    setRightToLeft(lblm, false);
    setLeft(lblm, 3500);
    setRightToLeft(cbom, false);
    setLeft(cbom, 1600);
    lbld->setText(QStringLiteral("اليوم"));
    setRightToLeft(lbld, false);
    setLeft(lbld, 5100);
    setRightToLeft(cbod, false);
    setLeft(cbod, 4400);
    lblres->setText(QStringLiteral("التاريخ الموافق هو"));
    setRightToLeft(lblres, false);
    lblvis->setText(QStringLiteral("تحويل التواريخ لا يعتمد على رؤية الهلال"));
    setRightToLeft(lblvis, false);
    setLeft(lblvis, 500);
    lbler->setText(QStringLiteral("من المحتمل وجود فارق بمقدار يوم واحد"));
    setRightToLeft(lbler, false);
    cmdcon->setText(QStringLiteral("&تحويل"));
    setLeft(cmdcon, 3600);
    cmdcan->setText(QStringLiteral("&خروج"));
    setLeft(cmdcan, 840);
}

void frmhej::fillMonths(bool hijri)
{
    const auto direction =
        hijri ? ConvertDirection::HijriToGregorian : ConvertDirection::GregorianToHijri;
    cbom->clear();
    for (int m = 1; m <= 12; ++m)
        cbom->addItem(QString::fromUtf8(tools::converterMonthName(direction, m, !english_)));
    cbom->setCurrentIndex(0);
}

void frmhej::fillDays(int last)
{
    cbod->clear();
    for (int d = 1; d <= last; ++d)
        cbod->addItem(QString::number(d));
    cbod->setCurrentIndex(0);
}

void frmhej::opthtg_Click()
{
    if (!english_)
        cbom->setLayoutDirection(Qt::RightToLeft);
    fillMonths(true);
    fillDays(30);
    txty->setText(QStringLiteral("1441"));
}

void frmhej::optgth_Click()
{
    if (!english_)
        cbom->setLayoutDirection(Qt::RightToLeft);
    fillMonths(false);
    fillDays(31);
    txty->setText(QStringLiteral("2019"));
}

void frmhej::opthtg_GotFocus()
{
    txty->setSelection(0, static_cast<int>(txty->text().size()));
}

void frmhej::cmdcon_Click()
{
    tools::ConvertInput input;
    input.direction = opthtg->isChecked() ? ConvertDirection::HijriToGregorian
                                          : ConvertDirection::GregorianToHijri;
    input.yearText = txty->text().toStdString();
    input.monthText = cbom->currentText().toStdString();
    input.dayText = cbod->currentText().toStdString();
    input.english = english_;
    const tools::ConvertResult r = tools::convertDate(input);
    if (r.fault != tools::ConvertFault::None) {
        const tools::ConvertMessage m = tools::convertMessage(r.fault, english_);
        platform::msgBox(this, fromUtf8(m.text), fromUtf8(m.title), english_,
                         platform::MsgIcon::Warning);
        (m.focus == tools::ConvertFocus::Day ? static_cast<QWidget*>(cbod) : txty)->setFocus();
        return;
    }
    lblday->setText(fromUtf8(r.weekday));
    lbldt->setText(fromUtf8(r.day));
    lblmt->setText(fromUtf8(r.month));
    lblyt->setText(fromUtf8(r.year));
    if (!english_) {
        // Qt substitutes a face it has when "Simplified Arabic" is missing,
        // so the conversion always goes on.
        for (QLabel* l : {lblday, lblmt}) {
            QFont f = l->font();
            f.setFamily(QStringLiteral("Simplified Arabic"));
            f.setPointSizeF(14);
            l->setFont(f);
        }
        setLeftWidth(lblday, 5500, 800);
        setLeft(lbldt, 4000);
        lblmt->setGeometry(twips(2000), twips(3030), twips(2000), lblmt->height());
        setLeftWidth(lblyt, 700, 800);
    }
    for (QLabel* l : {lblday, lbldt, lblmt, lblyt}) {
        l->setAlignment(Qt::AlignCenter);
        fitCentred(l);
        l->setVisible(true);
    }
    shareBaseline(lblday, {lbldt, lblmt, lblyt});
}

void frmhej::cmdcan_Click()
{
    close();
}
