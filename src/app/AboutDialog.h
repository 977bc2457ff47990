#pragma once
#include "common/Language.h"
#include <QDialog>

class QLabel;
class QPushButton;
class SvgPicture;

// The about window: name, version and release of the program, who passes
// it on, a legal notice and the credits. Created once and kept.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    void setLanguage(Language language);
    // Centres the window on the screen and returns when the user closes it.
    void showCentered();

    QLabel* titleLabel;
    QLabel* platformLabelGerman;
    QLabel* platformLabelEnglish;
    QLabel* versionLabel;
    QLabel* releaseLabel;
    QLabel* distributorLabelGerman;
    QLabel* distributorLabelEnglish;
    QLabel* disclaimerLabelGerman;
    QLabel* disclaimerLabelEnglish;
    QLabel* toolsLabelGerman;
    QLabel* toolsLabelEnglish;
    SvgPicture* portrait;
    SvgPicture* banner;
    QPushButton* closeButton;

private:
    void layOut();
    void closeClicked();
};
