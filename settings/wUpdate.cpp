#include "settings/wUpdate.h"

#include "platform/Seams.h"
#include "ui/common/Module1.h"

#include <QLabel>
#include <QPushButton>

wUpdate::wUpdate()
{
    setObjectName(QStringLiteral("wUpdate"));
    // A title the user can place; the program's name says where the notice comes from.
    setWindowTitle(QStringLiteral("Tovira"));
    setFixedSize(290, 147);
    useDialogTextSize();
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowTitleHint);

    StaticText1 = new QLabel(Module1::kTXAtualizado(), this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setGeometry(20, 25, 250, 73);
    StaticText1->setWordWrap(true);
    StaticText1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    PushButton1 = new QPushButton(Module1::kCancela(), this);
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton1->setGeometry(110, 108, 79, 26);
    PushButton1->setAutoDefault(false);
    connect(PushButton1, &QPushButton::clicked, this, &wUpdate::PushButton1_Action);

    PushButton2 = new QPushButton(QStringLiteral("Ok"), this);
    PushButton2->setObjectName(QStringLiteral("PushButton2"));
    PushButton2->setGeometry(195, 108, 79, 26);
    PushButton2->setAutoDefault(false);
    connect(PushButton2, &QPushButton::clicked, this, &wUpdate::PushButton2_Action);

    // Return downloads, Escape declines.
    setDefaultButton(PushButton2);
    setCancelButton(PushButton1);
}

void wUpdate::PushButton1_Action()
{
    Hide();
}

void wUpdate::PushButton2_Action()
{
    seams::launcher().openUrl(QUrl(QStringLiteral(TOVIRA_WEB_URL)));
    Hide();
}
