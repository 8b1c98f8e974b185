#include "help_location.h"

#include "zubelo_config.h"

#include <system_error>

std::filesystem::path helpPathFor(const std::filesystem::path& exeDir)
{
#ifdef _WIN32
    // The compiled help file is installed beside the program.
    return exeDir / "zubelo.chm";
#else
    // The build copies the manual next to the executable; an installed
    // program finds it in the shared data folder instead.
    std::filesystem::path besideProgram = exeDir / "help" / "ja" / "index.html";
    std::error_code error;
    if (std::filesystem::is_regular_file(besideProgram, error))
        return besideProgram;
    return std::filesystem::path(ZUBELO_INSTALLED_HELP_DIR) / "ja" / "index.html";
#endif
}
