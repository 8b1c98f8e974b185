#include "help_location.h"

std::filesystem::path helpPathFor(const std::filesystem::path& exeDir)
{
    return exeDir;
}
