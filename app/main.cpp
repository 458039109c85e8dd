// Entry point of the program.
#include "Globals.h"
#include "Inici.h"
#include "VersioPrograma.h"
#include "frmMain.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Torvanel"));
    QApplication::setApplicationVersion(QString::fromLatin1(VersioPrograma::Text));
    QApplication::setOrganizationName(QStringLiteral("Torvanel"));
    // The program lives as long as its main window; closing a dialog or the
    // splash never ends it on its own.
    QApplication::setQuitOnLastWindowClosed(false);
    G.ProgramDir = QCoreApplication::applicationDirPath();

    if (!Inici::Main()) return 1;
    if (auto* principal = qobject_cast<frmMain*>(G.frmPrincipal)) {
        QObject::connect(principal, &frmMain::descarregat, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        // For the tests that start the program itself: it closes its main
        // window, as a user does, as soon as it is running.
        if (qEnvironmentVariableIsSet("TORVANEL_END_WHEN_STARTED")) QTimer::singleShot(0, principal, &QWidget::close);
    }
    const int status = app.exec();
    Inici::Form_Terminate();
    return status;
}
