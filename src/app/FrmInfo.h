#pragma once
#include "common/Language.h"
#include <QDialog>

class QLabel;
class QPushButton;
class SvgPicture;

// The about window: name, version and release of the program, who passes
// it on, a legal notice and the credits. Created once and kept.
class TFrmInfo : public QDialog {
    Q_OBJECT
public:
    explicit TFrmInfo(QWidget* parent = nullptr);

    void SetLanguage(Language language);
    // Centres the window on the screen and returns when the user closes it.
    void ShowCentered();

    QLabel* LMDSimpleLabel1;
    QLabel* label1_de;
    QLabel* label1_en;
    QLabel* LMDSimpleLabel3;
    QLabel* LMDSimpleLabel7;
    QLabel* label2_de;
    QLabel* label2_en;
    QLabel* label3_de;
    QLabel* label3_en;
    QLabel* label4_de;
    QLabel* label4_en;
    SvgPicture* Image1;
    SvgPicture* Image2;
    QPushButton* BT_close;

private:
    void BT_closeClick();
};
