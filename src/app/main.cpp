#include "Mainform.h"
#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vantor");
    TMainform mainform;
    mainform.show();
    return QApplication::exec();
}
