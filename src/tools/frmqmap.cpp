#include "frmqmap.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWindow>

#include "platform/programfolder.h"
#include "platform/qt/textroom.h"
#include "settings/dialogs/dialogsupport.h"
#include "settings/records.h"

using dialogs::place;
using dialogs::twips;

frmqmap::frmqmap(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmqmap"));
    createControls();
    Form_Load();
}

void frmqmap::createControls()
{
    setWindowTitle(QStringLiteral("Miqatix: Qiblah World Map"));
    setFixedSize(twips(11730), twips(7425));

    imgqmap = new QLabel(this);
    imgqmap->setObjectName(QStringLiteral("imgqmap"));
    place(imgqmap, 0, 0, 11670, 6750);
    imgqmap->setScaledContents(true);
    // The picture is drawn by the build into the program folder; without it
    // the window still explains itself and closes.
    const QPixmap picture(QString::fromStdString(platform::programFile(kQiblaMapPicture).string()));
    imgqmap->setPixmap(picture);

    lblqmap = new QLabel(QStringLiteral("Red numbers at the top and the bottom are the Qiblah "
                                        "direction from the True North for each color band"),
                         this);
    lblqmap->setObjectName(QStringLiteral("lblqmap"));
    place(lblqmap, 480, 6960, 9255, 255);
    lblqmap->setAlignment(Qt::AlignCenter);
    lblqmap->setAutoFillBackground(true);
    QPalette palette = lblqmap->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    palette.setColor(QPalette::Window, Qt::white);
    lblqmap->setPalette(palette);

    cmdclose = new QPushButton(QStringLiteral("&Close"), this);
    cmdclose->setObjectName(QStringLiteral("cmdclose"));
    place(cmdclose, 10200, 6840, 1095, 495);
    connect(cmdclose, &QPushButton::clicked, this, &frmqmap::cmdclose_Click);
}

void frmqmap::Form_Load()
{
    const settings::Preferences pref = settings::readPreferences();
    if (!pref.eng) {
        setWindowTitle(QStringLiteral("Miqatix: خارطة العالم للقبلة"));
        setLayoutDirection(Qt::RightToLeft);
        lblqmap->setText(QStringLiteral("الأرقام الحمراء الموجودة أعلى و أدنى الخارطة تشير إلى سمت "
                                        "القبلة عن الشمال الجغرافي لكل حزمة لونية"));
        dialogs::setRightToLeft(lblqmap, false);
        dialogs::setLeftWidth(lblqmap, 2800, 8000);
        cmdclose->setText(QStringLiteral("إ&غلاق"));
        dialogs::setLeft(cmdclose, 500);
    }
    TopMost(this, true);
    platform::makeRoomForTexts(this, pref.eng);
}

void frmqmap::cmdclose_Click()
{
    close();
}

void frmqmap::TopMost(QWidget* form, bool State)
{
    if (!form)
        return;
    // On a shown window the flag goes to its native window: setting it on
    // the widget would create the native window anew.
    if (QWindow* window = form->windowHandle(); window && form->isVisible())
        window->setFlag(Qt::WindowStaysOnTopHint, State);
    else
        form->setWindowFlag(Qt::WindowStaysOnTopHint, State);
}

void frmqmap::Form_Resize()
{
    TopMost(this, true);
}

void frmqmap::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmqmap::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // Minimising and restoring change the size as the window system sees it.
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}
