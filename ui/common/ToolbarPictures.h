#pragma once

// The toolbar's six pictures: three icons, each with a mask of the same size.
// Each is loaded the first time it is asked for and then kept, so every later
// caller gets the same picture.

#include <QImage>
#include <QString>
#include <functional>
#include <optional>

class ToolbarPictures
{
public:
    // Loads one picture by its resource name ("contacts", "contacts_mask", ...);
    // a null image when there is none.
    using Loader = std::function<QImage(const QString& name)>;

    // The program's pictures come from the application's resources.
    static QImage loadFromResources(const QString& name);

    explicit ToolbarPictures(Loader loader = &ToolbarPictures::loadFromResources);

    // The icons with their masks applied. A missing icon is a null image (the
    // button then has no icon); a missing mask leaves the icon as loaded.
    const QImage& contacts();
    const QImage& graphics();
    const QImage& scheduler();

    const QImage& contacts_mask();
    const QImage& graphics_mask();
    const QImage& scheduler_mask();

private:
    const QImage& icon(std::optional<QImage>& slot, const QString& name, bool whiteIsTransparent, const QImage& mask);
    const QImage& picture(std::optional<QImage>& slot, const QString& name);

    Loader loader_;
    std::optional<QImage> contacts_, graphics_, scheduler_;
    std::optional<QImage> contactsMask_, graphicsMask_, schedulerMask_;
};

// The program's one set of toolbar pictures, kept until it ends.
ToolbarPictures& ProgramToolbarPictures();

// The icon with transparency: white made transparent when asked, then the mask
// (black opaque, white transparent, greys in between) drawn over its top left.
QImage ApplyPictureMask(const QImage& icon, const QImage& mask, bool whiteIsTransparent);
