#include "help_location.h"

#include "zubelo_config.h"

#include <QCoreApplication>

#include <system_error>

std::filesystem::path helpPathFor(const std::filesystem::path& exeDir, const std::string& language)
{
#ifdef _WIN32
    // The compiled help file is installed beside the program.
    (void)language;
    return exeDir / "zubelo.chm";
#else
    // The build copies the manual next to the executable; an installed
    // program finds it in the shared data folder beside its bin folder, so a
    // package unpacked under another root still finds its own manual; last,
    // the folder it was configured to be installed in.
    const std::filesystem::path firstPage = std::filesystem::path(language) / "index.html";
    for (const std::filesystem::path& folder :
         {exeDir / "help", exeDir / ZUBELO_HELP_DIR_FROM_BIN}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(folder / firstPage, error))
            return (folder / firstPage).lexically_normal();
    }
    return std::filesystem::path(ZUBELO_INSTALLED_HELP_DIR) / firstPage;
#endif
}

std::string manualLanguage()
{
    //: The folder of the manual in this language: "en" for English. Only
    //: languages that have a manual of their own name their folder here.
    const QString folder = QCoreApplication::translate("Manual", "ja");
    return folder == QLatin1String("en") ? "en" : "ja";
}
