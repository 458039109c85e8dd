#pragma once
// The "Recursos i Serveis" tab: the services catalogue and the resources
// (workers and groups, each with its board colour). Its fillers also fill
// the lists of other tabs: the service and usual-resource combos of the
// "Clients" tab and the board's resources palette.
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidgetItem;
class QPushButton;
class EtiquetaColor;
class Graella;
class Llista;

class TabRecursosServeis : public QWidget {
    Q_OBJECT
public:
    explicit TabRecursosServeis(QWidget* parent = nullptr);

    // Refills the service list and the "Clients" tab's ServeisCombo; empties the editor.
    void Omple_Serveis();
    // Refills the resource list, the "Clients" tab's RecursosCombo (keeping
    // its selection) and the board palette; empties the editor.
    void Omple_Recursos();
    // Gives a new colour to every resource whose colour is one of the board
    // grid's two colours or is taken by another resource. Run at the end of
    // the main window's load.
    void Repara_Colors_Recursos();

    // Controls of other tabs this tab fills or reads. When one is not set, the
    // control of that objectName in the same window is used, if any.
    void setRecursosGrid(Graella* grid);
    void setAgendaGrid(Graella* grid);
    void setServeisCombo(QComboBox* combo);
    void setRecursosCombo(QComboBox* combo);

    // Choosing an entry, by the user or by code (-1 = none).
    void seleccionaServei(int index);
    void seleccionaRecurs(int index);
    // Shows a resource, as a double click on the board's resources palette
    // does: its entry, or the last one when no entry has that name.
    void mostraRecurs(const QString& recurs);
    // A click on a candidate member: marks or unmarks it.
    void seleccionaComponent(int index);

    // The colour being edited, as stored (red + 256 x green + 65536 x blue);
    // the system window colour reference while none has been chosen.
    qint32 colorRecurs() const { return colorRecurs_; }

public slots:
    void AfegirServei_Click();
    void ModificarServei_Click();
    void EliminarServei_Click();
    void AfegirRecurs_Click();
    void ModificarRecurs_Click();
    void EliminarRecurs_Click();
    void ColorRecurs_Click();

private:
    QWidget* creaServeis();
    QWidget* creaRecursos();

    void ServeisLlista_Click();
    void RecursosLlista_Click();
    void chkGrupRecurs_Click();
    bool validaServei(int& minuts);
    void afegeixServei();
    void modificaServei();
    void eliminaServei();
    void afegeixRecurs();
    void modificaRecurs();
    void eliminaRecurs();
    // Shows a refusal of the colour or of the members and gives false.
    bool validaColorIMembres(const QString& excepte);
    QStringList membresMarcats() const;
    void afegeixComponent(const QString& nom, bool marcat);
    void posaColor(qint32 color);
    void ompleRecursos(const QString& anticNom, const QString& nouNom);

    QComboBox* serveisComboExtern() const;
    QComboBox* recursosComboExtern() const;
    Graella* recursosGrid() const;
    Graella* agendaGrid() const;

    // ---- services ----
    Llista* ServeisLlista = nullptr;
    QLineEdit* NomServei = nullptr;
    QLineEdit* NomServeiANT = nullptr;
    QLineEdit* UnitatServei = nullptr;
    QLineEdit* PreuUnServei = nullptr;
    QLineEdit* MinutsUnitatServei = nullptr;
    QCheckBox* ComuRecursosServei = nullptr;
    QLineEdit* DescripcioServei = nullptr;
    QPushButton* AfegirServei = nullptr;
    QPushButton* ModificarServei = nullptr;
    QPushButton* EliminarServei = nullptr;

    // ---- resources ----
    Llista* RecursosLlista = nullptr;
    QLineEdit* NomRecurs = nullptr;
    QLineEdit* NomRecursANT = nullptr;
    QCheckBox* chkGrupRecurs = nullptr;
    Llista* ComponentsLlista = nullptr;
    EtiquetaColor* ColorRecurs = nullptr;
    QCheckBox* chkAssignaTemps = nullptr;
    QPushButton* AfegirRecurs = nullptr;
    QPushButton* ModificarRecurs = nullptr;
    QPushButton* EliminarRecurs = nullptr;
    qint32 colorRecurs_ = 0;

    QPointer<QComboBox> ServeisCombo;
    QPointer<QComboBox> RecursosCombo;
    QPointer<Graella> RecursosGrid;
    QPointer<Graella> AgendaGrid;
};
