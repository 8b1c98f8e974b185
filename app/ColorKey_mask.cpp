#include "ColorKey.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <QRegion>
#include <QWidget>

// The mask: the whole window less the key pixels of the visible picture.
struct ColorKey::Platform {
    QRegion keyPixels; // in picture coordinates

    void apply(QWidget* window, const QWidget* pictureWidget)
    {
        const QPoint offset = pictureWidget->mapTo(window, QPoint(0, 0));
        // Only the part of the picture that is on view may cut the window.
        QRect visible = pictureWidget->visibleRegion().boundingRect();
        if (!pictureWidget->isVisible())
            visible = pictureWidget->rect();
        const QRegion holes = (keyPixels & visible).translated(offset);
        window->setMask(QRegion(window->rect()) - holes);
    }
};

namespace {

QRegion keyPixelsIn(const QImage& picture, QRect area, QRgb key)
{
    area &= picture.rect();
    if (area.isEmpty())
        return {};
    const QImage part = picture.copy(area);
    // The bitmap's set pixels are those of the key colour ("MaskOutColor"
    // names them transparent in the mask image, which QBitmap takes as set).
    const QBitmap bits = QBitmap::fromImage(part.createMaskFromColor(key | 0xFF000000u, Qt::MaskOutColor));
    return QRegion(bits).translated(area.topLeft());
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
    return !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

void ColorKey::setEnabled(bool on, QRgb key)
{
    key_ = key;
    enabled_ = on && isSupported();
    if (!enabled_) {
        platform_->keyPixels = QRegion();
        window_->clearMask();
    }
}

void ColorKey::pictureChanged(const QWidget* pictureWidget, const QImage& picture, QRect changed)
{
    if (!enabled_)
        return;
    if (changed.isEmpty()) {
        platform_->keyPixels = keyPixelsIn(picture, picture.rect(), key_);
    } else {
        platform_->keyPixels -= QRegion(changed);
        platform_->keyPixels += keyPixelsIn(picture, changed, key_);
    }
    platform_->apply(window_, pictureWidget);
}

void ColorKey::geometryChanged(const QWidget* pictureWidget)
{
    if (enabled_)
        platform_->apply(window_, pictureWidget);
}

void ColorKey::nativeWindowChanged()
{
    // Qt carries the mask over to a new native window.
}
