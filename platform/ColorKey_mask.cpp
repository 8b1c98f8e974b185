#include "ColorKey.h"

#include "DesktopPlatform.h"

#include <QBitmap>
#include <QImage>
#include <QRegion>
#include <QWidget>

// The mask: the whole window less the key pixels of the visible picture.
// Key pixels are found only in the part of the picture on view (`covered`),
// so a picture far larger than the screen costs no more than the screen.
struct ColorKey::Platform {
    QRegion keyPixels; // in picture coordinates, within `covered`
    QRect covered;

    static QRect onView(const QWidget* pictureWidget)
    {
        return pictureWidget->isVisible() ? pictureWidget->visibleRegion().boundingRect() : pictureWidget->rect();
    }

    void apply(QWidget* window, const QWidget* pictureWidget)
    {
        const QPoint offset = pictureWidget->mapTo(window, QPoint(0, 0));
        const QRegion holes = (keyPixels & onView(pictureWidget)).translated(offset);
        window->setMask(QRegion(window->rect()) - holes);
    }
};

namespace {

QRegion keyPixelsIn(const ColorKey::PictureSource& picture, QRect area, QRgb key)
{
    if (area.isEmpty())
        return {};
    const QImage part = picture(area);
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
    return desktopCutsWindows();
}

void ColorKey::setEnabled(bool on, QRgb key)
{
    key_ = key;
    enabled_ = on && isSupported();
    if (!enabled_) {
        platform_->keyPixels = QRegion();
        platform_->covered = QRect();
        window_->clearMask();
    }
}

void ColorKey::pictureChanged(const QWidget* pictureWidget, const PictureSource& picture, QRect changed)
{
    if (!enabled_)
        return;
    if (changed.isEmpty()) {
        platform_->covered = Platform::onView(pictureWidget) & pictureWidget->rect();
        platform_->keyPixels = keyPixelsIn(picture, platform_->covered, key_);
    } else {
        platform_->keyPixels -= QRegion(changed);
        platform_->keyPixels += keyPixelsIn(picture, changed & platform_->covered, key_);
    }
    platform_->apply(window_, pictureWidget);
}

void ColorKey::geometryChanged(const QWidget* pictureWidget, const PictureSource& picture)
{
    if (!enabled_)
        return;
    // Scrolled or enlarged past what was looked at: look at what is on view now.
    const QRect view = Platform::onView(pictureWidget) & pictureWidget->rect();
    if (!platform_->covered.contains(view)) {
        platform_->covered = view;
        platform_->keyPixels = keyPixelsIn(picture, view, key_);
    }
    platform_->apply(window_, pictureWidget);
}

void ColorKey::nativeWindowChanged()
{
    // Qt carries the mask over to a new native window.
}
