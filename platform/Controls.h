#pragma once
// Small controls shared by the tabs and dialogs: a list that reports a
// user's choice apart from changes made by code, a combo that reports the
// opening of its list, a clickable colour label, the guard that turns any
// failure of a handler into the "Error:" box, and the focus behaviour of the
// text boxes.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QString>
#include <exception>

class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

// List box. The selected entry is the current row (-1 = none).
class Llista : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;
    int index() const { return currentRow(); }
    // Sets the selected entry without reporting it (the owner runs its handler).
    void posaIndex(int i);
    // Text of the selected entry, "" when none.
    QString textTriat() const;

signals:
    // A user's choice: a click on an entry, or a key that moved the selection.
    void triat(int index);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool premut_ = false;
};

// Combo box that reports when its list is about to open; Delete clears the selection.
class Combo : public QComboBox {
    Q_OBJECT
public:
    explicit Combo(QWidget* parent = nullptr);
    void showPopup() override;
    // Allow the Delete key to clear the selection (reported through `esborrat`).
    void setEsborrableAmbSupr(bool on) { esborrable_ = on; }

signals:
    void desplegant();
    void esborrat();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool esborrable_ = false;
};

// Label whose back colour shows a colour; a click reports `clicat`.
class EtiquetaColor : public QLabel {
    Q_OBJECT
public:
    explicit EtiquetaColor(QWidget* parent = nullptr);
    void setColor(const QColor& c);
    QColor color() const;

signals:
    void clicat();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// Gives a control its object name and gives it back.
template <class T>
T* anomena(T* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// A single-line box with its label in a grid row (label at `col`, box next
// to it, over `span` columns).
QLineEdit* caixa(QGridLayout* g, int row, int col, const QString& label, const char* name, int maxLength = 0,
                 int span = 1);

// The three buttons of an editor, named "Afegir", "Modificar" and "Eliminar"
// followed by the editor's suffix, in a row.
struct BotonsEditor {
    QPushButton* afegir;
    QPushButton* modificar;
    QPushButton* eliminar;
    QHBoxLayout* fila;
};
BotonsEditor botonsEditor(const char* sufix);

// Single-line boxes select their whole text when they get the focus.
void seleccionaTotEnEntrar(QLineEdit* box);

// A box that shows a figure: a text wider than the box is drawn in a smaller
// font (down to 5 points), so that no digit is ever hidden. The box's font as
// it is now is the one it goes back to.
void xifraSencera(QLineEdit* box);

// The lookup that translates the texts these controls show of their own (a
// failure's description, the editor buttons); the translation table puts it
// here as it loads. Until then the texts are shown as they are.
void posaTraduccioControls(QString (*tradueix)(const QString&));

// Shows the refusal (a plain box) when the condition holds; gives the condition.
bool refusa(bool condicio, const QString& missatge);
// Shows the refusal when there is one; true when it was shown.
bool refusa(const QString& missatge);

// Runs a handler; a failure shows "Error:" + its description (translated
// when the texts have it), with the title given ("" = none of its own), and
// never escapes.
template <class F>
void protegeix(const QString& titol, F&& handler);

void mostraError(const std::exception& e, const QString& titol);
void mostraErrorDesconegut(const QString& titol);

template <class F>
void protegeix(const QString& titol, F&& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        mostraError(e, titol);
    } catch (...) {
        mostraErrorDesconegut(titol);
    }
}
