#pragma once
// The job dialog: shows the job held in G.FeinaActual with its notes and
// service lines, lets the user change its date, times, resource, done flag,
// notes and lines, keeps its end time in step with the lines and saves it all
// at once. A save leaves "OK" in G.FeinaActual.Missatge and closes the dialog;
// closing it otherwise saves nothing and leaves the record's message as it was.
#include "Decimal.h"

#include <QDialog>
#include <functional>

class Combo;
class Graella;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class frmFeines : public QDialog {
    Q_OBJECT
public:
    explicit frmFeines(QWidget* parent = nullptr);

    // Fills the dialog from G.FeinaActual and the database. False when that
    // failed ("Error:" and the description shown); the dialog is then not to be shown.
    bool Form_Load();

    // Handlers, as the controls raise them (public so that tests can raise them).
    void FetaFeina_Click();
    void RecursFeina_Click();
    void RecursFeina_KeyDown(int keyCode);
    void ServeisCombo_Click();
    void ServeisCombo_DropDown();
    void AfegirServei_Click();
    // A press on the lines grid at y (viewport pixels), then the click it ends in.
    void DetallFeinaServeis_MouseDown(int y);
    void DetallFeinaServeis_Click();
    void OKButton_Click();

    // Exact sum of quantity x unit price of the lines shown.
    Decimal TotalLinies() const { return totalLinies_; }
    bool ClicLinia() const { return clicLinia_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    // Prints the job sheet from the controls as they stand.
    void ImprimirButton_Click();

private:
    void construeix();
    void Omple_Serveis_Feina();
    void Calcula_Hora_Fi_Feina();
    void desa();
    void bloqueja(bool bloquejat);
    void mostraTotal();
    void buidaEditor();
    void afegeixFila(const QStringList& cells);
    // Sum of the grid's lines; throws when a cell is not a number or the sum does not fit.
    Decimal sumaGraella() const;
    QString recursTriat() const;

    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* LabelId = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* IdFeina = nullptr;
    QLineEdit* LlocFeina = nullptr;
    QLineEdit* DataFeina = nullptr;
    QComboBox* HoraIniciFeina = nullptr;
    QComboBox* HoraFiFeina = nullptr;
    QComboBox* RecursFeina = nullptr;
    QCheckBox* FetaFeina = nullptr;
    QLineEdit* DataFacturaFeina = nullptr;
    QPlainTextEdit* ObservacionsFeina = nullptr;

    QLabel* Label29 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label28 = nullptr;
    QLabel* Label27 = nullptr;
    QLabel* Label30 = nullptr;
    Combo* ServeisCombo = nullptr;
    QLineEdit* DescripcioServeiFeina = nullptr;
    QLineEdit* QuantitatServeiFeina = nullptr;
    QLineEdit* UnitatServeiFeina = nullptr;
    QLineEdit* PreuServeiFeina = nullptr;
    QPushButton* AfegirServei = nullptr;
    Graella* DetallFeinaServeis = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* TotalFeina = nullptr;
    QLabel* Label9 = nullptr;

    QPushButton* ImprimirButton = nullptr;
    QPushButton* OKButton = nullptr;

    Decimal totalLinies_;
    bool Carregant = false;
    bool clicLinia_ = false;
};

// Opens the job held in G.FeinaActual (the caller fills it; Missatge empty):
// a new dialog, loaded and shown modally. On return, Missatge "OK" means the
// job and its lines were saved.
void Obre_Feina(QWidget* parent = nullptr);

// Hands each dialog that Obre_Feina opens to this driver instead of the modal
// loop (tests); nullptr restores the modal loop.
void setConductorFeines(std::function<void(frmFeines&)> conductor);
