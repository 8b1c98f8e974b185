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
    // program finds it in the shared data folder beside its bin folder, so a
    // package unpacked under another root still finds its own manual; last,
    // the folder it was configured to be installed in.
    const std::filesystem::path firstPage = std::filesystem::path("ja") / "index.html";
    for (const std::filesystem::path& folder :
         {exeDir / "help", exeDir / ZUBELO_HELP_DIR_FROM_BIN}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(folder / firstPage, error))
            return (folder / firstPage).lexically_normal();
    }
    return std::filesystem::path(ZUBELO_INSTALLED_HELP_DIR) / firstPage;
#endif
}
