#pragma once
#include "common/Language.h"
#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the two tempo adjustment dialogs share: the group of actual tempo,
// desired tempo and adjustment, the close button, the captions in both
// languages, centring on the screen and the modal showing.
class AdaptDialog : public QDialog {
    Q_OBJECT
public:
    // Makes the application answer in the language and sets caption and texts.
    void setLanguage(Language language);
    // Replaces the modal loop; tests read the fields instead of blocking.
    void setModalRunner(std::function<void()> runner) { modalRunner_ = std::move(runner); }

    QGroupBox* speedGroup = nullptr;
    QLabel* actualSpeedLabel = nullptr;
    QLabel* desiredSpeedLabel = nullptr;
    QLabel* adaptationLabel = nullptr;
    QLineEdit* actualSpeedEdit = nullptr;
    QLineEdit* desiredSpeedEdit = nullptr;
    QLineEdit* adaptationEdit = nullptr;
    QPushButton* closeButton = nullptr;

protected:
    struct Layout {
        QRect group;
        int labelWidth;
        int fieldWidth;
        int rowHeight;
        QRect closeButton;
        QColor fieldColour;
    };
    AdaptDialog(const QString& objectName, QSize clientSize, QWidget* parent);
    // Creates the controls on host (the dialog or its panel).
    void buildControls(QWidget* host, const Layout& layout);
    void runModal();

private:
    void setTexts();

    std::function<void()> modalRunner_;
};
