#include "tempo/MeasuredTempo.h"

void MeasuredTempo::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    emit changed(text_);
}
