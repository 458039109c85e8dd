#pragma once
// The "Facturació" tab: the billing month, the client (none = all clients),
// the box for what is still to invoice, the billing grid with the month's
// job lines, totals and quotas, the cheque grid, the payments on account and
// the totals. The month is computed whole before anything is written, so a
// failure leaves the grids as they were. The tab keeps the last computed
// month for the invoicing and the printed reports.
#include "FacturacioMes.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class Combo;
class Graella;
class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
struct EntradaFacturacio;

class TabFacturacio : public QWidget {
    Q_OBJECT
public:
    explicit TabFacturacio(QWidget* parent = nullptr);
    ~TabFacturacio() override;

    // The main window's load: the month of the board's date, the pending
    // box unchecked, the cheque controls hidden without a cheque service,
    // the controls of the combo's mode. Installs Calcula_Facturacio_Client
    // among the main window's operations.
    void inicia();
    void instalOperacions();

    // Reads, computes and shows the chosen client's month (all clients with
    // none chosen). On a failure it shows "Error:" and the description,
    // leaves the grids and boxes as they were and gives false.
    bool Calcula_Facturacio_Client();
    // The month last computed and shown (calculat false before the first).
    const FacturacioMes& darrerResultat() const { return m_resultat; }

    // The client combo, filled by the clients tab.
    QComboBox* clientsCombo() const;
    // The chosen client, "" for none.
    QString clientTriat() const;

    // Opens the job dialog on FeinaActual; it leaves "OK" in Missatge after a save.
    std::function<void()> obreFeina;

    // Handlers of the tab's controls (called by their events).
    void mesFactura_GotFocus();
    void mesFactura_LostFocus();
    void ClientsCombo_Click();
    void PdtFacturar_Click();
    void TotalPagaments_LostFocus();
    // Every other way out of the payment box (the window closing, another
    // tab, client or month, "Facturar client"): what was typed there and not
    // stored yet is stored for the month and client the box shows, as leaving
    // the box does; nothing typed, nothing done. False when the text was
    // refused (its message shown, the stored payment shown again).
    bool desaPagamentEscrit();
    // Actions on the grids' rows: Enter, Space and Delete (Qt key codes).
    void FacturaGrid_DblClick();
    void FacturaGrid_KeyDown(int key);
    void XecsGrid_KeyDown(int key);

signals:
    // A refused month keeps the billing tab shown.
    void retenPestanya();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    // Invoicing and the month's reports.
    void ImprimirFacturacio_Click();
    void ImprimirXecs_Click();
    void ImprimirHores_Click();

private:
    void construeix();
    void aplicaMode();
    void amagaControlsXecs();
    // The payment of `client`'s month (as the pending box reads it) in the box.
    void mostraPagament(const Decimal& import, const QString& client, const QString& mes, bool pendents);
    bool desaPagament();
    void mostra(FacturacioMes resultat);
    void canviClientCombo();
    QString mesPerDefecte() const;
    QDate iniciMesQuadre() const;
    // The job of the billing grid's current row into FeinaActual; false
    // (nothing loaded) for any other row or a job that is gone.
    bool carregaFeinaFila(bool &noTrobada);
    void obreFeinaActual();
    // A failure of the tab's handlers: the "Error:" box, or kept for the
    // billing run, which reports it once as its own.
    void avisaError(const QString& descripcio);
    // The invoicing of the chosen client: its billing data's document is
    // started, the marks are stored, then the document is drawn (a failure
    // ends the document through its error path).
    void Facturar_Client();
    // The billing run over all clients with its printed summary.
    void Calcul_Dades_Facturacio();

    FacturacioMes m_resultat;
    bool m_resultatVell = false;   // the last computation failed: the grids show an older month
    QString* m_errorRetingut = nullptr;   // set while the billing run goes on
    bool m_nomesCalcula = false;          // the run's months are computed, not shown
    QString m_mesAnterior;
    QString m_clientMostrat;
    bool m_llistaCanviant = false;
    bool m_validantMes = false;
    // Whose payment the payment box shows and the text it was given: another
    // text there was typed and is not stored yet.
    struct CaixaPagament {
        QString client;
        QString mes;
        bool pendents = false;
        QString text;
    } m_caixaPagament;
    bool m_desantPagament = false;
    QLayout* m_capsaXecs = nullptr;

    QLabel* Label51 = nullptr;
    QLineEdit* mesFactura = nullptr;
    QLabel* Label52 = nullptr;
    Combo* ClientsCombo = nullptr;
    QLabel* Label53 = nullptr;
    QCheckBox* PdtFacturar = nullptr;
    Graella* FacturaGrid = nullptr;
    QLabel* Label59 = nullptr;
    QLineEdit* TotalServeis = nullptr;
    QLabel* Label58 = nullptr;
    QLabel* Label57 = nullptr;
    Graella* XecsGrid = nullptr;
    QLabel* Label61 = nullptr;
    QLineEdit* TotalNXecs = nullptr;
    QLineEdit* TotalXecs = nullptr;
    QLabel* Label60 = nullptr;
    QLabel* Label67 = nullptr;
    QLineEdit* TotalPagaments = nullptr;
    QLabel* Label68 = nullptr;
    QLabel* Label54 = nullptr;
    QLineEdit* TotalFacturar = nullptr;
    QLabel* Label55 = nullptr;
    QPushButton* ImprimirFacturacio = nullptr;
    QPushButton* ImprimirXecs = nullptr;
    QPushButton* ImprimirHores = nullptr;
};
