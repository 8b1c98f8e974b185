#pragma once

#include <QDialog>

#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The seed dialog: shows the random source's state before the last maze was
// made and takes a number to set it to, so that the same path, style and
// number make the same maze again. It only collects the number; the main
// window sets it.
class TFSeed : public QDialog {
    Q_OBJECT

public:
    explicit TFSeed(QWidget* parent = nullptr);

    // Shows `seed` in the field, selected.
    void ShowSeed(std::uint32_t seed);
    // The field's number, or nothing while it holds no number 0 ... 4294967295.
    std::optional<std::uint32_t> ReadSeed() const;
    // ShowSeed, then the dialog modally: the number on OK, nothing on Cancel.
    std::optional<std::uint32_t> AskSeed(std::uint32_t seed);

    QLineEdit* EdSeed = nullptr;
    QPushButton* BtOK = nullptr;
    QPushButton* BtCancel = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslateUi();

    QLabel* LbSeed = nullptr;
    QLabel* LbNote = nullptr;
};
