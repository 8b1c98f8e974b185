#pragma once

#include <filesystem>
#include <istream>
#include <memory>
#include <vector>

// What a file name stands for, and reading a document without ever waiting.
//
// Opening a named pipe waits for its other end, and a device such as
// /dev/zero never ends: a program that opens either for a document or an
// export freezes. Documents and exports are regular files, so everything
// else (pipe, device, socket, folder) is refused before it is opened, and a
// file opened for reading is checked once more on the open descriptor.
namespace filekind {

enum class Kind { Missing, Regular, Directory, Special };

// What `file` names, following symbolic links; found without opening it.
Kind kindOf(const std::filesystem::path& file);

// Whether a save or an export may write `file`: it does not exist yet, or it
// is a regular file (which the writer replaces as a whole). Anything else is
// refused before anything opens it.
bool isWritableTarget(const std::filesystem::path& file);

// An existing regular file, opened for reading without waiting: a pipe or a
// device is never opened, and what the descriptor holds is checked again
// (a name swapped in between cannot slip through). A read error ends the
// stream like the end of the file.
class InputFile {
public:
    explicit InputFile(const std::filesystem::path& file);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const { return open_; }
    std::istream& stream() { return stream_; }

private:
    struct Buffer;
    std::unique_ptr<Buffer> buffer_;
    std::istream stream_;
    bool open_ = false;
};

// The whole content of an existing regular file, read into memory, for
// readers that must not see the file change under them (a mapped file that
// another program shortens ends the reader with SIGBUS). The file is opened
// as InputFile opens it, never waiting; its size is checked before anything
// is read, and so is what it holds after (it may grow meanwhile).
enum class ReadResult { Read, Missing, NotRegular, Unreadable, TooLarge };
enum class Links { Follow, Refuse };
ReadResult readWhole(const std::filesystem::path& file, std::size_t maxBytes, std::vector<char>& content,
                     Links links = Links::Follow);

} // namespace filekind
