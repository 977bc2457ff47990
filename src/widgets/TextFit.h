#pragma once
#include <QStringList>
#include <initializer_list>

class QAbstractButton;
class QWidget;

// The width a line edit or a label gives its text: inside its frame,
// margins and indent, as the widget itself lays the text out.
int textRoom(const QWidget& field);

// The widest of the texts in the field's font, with the pixel a line edit
// keeps beside its text.
int widestText(const QWidget& field, const QStringList& texts);

bool textsFit(const QWidget& field, const QStringList& texts);

// Makes the field's font smaller, a pixel at a time, until every text fits:
// a last resort where the field cannot grow, so that no digit is cut off.
void shrinkFontToFit(QWidget& field, const QStringList& texts);

// The narrowest a push button can be and still show its whole text and icon;
// styles ask a wider minimum of every button, too wide for a row of short ones.
int buttonTextWidth(const QAbstractButton& button);

// Lets each button shrink to its text, so that a row of them fits a narrow panel.
void letButtonsShrinkToText(std::initializer_list<QAbstractButton*> buttons);
