// Entry point of the program.
#include "Arrencada.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Traduccio.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Torvanel"));
    QApplication::setApplicationVersion(QStringLiteral("1.01"));
    G.ProgramDir = QCoreApplication::applicationDirPath();
    int status = 0;
    try {
        arrencaNucli();
        triaFitxerAjuda();
        auto* w = new QMainWindow;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setObjectName(QStringLiteral("frmMain"));
        w->setWindowTitle(QStringLiteral("Torvanel"));
        w->setCentralWidget(new QLabel(Tradueix(QStringLiteral("AVÍS")), w));
        G.frmPrincipal = w;
        w->resize(800, 600);
        w->show();
        status = app.exec();
    } catch (const std::exception& e) {
        MsgBox::show(QStringLiteral("Error:") + QString::fromUtf8(e.what()), MsgBox::OK, QStringLiteral("ERROR"));
        status = 1;
    }
    tancaBasesDades();
    return status;
}
