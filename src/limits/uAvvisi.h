#pragma once
// The limits window: the daily and monthly notices switched on or off, their hours, and whether
// the program hangs up when a limit is reached. It has no OK button: however it is closed, it
// stores what it shows and lets the limit watch apply it at once when online.
//
// The program creates it when the menu asks for it, shows it modally and frees it when it
// closes.

#include <QDialog>
#include <QSpinBox>

#include "uLimitSettings.h"

class QCheckBox;
class QGroupBox;

namespace telmora {

class LimitWatch;

// A spin field for whole numbers that reads its text as the limits window expects.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    TSpinEdit(int minimum, int maximum, QWidget* parent);
    // The number the text holds, brought into the range; the minimum when it holds none.
    int readValue() const;
};

class Tformavvisi : public QDialog {
    Q_OBJECT
public:
    Tformavvisi(ILimitSettings& settings, LimitWatch& watch, QWidget* parent = nullptr);

    QGroupBox* GroupBox1;  // LIMITE GIORNALIERO (ore)
    QGroupBox* GroupBox2;  // LIMITE MENSILE (ore)
    QCheckBox* chDayLimit;
    TSpinEdit* spinDay;
    QCheckBox* chDisconnectDay;
    QCheckBox* chMonthLimit;
    TSpinEdit* spinMonth;
    QCheckBox* chDisconnectMonth;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void chDayLimitClick();
    void chMonthLimitClick();
    void FormClose();
    QGroupBox* limitGroup(const QString& name, const QString& caption, QCheckBox*& notice,
                          TSpinEdit*& hours, int maximum, QCheckBox*& disconnect);

    ILimitSettings& settings_;
    LimitWatch& watch_;
    bool closed_ = false;
};

}  // namespace telmora
