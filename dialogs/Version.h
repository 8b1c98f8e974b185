#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

// The About dialog: modeless, created once, hidden and shown again. It hides
// itself on OK, on Enter or Esc (whichever control has the focus) and as soon
// as another window becomes active, so it never lingers behind the main
// window.
class TFVersion : public QDialog {
    Q_OBJECT

public:
    explicit TFVersion(QWidget* parent = nullptr);

    // The address behind LbURL: the configured home page, or else the
    // manual's first page as a file URL. The label may show it shortened.
    const QString& address() const { return address_; }

    QLabel* LbVersion = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* EdEMAIL = nullptr;
    QLabel* LbURL = nullptr;
    QLabel* LbLicense = nullptr;
    QPushButton* BtOK = nullptr;

public slots:
    // Asks the desktop to open the shown address. The dialog stays as it is.
    void LbURLClick();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void retranslateUi();
    void fitToFonts();

    QString address_;
};
