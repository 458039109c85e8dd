#include "SeleccionaTot.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace {

class FiltreSeleccio : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            if (auto* box = qobject_cast<QLineEdit*>(watched)) {
                box->selectAll();
                // A mouse click places the caret after the focus arrives:
                // select again once the click has been handled.
                if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
                    QPointer<QLineEdit> p(box);
                    QTimer::singleShot(0, box, [p] {
                        if (p && p->hasFocus()) p->selectAll();
                    });
                }
            }
        }
        return false;
    }
};

} // namespace

namespace SeleccionaTot {

void instal(QLineEdit* box)
{
    if (!box || box->property("seleccionaTot").toBool()) return;
    box->setProperty("seleccionaTot", true);
    box->installEventFilter(new FiltreSeleccio(box));
}

int instal(QWidget* root, const QStringList& names)
{
    int n = 0;
    for (const QString& name : names) {
        if (auto* box = root->findChild<QLineEdit*>(name)) {
            instal(box);
            ++n;
        }
    }
    return n;
}

} // namespace SeleccionaTot
