#pragma once
#include "tempo/AdaptDialog.h"

class QFrame;

// The adjustment dialog for a target tempo that the user typed.
class AdaptFixedSpeedDialog : public AdaptDialog {
    Q_OBJECT
public:
    explicit AdaptFixedSpeedDialog(QWidget* parent = nullptr);

    // Fills the fields and shows the dialog modally; returns when it is closed.
    void showFixedAdaptation(float actual, float desired);

    QFrame* frame = nullptr;
};
