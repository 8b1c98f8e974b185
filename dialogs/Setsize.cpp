#include "Setsize.h"

TFSetSize::TFSetSize(QWidget* parent)
    : QDialog(parent)
{
}

bool TFSetSize::AskSize(int, int, int)
{
    return false;
}

int TFSetSize::ReadWidth()
{
    return 40;
}

int TFSetSize::ReadHeight()
{
    return 40;
}

int TFSetSize::ReadGridSize()
{
    return 10;
}
