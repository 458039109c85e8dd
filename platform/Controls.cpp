#include "Controls.h"

#include "MessageBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

namespace {
QString (*g_tradueix)(const QString&) = nullptr;
QString Tradueix(const QString& text)
{
    return g_tradueix ? g_tradueix(text) : text;
}
} // namespace

void posaTraduccioControls(QString (*tradueix)(const QString&))
{
    g_tradueix = tradueix;
}

void Llista::posaIndex(int i)
{
    if (i < 0 || i >= count()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(i);
}

QString Llista::textTriat() const
{
    const QListWidgetItem* it = currentRow() >= 0 ? item(currentRow()) : nullptr;
    return it ? it->text() : QString();
}

void Llista::mousePressEvent(QMouseEvent* e)
{
    QListWidget::mousePressEvent(e);
    premut_ = itemAt(e->position().toPoint()) != nullptr;
}

void Llista::mouseReleaseEvent(QMouseEvent* e)
{
    QListWidget::mouseReleaseEvent(e);
    const bool premut = premut_;
    premut_ = false;
    if (!premut || !isEnabled()) return;
    if (QListWidgetItem* it = itemAt(e->position().toPoint())) {
        setCurrentItem(it);
        emit triat(row(it));
    }
}

void Llista::keyPressEvent(QKeyEvent* e)
{
    const int abans = currentRow();
    QListWidget::keyPressEvent(e);
    if (currentRow() != abans && currentRow() >= 0) emit triat(currentRow());
}

Combo::Combo(QWidget* parent) : QComboBox(parent) {}

void Combo::showPopup()
{
    emit desplegant();
    QComboBox::showPopup();
}

void Combo::keyPressEvent(QKeyEvent* e)
{
    if (esborrable_ && e->key() == Qt::Key_Delete) {
        setCurrentIndex(-1);
        emit esborrat();
        return;
    }
    QComboBox::keyPressEvent(e);
}

EtiquetaColor::EtiquetaColor(QWidget* parent) : QLabel(parent)
{
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setMinimumSize(60, 20);
    setCursor(Qt::PointingHandCursor);
}

void EtiquetaColor::setColor(const QColor& c)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, c);
    setPalette(p);
}

QColor EtiquetaColor::color() const
{
    return palette().color(QPalette::Window);
}

void EtiquetaColor::mouseReleaseEvent(QMouseEvent* e)
{
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicat();
}

namespace {
class SeleccionaTot : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::FocusIn)
            if (auto* box = qobject_cast<QLineEdit*>(o)) QTimer::singleShot(0, box, &QLineEdit::selectAll);
        return false;
    }
};
} // namespace

void seleccionaTotEnEntrar(QLineEdit* box)
{
    box->installEventFilter(new SeleccionaTot(box));
}

void xifraSencera(QLineEdit* box)
{
    const QFont font = box->font();
    if (font.pointSizeF() <= 0) return;
    auto ajusta = [box, font] {
        QStyleOptionFrame opt;
        opt.initFrom(box);
        opt.rect = box->rect();
        opt.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box) : 0;
        const QMargins marges = box->textMargins();
        // The box's text area less the line edit's own margin of 2 pixels a side and the cursor.
        const int lloc = box->style()->subElementRect(QStyle::SE_LineEditContents, &opt, box).width() - marges.left()
                         - marges.right() - 5;
        QFont f = font;
        while (f.pointSizeF() > 5 && QFontMetrics(f).horizontalAdvance(box->text()) > lloc)
            f.setPointSizeF(qMax(5.0, f.pointSizeF() - 0.5));
        if (f != box->font()) box->setFont(f);
    };
    QObject::connect(box, &QLineEdit::textChanged, box, ajusta);
    ajusta();
}

void mostraError(const std::exception& e, const QString& titol)
{
    MsgBox::error(Tradueix(QString::fromUtf8(e.what())), titol);
}

void mostraErrorDesconegut(const QString& titol)
{
    MsgBox::error(QStringLiteral("?"), titol);
}

bool refusa(bool condicio, const QString& missatge)
{
    if (condicio) MsgBox::show(missatge);
    return condicio;
}

bool refusa(const QString& missatge)
{
    return refusa(!missatge.isEmpty(), missatge);
}

QLineEdit* caixa(QGridLayout* g, int row, int col, const QString& label, const char* name, int maxLength, int span)
{
    auto* box = anomena(new QLineEdit, name);
    if (maxLength > 0) box->setMaxLength(maxLength);
    seleccionaTotEnEntrar(box);
    g->addWidget(new QLabel(label), row, col);
    g->addWidget(box, row, col + 1, 1, span);
    return box;
}

BotonsEditor botonsEditor(const char* sufix)
{
    const QString s = QString::fromLatin1(sufix);
    BotonsEditor b{new QPushButton(Tradueix(QStringLiteral("Afegir"))),
                   new QPushButton(Tradueix(QStringLiteral("Modificar"))),
                   new QPushButton(Tradueix(QStringLiteral("Eliminar"))), new QHBoxLayout};
    b.afegir->setObjectName(QStringLiteral("Afegir") + s);
    b.modificar->setObjectName(QStringLiteral("Modificar") + s);
    b.eliminar->setObjectName(QStringLiteral("Eliminar") + s);
    for (QPushButton* p : {b.afegir, b.modificar, b.eliminar}) b.fila->addWidget(p);
    return b;
}
