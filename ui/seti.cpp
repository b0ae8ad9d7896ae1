#include "ui/seti.h"

#include "ui/cou.h"

TForm2::TForm2(TForm1* mainWindow) : QWidget(mainWindow, Qt::Window), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("设置"));
}
