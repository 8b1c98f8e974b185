#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The About dialog: modeless, created once, hidden and shown again.
class TFVersion : public QDialog {
    Q_OBJECT

public:
    explicit TFVersion(QWidget* parent = nullptr);

    QLabel* LbVersion = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* EdEMAIL = nullptr;
    QLabel* LbURL = nullptr;
    QPushButton* BtOK = nullptr;
};
