#pragma once
// The About window: product and version, this machine's summary, the first start and the
// abnormal stops, the running credit line, and the links to the maker (mail with the error log
// attached, home page). No frame and no title bar: the winking face closes it.

#include <QDialog>
#include <QString>

#include "uCreditLine.h"

class QFrame;
class QLabel;
class QMovie;
class QTimer;

namespace telmora {

class ClickImage;
class IMailer;
class ReportError;
class SystemInfo;

class Tforminfo : public QDialog {
    Q_OBJECT
public:
    // firstStart: the primoavvio value as stored (empty when there is none).
    Tforminfo(const SystemInfo& info, IMailer& mailer, ReportError& reportError, QString firstStart,
              int abnormalStops, QWidget* parent = nullptr);

    // Composes the mail to the maker; works whether or not the window has been shown.
    void MailToMaker(const QStringList& extraFiles = {});

    QLabel* ProgramIcon = nullptr;
    QFrame* yellowPanel = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Version = nullptr;
    QLabel* makerLabel = nullptr;
    QLabel* taglineLabel = nullptr;
    ClickImage* Image2 = nullptr;
    ClickImage* Image5 = nullptr;
    ClickImage* Image3 = nullptr;
    QFrame* infoPanel = nullptr;
    QLabel* lblwin = nullptr;
    QLabel* lblcpu = nullptr;
    QLabel* lblmem = nullptr;
    QLabel* lblie = nullptr;
    QLabel* lblprimoavvio = nullptr;
    QLabel* lblarran = nullptr;
    QLabel* runninglabel = nullptr;
    QTimer* Timer1 = nullptr;

    const CreditLine& credit() const { return credit_; }

signals:
    // The maker's home page, for the page opener.
    void homePageRequested(const QString& url);

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildHeader();
    void buildInfoPanel();
    void buildFooter();
    void FormShow();
    void FormClose();
    void showLogo();
    void Image2Click();
    void Timer1Timer();

    const SystemInfo& info_;
    IMailer& mailer_;
    ReportError& reportError_;
    QString firstStart_;
    int abnormalStops_;
    QPixmap background_;
    QMovie* mailMovie_ = nullptr;
    CreditLine credit_;
    bool filled_ = false;
};

}  // namespace telmora
