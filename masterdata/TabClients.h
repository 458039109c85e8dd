#pragma once
// The "Clients" tab: the client editor, the sites of the shown client, the
// services done at the shown site and the client's cheques. Showing a client
// refills its sites and cheques; the dependent editors are locked while
// nothing is shown in the editor they depend on.
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Combo;
class Decimal;
class Llista;
struct ValorsLloc;
namespace Dades {
struct Lloc;
}

class TabClients : public QWidget {
    Q_OBJECT
public:
    explicit TabClients(QWidget* parent = nullptr);

    // Fillers: each refills its list from the current selection of the list
    // it depends on and resets its editor; the dependent ones also enable or
    // lock it. They show the first entry when there is one.
    void Omple_Clients();
    void Omple_Llocs_Client();
    void Omple_Serveis_Lloc();
    void Omple_Xecs_Client();
    // Weekday and start-time combos of the site editor (from the settings).
    void Omple_Combos_Lloc();

    // The billing tab's client combo, refilled by Omple_Clients.
    void setClientsCombo(QComboBox* combo);
    // Combos of this tab that the "Recursos i Serveis" tab fills.
    QComboBox* serveisCombo() const;
    QComboBox* recursosCombo() const;

    // Choosing an entry, by the user or by code: sets the selection (-1 = none)
    // and shows the entry, as a click on it does.
    void seleccionaClient(int index);
    void seleccionaLloc(int index);
    void seleccionaServeiLloc(int index);
    void seleccionaServeiCombo(int index);
    void seleccionaXec(int index);
    // Shows a site with its client, as a double click on the board's sites
    // palette does; false when the site does not exist.
    bool mostraLloc(const QString& lloc);

public slots:
    void AfegirClient_Click();
    void ModificarClient_Click();
    void EliminarClient_Click();
    void AfegirLloc_Click();
    void ModificarLloc_Click();
    void EliminarLloc_Click();
    void AfegirServeiLloc_Click();
    void ModificarServeiLloc_Click();
    void EliminarServeiLloc_Click();
    void AfegirXec_Click();
    void ModificarXec_Click();
    void EliminarXec_Click();

private:
    // Layout of each frame.
    QWidget* creaClients();
    QWidget* creaLlocs();
    QWidget* creaServeisLloc();
    QWidget* creaXecs();

    // Handlers.
    void ClientsLlista_Click();
    void LlocsLlista_Click();
    void ServeisLlocLlista_Click();
    void ServeisCombo_Click();
    void ServeisCombo_DropDown();
    void XecsLlista_Click();

    // The stored name of the shown client ("" when none).
    QString clientMostrat() const;
    void bloquejaLlocs(bool bloqueja);
    void bloquejaServeisLloc(bool bloqueja);
    void bloquejaXecs(bool bloqueja);
    void buidaEditorXec();
    Dades::Lloc llocDeCaixes(const ValorsLloc& v) const;
    void modificaLloc();
    void afegeixLloc();
    void eliminaLloc();
    void afegeixServeiLloc();
    void modificaServeiLloc();
    void eliminaServeiLloc();
    bool validaLiniaServei(const QString& servei);
    void comprovaMinutsServeis(const QString& lloc);
    void afegeixXec();
    void modificaXec();
    void eliminaXec();
    bool validaXec(qint32& id, Decimal& valor);
    bool llegeixNumeroXec(qint32& id);

    // ---- client editor ----
    Llista* ClientsLlista = nullptr;
    QLineEdit* NomClient = nullptr;
    QLineEdit* NomClientANT = nullptr;
    QLineEdit* NIFClient = nullptr;
    QLineEdit* AdrecaClient = nullptr;
    QLineEdit* PoblacioClient = nullptr;
    QLineEdit* CodiPostalClient = nullptr;
    QLineEdit* TelefonsClient = nullptr;
    QLineEdit* DataAltaClient = nullptr;
    QLineEdit* EmailClient = nullptr;
    QLineEdit* CccClient = nullptr;
    QCheckBox* XecsClient = nullptr;
    QPlainTextEdit* ObservacionsClient = nullptr;
    QPushButton* AfegirClient = nullptr;
    QPushButton* ModificarClient = nullptr;
    QPushButton* EliminarClient = nullptr;
    QPointer<QComboBox> ClientsCombo;

    // ---- site editor ----
    Llista* LlocsLlista = nullptr;
    QLineEdit* NomLloc = nullptr;
    QLineEdit* NomLlocANT = nullptr;
    QLineEdit* AdrecaLloc = nullptr;
    QLineEdit* PoblacioLloc = nullptr;
    QLineEdit* TelefonLloc = nullptr;
    QLineEdit* MinutsPrevistLloc = nullptr;
    QLineEdit* PeriodicitatDiesLloc = nullptr;
    Combo* DiesSetmanaCombo = nullptr;
    Combo* HoraLlocCombo = nullptr;
    Combo* RecursosCombo = nullptr;
    QCheckBox* DissabteLloc = nullptr;
    QCheckBox* DiumengeLloc = nullptr;
    QCheckBox* PrimerMesLloc = nullptr;
    QCheckBox* UltimMesLloc = nullptr;
    QLineEdit* QuotaLloc = nullptr;
    QPlainTextEdit* ObservacionsLloc = nullptr;
    QPushButton* AfegirLloc = nullptr;
    QPushButton* ModificarLloc = nullptr;
    QPushButton* EliminarLloc = nullptr;

    // ---- services of the site ----
    Llista* ServeisLlocLlista = nullptr;
    Combo* ServeisCombo = nullptr;
    QLineEdit* UnitatServeiLloc = nullptr;
    QLineEdit* QuantitatServeisLloc = nullptr;
    QLineEdit* PreuServeisLloc = nullptr;
    QLineEdit* DescripcioServeiLloc = nullptr;
    QPushButton* AfegirServeiLloc = nullptr;
    QPushButton* ModificarServeiLloc = nullptr;
    QPushButton* EliminarServeiLloc = nullptr;

    // ---- cheques ----
    Llista* XecsLlista = nullptr;
    QLineEdit* IdXec = nullptr;
    QLineEdit* ValorXec = nullptr;
    QLineEdit* DataEntregaXec = nullptr;
    QLineEdit* DataLiquidatXec = nullptr;
    QLineEdit* IdFeinaXec = nullptr;
    QPushButton* AfegirXec = nullptr;
    QPushButton* ModificarXec = nullptr;
    QPushButton* EliminarXec = nullptr;
};
