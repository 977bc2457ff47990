#pragma once
#include "widgets/EmbeddedForm.h"

struct ProgramState;
class QLabel;
class QLineEdit;
class QPushButton;

// Speed conversion: the change of playing speed in percent that turns an
// actual tempo into a desired one.
class TFrmGeschwindigkeitsumrechnung : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmGeschwindigkeitsumrechnung(ProgramState& state, QWidget* parent = nullptr);

    void ED_IstKeyPress();  // Enter in ED_Ist
    void ED_SollKeyPress(); // Enter in ED_Soll
    void BT_BerechnenClick();
    void BT_ResetClick();
    void BT_HelpClick();

    QLabel* label1 = nullptr;
    QLineEdit* ED_Ist = nullptr; // the count-beat window writes its average here
    QLabel* label2 = nullptr;
    QLabel* label3 = nullptr;
    QLineEdit* ED_Soll = nullptr;
    QLabel* label4 = nullptr;
    QLabel* label5 = nullptr;
    QLineEdit* ED_Anpassung = nullptr;
    QLabel* LMDSimpleLabel6 = nullptr;
    QPushButton* BT_Berechnen = nullptr;
    QPushButton* BT_Reset = nullptr;
    QPushButton* BT_Help = nullptr;

protected:
    void applyLanguage() override;

private:
    // Enter in one field: computes when the other is filled, else moves there.
    void enterIn(QLineEdit* field, QLineEdit* other, const QString& missingText);
    void warn(const QString& text);

    ProgramState& state_;
};
