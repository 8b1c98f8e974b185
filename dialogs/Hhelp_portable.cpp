#include "Hhelp.h"

void LoadHelp()
{
}

void ShowHelp(void*, const std::filesystem::path&)
{
}

void FreeHelp()
{
}
