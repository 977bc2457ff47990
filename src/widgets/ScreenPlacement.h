#pragma once

class QWidget;

// Centres a free-standing window on its screen: left := (screen width -
// window width) div 2, top likewise, with the outer size of the window.
void CentreOnScreen(QWidget& window);
