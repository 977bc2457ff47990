#include "Mainform.h"
#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vantor");
    TMainform mainform;
    if (!mainform.startupError().isEmpty()) {
        QMessageBox::critical(nullptr, QApplication::applicationName(), mainform.startupError());
        return 1;
    }
    mainform.show();
    mainform.activateWindow(); // keyboard shortcuts need the active window
    return QApplication::exec();
}
