#include "Mainform.h"

TMainform::TMainform(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle("Vantor");
}
