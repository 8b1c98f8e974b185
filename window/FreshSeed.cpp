#include "FreshSeed.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSettings>

namespace FreshSeed {

namespace {

const QString Key = QStringLiteral("maze/freshEachStart");

} // namespace

const char* const Caption = QT_TRANSLATE_NOOP("TFMain", "起動ごとに新しい迷路にする");

bool isOn()
{
    return QSettings().value(Key, false).toBool();
}

void setOn(bool on)
{
    QSettings().setValue(Key, on);
}

std::optional<std::uint32_t> startState()
{
    if (!isOn())
        return std::nullopt;
    return QRandomGenerator::system()->generate();
}

} // namespace FreshSeed
