#pragma once

#include <QRect>
#include <QRgb>

#include <functional>
#include <memory>

class QImage;
class QWidget;

// Colour-key transparency of a top-level window: where the picture has
// exactly the key colour, what lies behind the window shows through.
// Windows uses the layered-window style with a colour key. Elsewhere the
// window gets a mask that leaves out the key pixels of the picture area,
// kept up to date as the picture changes. Wayland compositors ignore such
// masks, so there only the picture's colours change.
class ColorKey {
public:
    explicit ColorKey(QWidget* window);
    ~ColorKey();

    ColorKey(const ColorKey&) = delete;
    ColorKey& operator=(const ColorKey&) = delete;

    // Whether this platform can show the window see-through.
    bool isSupported() const;
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool on, QRgb key);

    // Draws the pixels of the picture shown by a widget within a rectangle
    // of that widget, for a look at their colours.
    using PictureSource = std::function<QImage(const QRect&)>;

    // `changed` (in picture coordinates) of the picture shown by
    // `pictureWidget` was redrawn; an empty rectangle means all of it.
    void pictureChanged(const QWidget* pictureWidget, const PictureSource& picture, QRect changed = {});
    // The window was resized or the picture moved within it.
    void geometryChanged(const QWidget* pictureWidget, const PictureSource& picture);
    // The native window was created anew.
    void nativeWindowChanged();

private:
    struct Platform;
    QWidget* window_;
    bool enabled_ = false;
    QRgb key_ = 0;
    std::unique_ptr<Platform> platform_;
};
