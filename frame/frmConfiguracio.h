#pragma once
// The settings dialog: shows the settings file's values, checks them and
// saves them all at once; the program then restarts to use them. Its
// database frame chooses another database file and purges old jobs.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmConfiguracio : public QDialog {
    Q_OBJECT
public:
    explicit frmConfiguracio(QWidget* parent = nullptr);

    void Omple_Combos_Hores();
    void Omple_Combo_ServeiXecs();
    // The chosen database file, "" when the choice was cancelled.
    QString Selecciona_Fitxer_BD();

    // Runs the check of one box (the one run when it loses the focus); false
    // when it was refused (message shown, focus back in the box).
    bool comprovaCamp(QLineEdit* box);

public slots:
    void OKButton_Click();
    void CancelButton_Click();
    void ComboServeiXecs_Click();
    void btnSeleccionaBD_Click();
    void btnPurgarBD_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void construeix();
    void carrega();
    bool comprovaTot();
    static QLabel* etiqueta(const QString& text, const char* name = nullptr);

    QGroupBox* FrameBaseDades = nullptr;
    QGroupBox* FramePlanificacio = nullptr;
    QGroupBox* FrameHoresExtra = nullptr;
    QGroupBox* FrameXecs = nullptr;
    QGroupBox* FrameLocalitzacio = nullptr;

    QPushButton* btnSeleccionaBD = nullptr;
    QLineEdit* txtBD = nullptr;
    QPushButton* btnPurgarBD = nullptr;
    QLabel* Label16 = nullptr;
    QLineEdit* txtDataPurgat = nullptr;

    QLineEdit* txtMinutsCella = nullptr;
    QComboBox* ComboHoraInici = nullptr;
    QComboBox* ComboHoraFinal = nullptr;
    QCheckBox* chkPermetSolaparLlocs = nullptr;
    QLabel* Label20 = nullptr;
    QLineEdit* txtUltDiaGenerat = nullptr;

    QLineEdit* txtHoresDia = nullptr;
    QCheckBox* chkDissabtesExtra = nullptr;
    QCheckBox* chkDiumengesExtra = nullptr;
    QCheckBox* chkCalculHoresFetes = nullptr;
    QComboBox* ComboHoraIniciDinar = nullptr;
    QComboBox* ComboHoraFinalDinar = nullptr;

    QComboBox* ComboServeiXecs = nullptr;
    QLineEdit* txtNMaxXecsMes = nullptr;
    QLineEdit* txtValorDftXec = nullptr;
    QLineEdit* txtCostHoraXec = nullptr;

    QComboBox* ComboSelIdioma = nullptr;

    QPushButton* CancelButton = nullptr;
    QPushButton* OKButton = nullptr;

    qint16 MinutsCellaDialeg = 30;
    bool m_comprovant = false;   // a field check is showing its message
};
