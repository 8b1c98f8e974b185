// File names that do not come through QString as they are: names whose bytes
// are not UTF-8, and names with a '"' typed into Qt's own file dialog. Each
// reaches the file system byte for byte or is refused with the failure
// message; never does another file get read or overwritten.

#include "Application.h"
#include "FileNames.h"
#include "Interaction.h"
#include "window_harness.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray readRaw(const QByteArray& file)
{
    QByteArray out;
    const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC);
    char block[4096];
    for (ssize_t n = 0; fd >= 0 && (n = ::read(fd, block, sizeof block)) > 0;)
        out.append(block, n);
    if (fd >= 0)
        ::close(fd);
    return out;
}

bool writeRaw(const QByteArray& file, const QByteArray& bytes)
{
    const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool ok = fd >= 0 && ::write(fd, bytes.constData(), std::size_t(bytes.size())) == bytes.size();
    if (fd >= 0)
        ::close(fd);
    return ok;
}

QByteArray bytesOf(const MazeBoard& board)
{
    const std::vector<std::uint8_t> bytes = board.toFileBytes();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray mazeBytes(int width, int height)
{
    MazeBoard board;
    return board.resize(width, height) ? bytesOf(board) : QByteArray();
}

// Answers the next file dialog as a user would: types `text` into its name
// field and presses Enter, then answers a question box that may follow
// (replace the file?) with `replace`. Whatever is still open after a few
// seconds is cancelled, so that a dialog that refuses the name fails the
// test instead of hanging it.
class DialogDriver : public QObject {
public:
    DialogDriver(const QString& text, QMessageBox::StandardButton replace)
        : text_(text)
        , replace_(replace)
    {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
        timer_.start();
    }
    bool questionAsked = false;

private:
    // The dialog or question box on top (offscreen, none is "active").
    static QWidget* topModal()
    {
        QWidget* found = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->isModal() && (!found || qobject_cast<QMessageBox*>(widget)))
                found = widget;
        }
        return found;
    }

    void tick()
    {
        QWidget* modal = topModal();
        if (++ticks_ > 250) {
            if (modal)
                QMetaObject::invokeMethod(modal, "reject");
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            questionAsked = true;
            box->button(replace_)->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && !typed_) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!edit)
                return;
            typed_ = true;
            edit->setText(text_);
            // Queued: the question that may follow must find this timer free.
            QMetaObject::invokeMethod(
                edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); }, Qt::QueuedConnection);
        }
    }

    QString text_;
    QMessageBox::StandardButton replace_;
    QTimer timer_;
    int ticks_ = 0;
    bool typed_ = false;
};

} // namespace

class FileNamesTest : public QObject {
    Q_OBJECT

private slots:
    void nonUtf8NamesAreRefusedNotFollowed();
    void quotedNamesAreTakenAsTyped();
};

// A file whose name is not UTF-8, beside a file named with the very text
// (U+FFFD) that name decodes to; the same for a folder on the way.
void FileNamesTest::nonUtf8NamesAreRefusedNotFollowed()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray base = QFile::encodeName(dir.path()) + '/';
    QCOMPARE(::mkdir((base + "\xff").constData(), 0755), 0);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("\uFFFD")));
    const QByteArray odd = mazeBytes(7, 5);
    const QByteArray namesake = mazeBytes(9, 6);

    struct Case {
        QByteArray raw;     // the file the user means
        QByteArray decoded; // the other file, named by the decoded text
    };
    const Case cases[] = {
        {base + "\xff\xfe.maz", base + "\xef\xbf\xbd\xef\xbf\xbd.maz"},
        {base + "\xff/x.maz", base + "\xef\xbf\xbd/x.maz"},
    };
    for (const Case& c : cases) {
        QVERIFY(writeRaw(c.raw, odd) && writeRaw(c.decoded, namesake));
        const QString shown = QFile::decodeName(c.raw);
        QCOMPARE(QFile::encodeName(shown), c.decoded); // what Qt would give the file system
        QVERIFY(!FileNames::isFaithful(c.raw));
        QVERIFY(FileNames::isFaithful(c.decoded));
        QVERIFY(!FileNames::isUnambiguous(shown));

        WindowHarness h;
        const QByteArray start = bytesOf(h.window->board());
        // From the command line, and from the open dialog.
        QVERIFY(!h.window->OpenDocument(shown, false));
        h.script.openNames.push_back(shown);
        h.action("MMLoad")->trigger();
        QCOMPARE(h.script.messages.size(), std::size_t(2));
        for (const auto& message : h.script.messages)
            QCOMPARE(message.text, QStringLiteral("Failed to open File ") + shown);
        QCOMPARE(bytesOf(h.window->board()), start);
        QVERIFY(h.window->fileName().isEmpty());

        // Saving under it, or exporting to it, writes neither file.
        h.pressKeys(QByteArray(h.window->board().getWidth() + 1, 'R').constData());
        h.action("MMMakeMaze")->trigger();
        QVERIFY(h.window->isModified());
        h.script.saveNames.push_back(shown);
        h.action("MMSave")->trigger();
        h.script.answers.push_back(Interaction::Answer::Yes);
        h.script.saveNames.push_back(shown);
        h.action("MMNew")->trigger(); // Yes to saving first: refused, New stops
        h.script.saveNames.push_back(shown);
        h.action("MMSaveAsBitmap")->trigger();
        QCOMPARE(h.script.messages.size(), std::size_t(5));
        QCOMPARE(h.script.messages.back().text, QStringLiteral("ファイル %1 を作成できません").arg(shown));
        QVERIFY(h.window->isModified());
        QCOMPARE(readRaw(c.raw), odd);
        QCOMPARE(readRaw(c.decoded), namesake);
        QVERIFY(h.script.unexpected.empty());

        // Once the undecodable name is gone, the text names one file only.
        QCOMPARE(::unlink(c.raw.constData()), 0);
        const QByteArray rawFolder = c.raw.left(c.raw.lastIndexOf('/'));
        if (rawFolder + '/' != base)
            QCOMPARE(::rmdir(rawFolder.constData()), 0);
        QVERIFY(FileNames::isUnambiguous(shown));
        h.script.answers.push_back(Interaction::Answer::No);
        h.script.openNames.push_back(shown);
        h.action("MMLoad")->trigger();
        QCOMPARE(h.window->fileName(), shown);
        QCOMPARE(h.window->board().getWidth(), 9);
    }
}

// A '"' typed in the name field of Qt's own dialog is part of the name.
void FileNamesTest::quotedNamesAreTakenAsTyped()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("maze")));
    QtInteraction dialogs;
    struct Case {
        bool save;
        QString typed;
        QString expected; // in the dialog's folder; empty: cancelled
        bool exists;      // a file of that name is there already
        QMessageBox::StandardButton replace;
    };
    const Case cases[] = {
        {true, QStringLiteral("my\"maze.maz"), QStringLiteral("my\"maze.maz"), false, QMessageBox::Yes},
        {true, QStringLiteral("my\"maze"), QStringLiteral("my\"maze.maz"), false, QMessageBox::Yes},
        {true, QStringLiteral("\"a.maz\" \"b.maz\""), QStringLiteral("\"a.maz\" \"b.maz\""), false, QMessageBox::Yes},
        {true, QStringLiteral("old\"one.maz"), QStringLiteral("old\"one.maz"), true, QMessageBox::Yes},
        {true, QStringLiteral("old\"one.maz"), QString(), true, QMessageBox::No},
        {false, QStringLiteral("x\"y.maz"), QStringLiteral("x\"y.maz"), true, QMessageBox::Yes},
        {false, QStringLiteral("maze/in\"side"), QStringLiteral("maze/in\"side.maz"), false, QMessageBox::Yes},
        // Without a quote Qt's own handling is kept.
        {true, QStringLiteral("plain"), QStringLiteral("plain.maz"), false, QMessageBox::Yes},
    };
    for (const Case& c : cases) {
        const QString expected = c.expected.isEmpty() ? QString() : dir.filePath(c.expected);
        if (c.exists) {
            QFile file(dir.filePath(c.typed));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const Interaction::FileDialogSetup setup{QStringLiteral("Maze Files (*.maz)|*.maz|All Files (*.*) |*.*"),
                                                 QStringLiteral("maz"), dir.filePath(QStringLiteral("start.maz"))};
        DialogDriver driver(c.typed, c.replace);
        const std::optional<QString> chosen =
            c.save ? dialogs.askSaveFileName(nullptr, setup) : dialogs.askOpenFileName(nullptr, setup);
        QCOMPARE(chosen.value_or(QString()), expected);
        // Replacing an existing file is asked about, as with any name.
        QCOMPARE(driver.questionAsked, c.save && c.exists);
    }
}

int main(int argc, char** argv)
{
    ZubeloApplication app(argc, argv);
    FileNamesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "file_names_test.moc"
