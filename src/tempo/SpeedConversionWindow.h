#pragma once
#include "widgets/EmbeddedForm.h"

struct ProgramState;
class MeasuredTempo;
class QLabel;
class QLineEdit;
class QPushButton;

// Speed conversion: the change of playing speed in percent that turns an
// actual tempo into a desired one.
class SpeedConversionWindow : public EmbeddedForm {
    Q_OBJECT
public:
    explicit SpeedConversionWindow(ProgramState& state, QWidget* parent = nullptr);

    // The actual tempo field shows the measured tempo, and what the operator
    // types there is the measured tempo from then on.
    void setMeasuredTempo(MeasuredTempo* measured);

    void actualTempoEntered();  // Enter in actualTempoEdit
    void desiredTempoEntered(); // Enter in desiredTempoEdit
    void calculateClicked();
    void resetClicked();

    QLabel* actualTempoLabel = nullptr;
    QLineEdit* actualTempoEdit = nullptr;
    QLabel* actualUnitLabel = nullptr;
    QLabel* desiredTempoLabel = nullptr;
    QLineEdit* desiredTempoEdit = nullptr;
    QLabel* desiredUnitLabel = nullptr;
    QLabel* adaptationLabel = nullptr;
    QLineEdit* adaptationEdit = nullptr;
    QLabel* percentLabel = nullptr;
    QPushButton* calculateButton = nullptr;
    QPushButton* resetButton = nullptr;
    QPushButton* helpButton = nullptr;

protected:
    void applyLanguage() override;

private:
    // Enter in one field: computes when the other is filled, else moves there.
    void enterIn(QLineEdit* field, QLineEdit* other, const QString& missingText);
    void warn(const QString& text);

    ProgramState& state_;
};
