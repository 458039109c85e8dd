#pragma once
// Two stock dialogs the program carries: a login box and an about box.
// Nothing in the program opens them.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class frmLogin : public QDialog {
    Q_OBJECT
public:
    explicit frmLogin(QWidget* parent = nullptr);
    // True after an accepted OK, false after Cancel.
    bool AccesCorrecte = false;

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    QLineEdit* txtUserName = nullptr;
    QLineEdit* txtPassword = nullptr;
};

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

public slots:
    void cmdSysInfo_Click();

private:
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
};
