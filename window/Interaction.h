#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class QWidget;
class TFSetSize;

// Every modal question the main window asks goes through here: the save
// question, the two file dialogs, message boxes and the size dialog. The
// program answers with the real Qt dialogs (QtInteraction); tests answer by
// script, so that no test ever waits on a modal box.
class Interaction {
public:
    virtual ~Interaction() = default;

    enum class Answer { Yes, No, Cancel };
    enum class MessageKind { Plain, Warning, Error };

    // The file dialogs' settings: the filter in the "label|pattern|..." form
    // and the suffix added to a name typed without one.
    struct FileDialogSetup {
        QString filter;
        QString defaultSuffix;
        QString initialName; // what the name field offers (save dialog)
        QString folder = {}; // where the dialog opens when the name gives no folder
    };

    // Warning box, Yes / No / Cancel, Yes the default, Escape = Cancel.
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text) = 0;
    // Question box, Yes / No, Yes the default; Cancel when it ends without
    // an answer (the program ending meanwhile). By default the three-way
    // question answers it.
    virtual Answer askYesNo(QWidget* parent, const QString& text) { return askYesNoCancel(parent, text); }
    // A question answered by one of two buttons of its own words: true for
    // `accept`, false for `reject` (and for Escape). By default the yes/no
    // question answers it.
    virtual bool askChoice(QWidget* parent, const QString& text, const QString& accept, const QString& reject)
    {
        Q_UNUSED(accept)
        Q_UNUSED(reject)
        return askYesNo(parent, text) == Answer::Yes;
    }
    // The chosen file, or nothing when the dialog was cancelled.
    virtual std::optional<QString> askOpenFileName(QWidget* parent, const FileDialogSetup& setup) = 0;
    // Asks before overwriting an existing file.
    virtual std::optional<QString> askSaveFileName(QWidget* parent, const FileDialogSetup& setup) = 0;
    virtual void showMessage(QWidget* parent, MessageKind kind, const QString& text) = 0;

    struct NewSize {
        int width;
        int height;
        int gridSize;
    };
    // The size dialog, preset with the current board; nothing on Cancel.
    virtual std::optional<NewSize> askNewSize(QWidget* parent, int width, int height, int gridSize) = 0;

    // The seed dialog, showing `seed`; the number to set, nothing on Cancel.
    virtual std::optional<std::uint32_t> askSeed(QWidget* parent, std::uint32_t seed) = 0;

    // The underlay's strength in percent, preset with `percent`; nothing on
    // Cancel.
    virtual std::optional<int> askUnderlayStrength(QWidget* parent, int percent) = 0;
};

// Turns a "label|pattern|label|pattern" filter into Qt's name filters.
QStringList nameFiltersOf(const QString& filter);

// The real dialogs. The save dialog and the open dialog are each one object,
// kept between uses like the window's own components.
class QtInteraction : public Interaction {
public:
    explicit QtInteraction(TFSetSize* sizeDialog = nullptr);
    ~QtInteraction() override;

    void setSizeDialog(TFSetSize* sizeDialog) { sizeDialog_ = sizeDialog; }

    Answer askYesNoCancel(QWidget* parent, const QString& text) override;
    Answer askYesNo(QWidget* parent, const QString& text) override;
    bool askChoice(QWidget* parent, const QString& text, const QString& accept, const QString& reject) override;
    std::optional<QString> askOpenFileName(QWidget* parent, const FileDialogSetup& setup) override;
    std::optional<QString> askSaveFileName(QWidget* parent, const FileDialogSetup& setup) override;
    void showMessage(QWidget* parent, MessageKind kind, const QString& text) override;
    std::optional<NewSize> askNewSize(QWidget* parent, int width, int height, int gridSize) override;
    std::optional<std::uint32_t> askSeed(QWidget* parent, std::uint32_t seed) override;
    std::optional<int> askUnderlayStrength(QWidget* parent, int percent) override;

private:
    TFSetSize* sizeDialog_;
};
