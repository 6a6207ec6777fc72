#include "uInfo.h"

#include <QFrame>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "uClickImage.h"
#include "uInfoFonts.h"
#include "uInfoLines.h"
#include "uJpegDecoder.h"
#include "uMailToMaker.h"
#include "uMaker.h"
#include "uReportError.h"
#include "uSystemInfo.h"

// The pictures live in this folder's own resource file, which a static library has to
// register itself (outside any namespace).
static void registerAboutPictures() {
    Q_INIT_RESOURCE(about);
}

namespace telmora {
namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 330;
const QColor kLightBlue(153, 204, 255);
const QColor kYellow(255, 236, 64);
const QColor kCream(255, 251, 240);
const QColor kNavy(0, 0, 128);
const QColor kSkyBlue(166, 202, 240);

void setTextColor(QLabel* label, const QColor& color) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}

QLabel* textLabel(QWidget* parent, const QFont& font, const QColor& color, const QRect& where) {
    auto* label = new QLabel(parent);
    label->setFont(font);
    setTextColor(label, color);
    label->setGeometry(where);
    return label;
}

}  // namespace

Tforminfo::Tforminfo(const SystemInfo& info, IMailer& mailer, ReportError& reportError,
                     QString firstStart, int abnormalStops, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      info_(info),
      mailer_(mailer),
      reportError_(reportError),
      firstStart_(std::move(firstStart)),
      abnormalStops_(abnormalStops) {
    registerAboutPictures();
    setObjectName(QStringLiteral("forminfo"));
    setWindowTitle(kProductTitle);
    setFixedSize(kWidth, kHeight);
    setFont(tahomaFont());
    QPalette p = palette();
    p.setColor(QPalette::Window, kLightBlue);
    setPalette(p);
    background_.load(QStringLiteral(":/about/background.png"));

    buildHeader();
    buildInfoPanel();
    buildFooter();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, &Tforminfo::Timer1Timer);
}

void Tforminfo::buildHeader() {
    ProgramIcon = new QLabel(this);
    ProgramIcon->setGeometry(12, 12, 72, 72);

    yellowPanel = new QFrame(this);
    yellowPanel->setGeometry(96, 12, 196, 46);
    yellowPanel->setAutoFillBackground(true);
    QPalette yp = yellowPanel->palette();
    yp.setColor(QPalette::Window, kYellow);
    yellowPanel->setPalette(yp);
    yellowPanel->setFrameShape(QFrame::Panel);
    yellowPanel->setFrameShadow(QFrame::Raised);

    Image1 = new QLabel(yellowPanel);
    Image1->setGeometry(8, 11, 24, 24);
    Image1->setPixmap(QPixmap(QStringLiteral(":/about/clock.png")));
    Label1 = textLabel(yellowPanel, garamondBoldFont(18), QColor(0, 0, 255), QRect(38, 4, 110, 38));
    Label1->setText(kProductTitle);
    Version = textLabel(yellowPanel, tahomaFont(6), Qt::black, QRect(148, 24, 44, 16));
    Version->setText(kVersionText);

    makerLabel = textLabel(this, garamondBoldFont(11), kCream, QRect(96, 62, 312, 22));
    makerLabel->setText(kMakerLine);

    Image2 = new ClickImage(QStringLiteral("mail to ") + kMakerName, this);
    Image2->setGeometry(316, 16, 40, 32);
    mailMovie_ = new QMovie(QStringLiteral(":/about/mail.gif"), QByteArray(), this);
    Image2->setMovie(mailMovie_);
    connect(Image2, &ClickImage::clicked, this, &Tforminfo::Image2Click);

    Image5 = new ClickImage(kMakerName + QStringLiteral(" home page"), this);
    Image5->setGeometry(370, 16, 32, 32);
    Image5->setPixmap(QPixmap(QStringLiteral(":/about/home.png")));
    connect(Image5, &ClickImage::clicked, this, [this] { emit homePageRequested(kMakerHomePage); });
}

void Tforminfo::buildInfoPanel() {
    infoPanel = new QFrame(this);
    infoPanel->setGeometry(12, 94, 396, 132);
    infoPanel->setFrameShape(QFrame::Box);
    infoPanel->setLineWidth(1);
    infoPanel->setAutoFillBackground(true);
    QPalette pp = infoPanel->palette();
    pp.setColor(QPalette::Window, QColor(235, 245, 255));
    pp.setColor(QPalette::WindowText, kNavy);
    infoPanel->setPalette(pp);

    QLabel** lines[] = {&lblwin, &lblcpu, &lblmem, &lblie, &lblprimoavvio, &lblarran};
    const char* names[] = {"lblwin", "lblcpu", "lblmem", "lblie", "lblprimoavvio", "lblarran"};
    for (int i = 0; i < 6; ++i) {
        const QColor color = i < 4 ? QColor(Qt::black) : kNavy;
        *lines[i] = textLabel(infoPanel, tahomaFont(), color, QRect(10, 8 + i * 20, 376, 18));
        (*lines[i])->setObjectName(QLatin1String(names[i]));
    }
}

void Tforminfo::buildFooter() {
    runninglabel = textLabel(this, tahomaFont(), kSkyBlue, QRect(12, 236, 396, 18));
    runninglabel->setFixedWidth(396);
    runninglabel->setWordWrap(false);
    runninglabel->setAttribute(Qt::WA_TranslucentBackground);
    runninglabel->setText(credit_.text());

    taglineLabel = textLabel(this, timesItalicFont(13), kLightBlue, QRect(12, 262, 396, 30));
    taglineLabel->setAlignment(Qt::AlignCenter);
    taglineLabel->setText(kMakerTagline);

    Image3 = new ClickImage(QStringLiteral(";-)"), this);
    Image3->setGeometry(kWidth - 28, kHeight - 28, 20, 20);
    Image3->setPixmap(QPixmap(QStringLiteral(":/about/wink.png")));
    connect(Image3, &ClickImage::clicked, this, &QWidget::close);
}

void Tforminfo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!filled_) {
        filled_ = true;
        if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
        FormShow();
    }
}

void Tforminfo::FormShow() {
    const SystemSummary summary = info_.read();
    lblwin->setText(summary.os);
    lblcpu->setText(summary.cpu);
    lblmem->setText(summary.memory);
    lblie->setText(summary.browser);
    lblprimoavvio->setText(firstStartText(firstStart_));
    lblarran->setText(abnormalStopsText(abnormalStops_));
    credit_.start();
    runninglabel->setText(credit_.text());
    Timer1->start();
    mailMovie_->start();
    showLogo();
    for (const Error& problem : summary.problems) reportError_(problem);
}

void Tforminfo::showLogo() {
    try {
        ProgramIcon->setPixmap(
            QPixmap::fromImage(decodeJpegFile(QStringLiteral(":/about/logo.jpg"))));
    } catch (const Error& e) {
        reportError_(e);
    }
}

void Tforminfo::Timer1Timer() {
    credit_.tick();
    runninglabel->setText(credit_.text());
}

void Tforminfo::MailToMaker(const QStringList& extraFiles) {
    telmora::MailToMaker(mailer_, reportError_.logPath(), extraFiles);
}

void Tforminfo::Image2Click() {
    MailToMaker();
    close();
}

void Tforminfo::FormClose() {
    Timer1->stop();
    mailMovie_->stop();
}

void Tforminfo::done(int result) {
    FormClose();
    QDialog::done(result);
}

void Tforminfo::closeEvent(QCloseEvent* event) {
    FormClose();
    QDialog::closeEvent(event);
}

void Tforminfo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kLightBlue);
    if (!background_.isNull()) painter.drawPixmap(rect(), background_);
}

}  // namespace telmora
