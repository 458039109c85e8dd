#pragma once
// The log window of the long runs (planning, billing run). A run writes into
// it through Registre_Missatges; the window only buffers the pieces, appends
// them to its text and repaints at a bounded rate (pending events are
// processed then, so that the windows show), and closes on Tancar once the
// run ended. While a run goes on the other windows take no input: the run
// holds its transaction open, and nothing may start another action inside it.
#include "Registre.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmMissatges : public QWidget, public RegistreSink {
    Q_OBJECT
public:
    // The single instance, loaded when missing; loading installs it as the
    // sink of Registre_Missatges (the earlier sink comes back when it closes).
    static frmMissatges* carrega(QWidget* parent = nullptr);
    // The loaded instance, or nullptr.
    static frmMissatges* instancia();
    // Makes every run open the window: installs a sink that loads it (as a
    // window of G.frmPrincipal) when a run starts. Called once by the main window.
    static void instalaRegistre();
    // Unloads the window, whatever its state (end of the program).
    static void descarrega();

    void comenca(const QString& titol) override;
    void afegeix(const QString& text) override;
    void acaba() override;

    // The whole log, pieces not yet shown included.
    QString text();
    bool enCurs() const { return enCurs_; }

    // Interval between two repaints during a run.
    static constexpr int MilisegonsRepintat = 100;

public slots:
    void Tancar_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit frmMissatges(QWidget* parent);
    ~frmMissatges() override;
    void buida();
    void desconnecta();
    void mostra();
    void bloqueja(bool on);

    QLabel* Label1 = nullptr;
    QPlainTextEdit* Missatges = nullptr;
    QPushButton* Tancar = nullptr;

    QString pendent_;
    QElapsedTimer rellotge_;
    bool enCurs_ = false;
    bool cursorOcupat_ = false;
    bool bloquejant_ = false;   // the input filter is installed
    RegistreSink* anterior_ = nullptr;
};
