#pragma once
// The start window: logo, product, version and company for a few seconds;
// then the main window, or on the first run the settings, the example data
// and the end of the program so that it starts again configured.
#include <QWidget>

class QLabel;
class QTimer;

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    QTimer* TimerSplash() const { return m_timer; }
    // Time the window stays before its timer runs (3000 ms; tests change it).
    static void setInterval(int ms);
    static int interval();

public slots:
    // Closes the splash, then the normal run or the first run. Runs once.
    void TimerSplash_Timer();

private:
    QLabel* picLogo = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblCompanyProduct = nullptr;
    QTimer* m_timer = nullptr;
    bool m_fet = false;
};
