#include "ColorKey.h"

#include "layered_window_win32.h"

#include <QWidget>

// Windows does the colour keying itself: the key colour of the window's
// pixels is see-through while the layered style is on.
struct ColorKey::Platform {
};

namespace {

unsigned long colorRefOf(QRgb rgb)
{
    return static_cast<unsigned long>(qRed(rgb)) | static_cast<unsigned long>(qGreen(rgb)) << 8
        | static_cast<unsigned long>(qBlue(rgb)) << 16;
}

} // namespace

ColorKey::ColorKey(QWidget* window)
    : window_(window)
    , platform_(std::make_unique<Platform>())
{
}

ColorKey::~ColorKey() = default;

bool ColorKey::isSupported() const
{
    return true;
}

void ColorKey::setEnabled(bool on, QRgb key)
{
    key_ = key;
    enabled_ = on;
    setLayeredColorKey(reinterpret_cast<void*>(window_->winId()), on, colorRefOf(key));
}

void ColorKey::pictureChanged(const QWidget*, const PictureSource&, QRect)
{
}

void ColorKey::geometryChanged(const QWidget*, const PictureSource&)
{
}

void ColorKey::nativeWindowChanged()
{
    if (enabled_)
        setLayeredColorKey(reinterpret_cast<void*>(window_->winId()), true, colorRefOf(key_));
}
