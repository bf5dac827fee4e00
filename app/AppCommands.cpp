// The menu commands' handlers. Commands whose windows do not exist yet do nothing.

#include "app/App.h"

void App::_mContatos_Action() {}
void App::_mCategorias_Action() {}
void App::_mContas_Action() {}
void App::_mGraficos_Action() {}
void App::_mPreferencias_Action() {}
void App::_mSobre_Action() {}
void App::_mExportar_Action() {}
void App::_mImportar_Action() {}
void App::_mAgenda_Action() {}
void App::_mHelp2_Action() {}
void App::_mChecaUpdate_Action() {}
void App::_mnovomovimento_Action() {}
void App::_Importaofx_Action() {}
void App::ChecaUpdate() {}
