#include "PictureRecorder.h"

PictureRecorder::PictureRecorder()
{
    seams::setClipboard(this);
    seams::setPrintDialogs(this);
}

PictureRecorder::~PictureRecorder()
{
    seams::setClipboard(nullptr);
    seams::setPrintDialogs(nullptr);
}

std::shared_ptr<QPaintDevice> PictureRecorder::openPrinterDialog()
{
    ++printDialogsShown;
    return page;
}
