#pragma once
// The program's main window: five tabs (agenda, billing, clients, resources
// and services, credits), a status bar, F2 for the settings, and the saving
// of the window's state when it closes.
#include <QMainWindow>
#include <QPointer>
#include <QVector>

class Graella;
class TabAgenda;
class TabClients;
class TabFacturacio;
class TabRecursosServeis;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTimer;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The load: position, captions, flags, status bar, cheque controls,
    // credits, calendar, agenda dates, billing month and every tab's filler.
    // Throws on a failure (the start-up reports it).
    void Form_Load();
    void Tradueix_Formulari();

    // Tab index 1..5, as the window numbers its tabs.
    int PestanyaActual() const { return m_pestanyaActual; }
    void Pestanyes_Click(int index);
    // A key seen anywhere in the window (F2 opens the settings).
    void Form_KeyDown(int key);
    // The closing steps; runs once (also when the window is closed).
    void Form_Unload();

    // Operations of the board and billing tabs (filled in by those tabs).
    void Omple_Agenda();
    void Omple_Graella_Llocs();
    void Calcula_Facturacio_Client();
    TabFacturacio* tabFacturacio() const { return m_tabFacturacio; }

    // Window position store (group "Settings" of the program's user settings).
    static QPoint posicioDesada();
    static void desaPosicio(const QPoint& p);

signals:
    // The window has unloaded: the program ends (and restarts when asked).
    void descarregat();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void construeix();
    QWidget* construeixAgenda(QWidget* trama);
    QWidget* construeixFacturacio(QWidget* trama);
    QWidget* construeixClients(QWidget* trama);
    QWidget* construeixRecursos(QWidget* trama);
    QWidget* construeixCredits(QWidget* trama);
    void ajustaTrames(QWidget* central);
    // The tab strip and the frames follow the size of the client area.
    void segueixMida(const QSize& mida);
    void amagaControlsXecs();
    void creditsDeCarrega();
    void calendariDeCarrega();
    void instalOperacions();
    void actualitzaRellotge();
    void picLogoTL_Click();

    QTabBar* Pestanyes = nullptr;
    QVector<QWidget*> Trama;   // Trama[1..5]; Trama[0] unused
    QSize m_margeTrames;       // client area less a frame
    int m_margePestanyes = 0;  // client area width less the tab strip's
    int m_pestanyaActual = 1;
    bool m_descarregat = false;
    const QEvent* m_darrerF2 = nullptr;
    QPointer<QWidget> m_receptorF2;

    QLabel* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* Panel3 = nullptr;
    QTimer* m_rellotge = nullptr;

    // Tab 1
    TabAgenda* m_tabAgenda = nullptr;

    // Tab 2
    TabFacturacio* m_tabFacturacio = nullptr;

    // Tabs 3 and 4
    TabClients* m_tabClients = nullptr;
    TabRecursosServeis* m_tabRecursos = nullptr;

    // Tab 5
    QLabel* lblProductName = nullptr;
    QLabel* lblCodVersion = nullptr;
    QLabel* lblCompanyName = nullptr;
    QLabel* picLogoTL = nullptr;
};
