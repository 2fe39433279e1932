// qamtar: the main program. Its start-up is the main window's load.
#include <QApplication>

#include "mainwindow/frmmain.h"
#include "mainwindow/programwindows.h"
#include "platform/qt/qtplatform.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::installQtPlatform();
    mainwindow::registerProgramWindows();
    frmmain* window = frmmain::load();
    window->show();
    return app.exec();
}
