#pragma once

// The notice that a newer version is published: "Ok" opens the program's web
// page to download it, "Cancela" (or Escape) just hides the notice.

#include "platform/Window.h"

class QLabel;
class QPushButton;

class wUpdate : public SingleWindow<wUpdate>
{
    Q_OBJECT

public:
    wUpdate();

    QLabel* StaticText1 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;

    void PushButton1_Action();
    void PushButton2_Action();
};
