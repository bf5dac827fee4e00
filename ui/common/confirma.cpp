#include "ui/common/confirma.h"

void InstallConfirmationDialog() {}
