// The columns of a file dialog's detail view.
#include "app/ui/FileDialogColumns.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

#include <algorithm>

void FitFileColumns(QFileDialog& dialog) {
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!tree) return; // a dialog of the desktop's own lays out its list itself
    QHeaderView* header = tree->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < header->count(); ++c)
        header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    if (dialog.width() < 720) dialog.resize(720, std::max(dialog.height(), 460));
}
