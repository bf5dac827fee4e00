#pragma once

// Stands in for the clipboard and the print dialog: keeps every picture put on
// the clipboard, and answers the print dialog with the page a test gives (or
// cancels it when there is none).

#include "platform/Seams.h"

#include <QImage>
#include <QList>

class PictureRecorder final : public ClipboardService, public PrintDialogService
{
  public:
    // Installs itself in both seams; the destructor puts the Qt ones back.
    PictureRecorder();
    ~PictureRecorder() override;
    PictureRecorder(const PictureRecorder&) = delete;
    PictureRecorder& operator=(const PictureRecorder&) = delete;

    QList<QImage> copied;
    // The page the print dialog gives; none means the user cancels.
    std::shared_ptr<QImage> page;
    int printDialogsShown = 0;

    void setImage(const QImage& image) override { copied << image; }
    std::shared_ptr<QPaintDevice> openPrinterDialog() override;
};
