#include "widgets/StatusPanels.h"
#include "widgets/TextFit.h"
#include <QLabel>

StatusPanels::StatusPanels(int panelCount, int panelWidth, QWidget* parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    for (int i = 0; i < panelCount; ++i) {
        auto* label = new QLabel(this);
        label->setFixedWidth(panelWidth);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setObjectName(QString("panel%1").arg(i));
        addWidget(label);
        panels_.push_back(label);
    }
}

void StatusPanels::fitPanel(int index, const QStringList& longestTexts)
{
    if (index < 0 || index >= panelCount())
        return;
    QLabel* panel = panels_[static_cast<size_t>(index)];
    const int besideText = panel->width() - textRoom(*panel);
    panel->setFixedWidth(widestText(*panel, longestTexts) + besideText);
}

void StatusPanels::setPanelText(int index, const QString& text)
{
    if (index >= 0 && index < panelCount())
        panels_[static_cast<size_t>(index)]->setText(text);
}

QString StatusPanels::panelText(int index) const
{
    return index >= 0 && index < panelCount() ? panels_[static_cast<size_t>(index)]->text() : QString();
}
