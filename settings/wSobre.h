#pragma once

// The about box: the product name, the running version and a credit line
// whose click opens the program's web page. "Ok", Escape and the click hide it.

#include "platform/Window.h"

class QLabel;
class QPushButton;

class wSobre : public SingleWindow<wSobre>
{
    Q_OBJECT

public:
    wSobre();

    QLabel* Nome = nullptr;
    QPushButton* PushButton1 = nullptr;
    QLabel* Versao_numero = nullptr;
    QLabel* StaticText1 = nullptr;

    void PushButton1_Action();
    void Versao_numero_Open();
    bool StaticText1_MouseDown(int x, int y);
    void StaticText1_MouseUp(int x, int y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
