#include "Version.h"

TFVersion::TFVersion(QWidget* parent)
    : QDialog(parent)
{
}
