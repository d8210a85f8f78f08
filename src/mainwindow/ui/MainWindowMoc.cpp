// Meta-object code of the main window and the data module, compiled here on its own: their
// headers carry the settings' colour names, which must not meet the editing control's colour
// names (they differ in value) in the one translation unit that collects the other moc files.
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/SharedObjects.h"

#include "moc_MainWindow.cpp"
#include "moc_SharedObjects.cpp"
