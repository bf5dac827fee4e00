#pragma once

// Makes Module1::AbreJanela show the program's own confirmation dialog.
void InstallConfirmationDialog();
