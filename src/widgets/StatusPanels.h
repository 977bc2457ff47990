#pragma once
#include <QStatusBar>
#include <vector>

class QLabel;

// A status bar of fixed-width text panels addressed by position.
class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    StatusPanels(int panelCount, int panelWidth, QWidget* parent = nullptr);

    // Widens or narrows a panel to show the longest of the texts whole.
    void fitPanel(int index, const QStringList& longestTexts);
    void setPanelText(int index, const QString& text);
    QString panelText(int index) const;
    int panelCount() const { return static_cast<int>(panels_.size()); }

private:
    std::vector<QLabel*> panels_;
};
