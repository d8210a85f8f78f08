// The file dialogs' list of files in full: the size, type and date columns as wide as what they
// show ("45.2 KiB", not "45…iB"), the name column taking the rest.
#pragma once

class QFileDialog;

void FitFileColumns(QFileDialog& dialog);
