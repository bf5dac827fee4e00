#include "ui/common/ToolbarPictures.h"

// The resources live in a static library, whose registration the linker would
// drop unless something refers to it. (Q_INIT_RESOURCE must be used outside
// any namespace.)
static int initResources()
{
    Q_INIT_RESOURCE(resources);
    return 0;
}

static void registerResources()
{
    [[maybe_unused]] static const int registered = initResources();
}

QImage ToolbarPictures::loadFromResources(const QString& name)
{
    registerResources();
    return QImage(QStringLiteral(":/toolbar/") + name + QStringLiteral(".png"));
}

ToolbarPictures::ToolbarPictures(Loader loader) : loader_(std::move(loader)) {}

const QImage& ToolbarPictures::picture(std::optional<QImage>& slot, const QString& name)
{
    // A picture that failed to load is kept too: it is not asked for again.
    if (!slot) {
        slot = loader_(name);
    }
    return *slot;
}

const QImage& ToolbarPictures::icon(std::optional<QImage>& slot, const QString& name, bool whiteIsTransparent,
                                    const QImage& mask)
{
    if (!slot) {
        slot = loader_(name);
        if (!slot->isNull())
            slot = ApplyPictureMask(*slot, mask, whiteIsTransparent);
    }
    return *slot;
}

// Only the contacts icon treats white as transparent; the other two keep their
// white unless their mask says otherwise.
const QImage& ToolbarPictures::contacts()
{
    if (contacts_)
        return *contacts_;
    return icon(contacts_, QStringLiteral("contacts"), true, contacts_mask());
}

const QImage& ToolbarPictures::graphics()
{
    if (graphics_)
        return *graphics_;
    return icon(graphics_, QStringLiteral("graphics"), false, graphics_mask());
}

const QImage& ToolbarPictures::scheduler()
{
    if (scheduler_)
        return *scheduler_;
    return icon(scheduler_, QStringLiteral("scheduler"), false, scheduler_mask());
}

const QImage& ToolbarPictures::contacts_mask()
{
    return picture(contactsMask_, QStringLiteral("contacts_mask"));
}

const QImage& ToolbarPictures::graphics_mask()
{
    return picture(graphicsMask_, QStringLiteral("graphics_mask"));
}

const QImage& ToolbarPictures::scheduler_mask()
{
    return picture(schedulerMask_, QStringLiteral("scheduler_mask"));
}

ToolbarPictures& ProgramToolbarPictures()
{
    static ToolbarPictures pictures;
    return pictures;
}

QImage ApplyPictureMask(const QImage& icon, const QImage& mask, bool whiteIsTransparent)
{
    QImage result = icon.convertToFormat(QImage::Format_ARGB32);
    if (whiteIsTransparent) {
        for (int y = 0; y < result.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
            for (int x = 0; x < result.width(); ++x)
                if ((line[x] & 0x00ffffff) == 0x00ffffff)
                    line[x] = qRgba(255, 255, 255, 0);
        }
    }
    if (mask.isNull())
        return result;
    const QImage grey = mask.convertToFormat(QImage::Format_Grayscale8);
    const int width = qMin(result.width(), grey.width());
    const int height = qMin(result.height(), grey.height());
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        const uchar* maskLine = grey.constScanLine(y);
        for (int x = 0; x < width; ++x)
            line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), 255 - maskLine[x]);
    }
    return result;
}
