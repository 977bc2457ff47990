#pragma once
#include "tempo/AdaptDialog.h"

class QFrame;

// The adjustment dialog for a target tempo that the user typed.
class TFrmAdaptFixSpeed : public AdaptDialog {
    Q_OBJECT
public:
    explicit TFrmAdaptFixSpeed(QWidget* parent = nullptr);

    // Fills the fields and shows the dialog modally; returns when it is closed.
    void ShowFixedAdaptation(float actual, float desired);

    QFrame* Panel1 = nullptr;
};
